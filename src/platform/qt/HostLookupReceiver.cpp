#include "platform/qt/HostLookupReceiver.h"

#include <utility>

namespace linkwatch {

HostLookupReceiver::HostLookupReceiver(Handler handler) : handler_(std::move(handler)) {}

int HostLookupReceiver::Lookup(const QString& name) {
  return QHostInfo::lookupHost(name, this, SLOT(Receive(QHostInfo)));
}

void HostLookupReceiver::Receive(const QHostInfo& info) { handler_(info); }

}  // namespace linkwatch
