#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace linkwatch {

namespace {

QClipboard* SystemClipboard() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  return QGuiApplication::clipboard();
}

}  // namespace

void QtClipboard::Clear() {
  if (QClipboard* clipboard = SystemClipboard()) clipboard->clear();
}

void QtClipboard::SetText(const std::string& text) {
  if (QClipboard* clipboard = SystemClipboard()) clipboard->setText(QString::fromStdString(text));
}

std::string QtClipboard::Text() {
  QClipboard* clipboard = SystemClipboard();
  return clipboard != nullptr ? clipboard->text().toStdString() : std::string();
}

}  // namespace linkwatch
