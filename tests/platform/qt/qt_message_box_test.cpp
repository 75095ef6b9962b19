#include "platform/qt/QtMessageBox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTimer>
#include <string>

namespace linkwatch {
namespace {

// Stands in for the user: waits (from the event loop the box runs) for the modal
// box, notes how it looks and presses its OK button. Gives up after a deadline
// by closing whatever is modal, so a wrong box cannot hang the test.
class UserAtTheScreen {
 public:
  UserAtTheScreen() : deadline_(10000) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
    poll_.start(5);
  }
  // What the box looked like while it was up, empty if none came.
  std::string seen;

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && box->isVisible()) {
      seen = QString("modal %1, icon %2, format %3, %4 button(s) 0x%5, title '%6': %7")
                 .arg(box->isModal() ? 1 : 0)
                 .arg(static_cast<int>(box->icon()))
                 .arg(static_cast<int>(box->textFormat()))
                 .arg(static_cast<int>(box->buttons().size()))
                 .arg(static_cast<int>(box->standardButtons()), 0, 16)
                 .arg(box->windowTitle(), box->text())
                 .toStdString();
      poll_.stop();
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
      } else {
        box->reject();
      }
    } else if (deadline_.hasExpired()) {
      poll_.stop();
      if (modal != nullptr) modal->close();
    }
  }

  QTimer poll_;
  QDeadlineTimer deadline_;
};

// A modal warning (icon 2, plain text format 0) with one OK button (0x400).
TEST(QtMessageBoxTest, ShowsAModalPlainTextWarningWithOkAndNoTitle) {
  QtMessageBox messageBox;
  UserAtTheScreen user;
  // Returns once the user pressed OK.
  messageBox.ShowWarning(
      "Cannot set value to 'x'\r\n\r\nEither the device does not support updates to this MIB.");
  EXPECT_EQ(user.seen,
            "modal 1, icon 2, format 0, 1 button(s) 0x400, title '': Cannot set value to "
            "'x'\n\nEither the device does not support updates to this MIB.");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace linkwatch
