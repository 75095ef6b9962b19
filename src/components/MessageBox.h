#pragma once
#include <string>

namespace linkwatch {

// A modal message with an OK button and the warning (exclamation) icon.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void ShowWarning(const std::string& text) = 0;
};

}  // namespace linkwatch
