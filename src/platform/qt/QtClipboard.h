#pragma once
#include <string>

#include "components/Clipboard.h"

namespace linkwatch {

// The desktop clipboard through the running QGuiApplication. Texts are UTF-8.
// Without a QGuiApplication there is no clipboard and both calls do nothing.
class QtClipboard final : public Clipboard {
 public:
  void Clear() override;
  void SetText(const std::string& text) override;

  // What the clipboard holds as plain text now (empty without a QGuiApplication).
  static std::string Text();
};

}  // namespace linkwatch
