#pragma once
#include <string>

#include <QPointer>
#include <QWidget>

#include "components/MessageBox.h"

namespace linkwatch {

// The warning shown when the device refuses an edited value: a modal QMessageBox
// with the warning icon, one OK button and no title of its own, over the given
// parent window (or application-modal without one). The text is shown as plain
// text (never as markup), with CR LF line ends read as line breaks.
// Without a QApplication there is no window to show: the text goes to standard
// error instead, so the message is not lost.
class QtMessageBox final : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent = nullptr);

  // Returns when the user has closed the box.
  void ShowWarning(const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace linkwatch
