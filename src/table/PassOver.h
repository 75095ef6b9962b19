#pragma once

namespace linkwatch {

// Runs one step of work whose failure must not stop the work around it (the
// table refresh): an error is passed over and whatever the step would have set
// keeps its old value. True when the step succeeded.
template <typename Step>
bool PassOver(Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace linkwatch
