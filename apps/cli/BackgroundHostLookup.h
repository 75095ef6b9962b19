#pragma once
#include <memory>
#include <string>

namespace linkwatch::cli {

// Looks up a host name's first IPv4 address (as the SNMP engine does) on a thread
// of its own, so that the caller can stop waiting for a slow name service, e.g.
// when the monitor is interrupted during its start. A lookup nobody waits for any
// more runs to its end on its own; its answer reaches no one.
class BackgroundHostLookup {
 public:
  explicit BackgroundHostLookup(const std::string& name);
  ~BackgroundHostLookup();
  BackgroundHostLookup(const BackgroundHostLookup&) = delete;
  BackgroundHostLookup& operator=(const BackgroundHostLookup&) = delete;

  bool Done() const;
  // Dotted IPv4 text, or empty when the name does not resolve; meaningful once Done.
  std::string Address() const;

 private:
  struct Answer;
  std::shared_ptr<Answer> answer_;
};

}  // namespace linkwatch::cli
