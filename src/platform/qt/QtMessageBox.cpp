#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>

namespace linkwatch {

QtMessageBox::QtMessageBox(QWidget* parent) : parent_(parent) {}

void QtMessageBox::ShowWarning(const std::string& text) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Warning, QString(), shown, QMessageBox::Ok, parent_.data());
  box.setTextFormat(Qt::PlainText);
  box.setWindowTitle(QString());
  box.exec();
}

}  // namespace linkwatch
