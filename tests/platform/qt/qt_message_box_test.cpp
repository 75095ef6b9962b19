#include "platform/qt/QtMessageBox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <string>

namespace linkwatch {
namespace {

// What the box looked like while it was up.
struct SeenBox {
  bool Seen = false;
  bool Modal = false;
  QString Text;
  QString Title;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  Qt::TextFormat Format = Qt::AutoText;
  QList<QAbstractButton*>::size_type ButtonCount = 0;
  QMessageBox::StandardButtons Buttons;
};

// Stands in for the user: waits (from the event loop the box runs) for the modal
// box, notes how it looks and presses its OK button. Gives up after a deadline
// by closing whatever is modal, so a wrong box cannot hang the test.
class UserAtTheScreen {
 public:
  UserAtTheScreen() : deadline_(10000) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
    poll_.start(5);
  }
  const SeenBox& Seen() const { return seen_; }

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr && box->isVisible()) {
      seen_.Seen = true;
      seen_.Modal = box->isModal();
      seen_.Text = box->text();
      seen_.Title = box->windowTitle();
      seen_.Icon = box->icon();
      seen_.Format = box->textFormat();
      seen_.ButtonCount = box->buttons().size();
      seen_.Buttons = box->standardButtons();
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
  SeenBox seen_;
};

TEST(QtMessageBoxTest, ShowsAModalWarningWithOkAndNoTitle) {
  const std::string text =
      "Cannot set value to 'x'\r\n\r\nEither the device does not support updates to this MIB.";
  QtMessageBox messageBox;
  UserAtTheScreen user;
  messageBox.ShowWarning(text);  // returns once the user pressed OK

  const SeenBox& seen = user.Seen();
  ASSERT_TRUE(seen.Seen);
  EXPECT_TRUE(seen.Modal);
  EXPECT_EQ(seen.Text.toStdString(),
            "Cannot set value to 'x'\n\nEither the device does not support updates to this MIB.");
  EXPECT_EQ(seen.Title, QString());
  EXPECT_EQ(seen.Icon, QMessageBox::Warning);
  EXPECT_EQ(seen.ButtonCount, 1);
  EXPECT_EQ(seen.Buttons, QMessageBox::Ok);
  EXPECT_EQ(seen.Format, Qt::PlainText);
}

TEST(QtMessageBoxTest, ShowsMarkupLikeTextAsItIsOverItsParent) {
  QWidget parent;
  parent.show();
  QtMessageBox messageBox(&parent);
  UserAtTheScreen user;
  messageBox.ShowWarning("Cannot set value to '<b>big</b>'");
  ASSERT_TRUE(user.Seen().Seen);
  EXPECT_EQ(user.Seen().Text.toStdString(), "Cannot set value to '<b>big</b>'");
  EXPECT_EQ(user.Seen().Format, Qt::PlainText);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace linkwatch
