#include "InterruptiblePlatform.h"

#include "InterruptibleEngine.h"

namespace linkwatch::cli {

InterruptiblePlatform::InterruptiblePlatform(std::shared_ptr<Platform> inner,
                                             std::function<bool()> interrupted)
    : inner_(std::move(inner)), interrupted_(std::move(interrupted)) {}

std::unique_ptr<SnmpEngine> InterruptiblePlatform::NewSnmpEngine() {
  return std::make_unique<InterruptibleEngine>(inner_->NewSnmpEngine(), interrupted_);
}

}  // namespace linkwatch::cli
