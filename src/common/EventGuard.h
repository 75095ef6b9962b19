#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace linkwatch {

// Keeps exceptions from crossing an event dispatch.
//
// Wherever an event loop calls back into the control or a host (engine replies,
// timer ticks, resolver answers, grid events, a host's own handlers), the call goes
// through Call(): what the handler throws ends that handler only; the loop goes on
// delivering what is queued and the program keeps running. Each failure is passed
// to the thread's reporter (by default a line on standard error, at most
// kReportedFailures of them, then one every kReportEvery, so a failure on every
// reply cannot flood), and counted.
class EventGuard {
 public:
  using Reporter = std::function<void(const std::string& where, const std::string& what)>;

  static constexpr uint64_t kReportedFailures = 10;
  static constexpr uint64_t kReportEvery = 1000;

  // Runs handler; true when it returned normally, false when it threw.
  template <typename Handler>
  static bool Call(const char* where, Handler&& handler) noexcept {
    try {
      handler();
      return true;
    } catch (const std::exception& failure) {
      Report(where, failure.what());
    } catch (...) {
      Report(where, "unknown exception");
    }
    return false;
  }

  // Replaces this thread's reporter (an empty one restores the default).
  static void SetReporter(Reporter reporter);
  // Failures caught on this thread so far.
  static uint64_t Failures();

 private:
  static void Report(const char* where, const std::string& what) noexcept;
};

}  // namespace linkwatch
