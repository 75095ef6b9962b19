// fuzz_inputs: a self-contained seeded mutation fuzzer for the inputs Linkwatch
// takes from outside: the statistics file, values and texts from devices (value
// parsers, formatting, address and MAC helpers), replies through the control,
// the command line, desktop profiles, and the JSON the command line prints.
//
//   fuzz_inputs [--seconds N] [--seed S] [--only NAME] [--skip NAME]
//
// --only runs the targets whose names contain NAME, --skip leaves them out.
// Runs every target in turn for N seconds (default 60), prints the iterations and
// failed checks per target, and exits 1 when any check failed (2 on a bad command
// line). Crashes and undefined behaviour show when it is built with sanitizers.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "FuzzTarget.h"
#include "common/Globals.h"
#include "fakes/FakePlatform.h"

namespace linkwatch::fuzz {
namespace {

// Failures of one target; the first few are printed in full.
class TargetFailures final : public FuzzFailures {
 public:
  explicit TargetFailures(std::string target) : target_(std::move(target)) {}
  void Fail(const std::string& what, const std::string& input) override {
    constexpr int kPrintedFailures = 5;
    if (++count_ <= kPrintedFailures) {
      std::fprintf(stderr, "FAIL %s: %s\n  input: %s\n", target_.c_str(), what.c_str(),
                   Printable(input).c_str());
    }
  }
  int Count() const { return count_; }

 private:
  std::string target_;
  int count_ = 0;
};

struct Settings {
  long Seconds = 60;
  unsigned long long Seed = 1;
  std::string Only;
  std::string Skip;
};

bool ReadSettings(int argc, char** argv, Settings& settings) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    char* end = nullptr;
    if (arg == "--seconds") {
      settings.Seconds = std::strtol(value, &end, 10);
      if (*end != '\0' || settings.Seconds < 0 || settings.Seconds > 86400) return false;
    } else if (arg == "--seed") {
      settings.Seed = std::strtoull(value, &end, 10);
      if (*end != '\0') return false;
    } else if (arg == "--only") {
      settings.Only = value;
    } else if (arg == "--skip") {
      settings.Skip = value;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string Printable(const std::string& input) {
  constexpr size_t kShown = 300;
  std::string out;
  for (size_t i = 0; i < input.size() && i < kShown; ++i) {
    const auto byte = static_cast<unsigned char>(input[i]);
    if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
      out += static_cast<char>(byte);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    }
  }
  if (input.size() > kShown) out += "... (" + std::to_string(input.size()) + " bytes)";
  return out;
}

}  // namespace linkwatch::fuzz

int main(int argc, char** argv) {
  using namespace linkwatch;
  using namespace linkwatch::fuzz;
  Settings settings;
  if (!ReadSettings(argc, argv, settings)) {
    std::fprintf(stderr, "usage: fuzz_inputs [--seconds N] [--seed S] [--only NAME] [--skip NAME]\n");
    return 2;
  }
  auto platform = std::make_shared<fakes::FakePlatform>();
  Globals::Install(platform);

  std::vector<FuzzTarget> targets;
  for (auto group : {TextTargets, StatisticsTargets, ReplyTargets, CliTargets, DesktopTargets}) {
    for (FuzzTarget& target : group()) {
      const bool chosen = settings.Only.empty() || target.Name.find(settings.Only) != std::string::npos;
      const bool skipped = !settings.Skip.empty() && target.Name.find(settings.Skip) != std::string::npos;
      if (chosen && !skipped) {
        targets.push_back(std::move(target));
      }
    }
  }
  if (targets.empty()) {
    std::fprintf(stderr, "fuzz_inputs: no target is named like '%s'\n", settings.Only.c_str());
    return 2;
  }

  FuzzInput input(settings.Seed);
  std::vector<TargetFailures> failures;
  for (const FuzzTarget& target : targets) failures.emplace_back(target.Name);
  std::vector<long long> iterations(targets.size(), 0);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(settings.Seconds);
  // Every target runs at least once, then in turn until the time is up.
  do {
    for (size_t t = 0; t < targets.size(); ++t) {
      try {
        targets[t].RunOnce(input, failures[t]);
      } catch (const std::exception& error) {
        failures[t].Fail(std::string("an exception escaped: ") + error.what(), "(see the seed)");
      } catch (...) {
        failures[t].Fail("an exception of an unknown type escaped", "(see the seed)");
      }
      ++iterations[t];
    }
  } while (std::chrono::steady_clock::now() < end);

  int failed = 0;
  std::printf("%-28s %12s %8s\n", "target", "iterations", "failed");
  for (size_t t = 0; t < targets.size(); ++t) {
    std::printf("%-28s %12lld %8d\n", targets[t].Name.c_str(), iterations[t], failures[t].Count());
    failed += failures[t].Count();
  }
  std::printf("seed %llu, %ld s: %s\n", settings.Seed, settings.Seconds,
              failed == 0 ? "every check held" : "CHECKS FAILED");
  targets.clear();  // their controls and rows go before the platform
  Globals::Reset();
  return failed == 0 ? 0 : 1;
}
