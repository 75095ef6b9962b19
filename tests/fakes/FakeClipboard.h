#pragma once
#include <string>

#include "components/Clipboard.h"

namespace linkwatch::fakes {

// Holds the text last set; counts how often it was cleared.
class FakeClipboard : public Clipboard {
 public:
  void Clear() override {
    text_.clear();
    ++clears_;
  }
  void SetText(const std::string& text) override { text_ = text; }

  const std::string& Text() const { return text_; }
  int Clears() const { return clears_; }

 private:
  std::string text_;
  int clears_ = 0;
};

}  // namespace linkwatch::fakes
