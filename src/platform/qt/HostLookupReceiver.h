#pragma once
#include <QHostInfo>
#include <QObject>
#include <functional>

namespace linkwatch {

// Receives the answers of QHostInfo::lookupHost through a named slot and hands
// them to one handler. Qt 6.4 keeps a functor given to lookupHost in a slot
// object that it never frees when the lookup is aborted or its context object
// is gone; a named slot needs no such object, so abandoned lookups leave
// nothing behind. Destroying the receiver drops the answers still on their way.
class HostLookupReceiver final : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(const QHostInfo&)>;

  explicit HostLookupReceiver(Handler handler);

  // Starts a lookup whose answer reaches the handler on this object's thread;
  // returns Qt's lookup id (QHostInfo::lookupId() of the answer).
  int Lookup(const QString& name);

 private slots:
  void Receive(const QHostInfo& info);

 private:
  Handler handler_;
};

}  // namespace linkwatch
