#pragma once
#include <iostream>
#include <string>

#include "components/MessageBox.h"

namespace linkwatch {

// A headless host's warning: the message on standard error, line by line.
class StderrMessageBox final : public MessageBox {
 public:
  void ShowWarning(const std::string& text) override {
    std::string plain;
    for (char c : text) {
      if (c != '\r') plain += c;
    }
    std::cerr << "Warning: " << plain << std::endl;
  }
};

}  // namespace linkwatch
