#pragma once
#include <string>

#include "components/Clipboard.h"

namespace linkwatch::fakes {

// Holds the text last set.
class FakeClipboard : public Clipboard {
 public:
  void Clear() override { text_.clear(); }
  void SetText(const std::string& text) override { text_ = text; }

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace linkwatch::fakes
