#include "common/EventGuard.h"

#include <cstdio>

namespace linkwatch {
namespace {

thread_local EventGuard::Reporter threadReporter;
thread_local uint64_t failureCount = 0;

}  // namespace

void EventGuard::SetReporter(Reporter reporter) { threadReporter = std::move(reporter); }

uint64_t EventGuard::Failures() { return failureCount; }

void EventGuard::Report(const char* where, const std::string& what) noexcept {
  const uint64_t number = ++failureCount;
  try {
    if (threadReporter) {
      threadReporter(where, what);
      return;
    }
  } catch (...) {
    // A reporter that fails falls back to the default line.
  }
  if (number <= kReportedFailures || number % kReportEvery == 0) {
    std::fprintf(stderr, "linkwatch: %s failed (%s); it was skipped and monitoring goes on\n",
                 where, what.c_str());
  }
}

}  // namespace linkwatch
