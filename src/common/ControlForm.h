#pragma once
#include <memory>

#include "components/DnsResolver.h"

namespace linkwatch {

// The thread's hidden host of the one DnsResolver that every control on the
// thread shares: each control takes the resolver from here and subscribes to its
// answers.
class ControlForm {
 public:
  explicit ControlForm(std::unique_ptr<DnsResolver> resolver) : resolver_(std::move(resolver)) {}

  std::shared_ptr<DnsResolver> Resolver() const { return resolver_; }

 private:
  std::shared_ptr<DnsResolver> resolver_;
};

}  // namespace linkwatch
