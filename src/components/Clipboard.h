#pragma once
#include <string>

namespace linkwatch {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace linkwatch
