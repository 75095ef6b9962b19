#pragma once
#include <string>
#include <vector>

#include "components/MessageBox.h"

namespace linkwatch::fakes {

// Records the text of every warning instead of showing it.
class FakeMessageBox : public MessageBox {
 public:
  void ShowWarning(const std::string& text) override { shown_.push_back(text); }

  const std::vector<std::string>& Shown() const { return shown_; }

 private:
  std::vector<std::string> shown_;
};

}  // namespace linkwatch::fakes
