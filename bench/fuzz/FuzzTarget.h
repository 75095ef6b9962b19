#pragma once
#include <functional>
#include <string>
#include <vector>

#include "FuzzInput.h"

namespace linkwatch::fuzz {

// Where a target reports a failed check: what was wrong and the input that did it.
class FuzzFailures {
 public:
  virtual ~FuzzFailures() = default;
  virtual void Fail(const std::string& what, const std::string& input) = 0;
};

// One kind of input the driver feeds: each call of RunOnce makes one input from
// the random source, feeds it and checks the outcome.
struct FuzzTarget {
  std::string Name;
  std::function<void(FuzzInput& input, FuzzFailures& failures)> RunOnce;
};

// The targets, by the part of the product they feed (each in its own file). The
// core's targets expect the fake platform to be installed on the thread.
std::vector<FuzzTarget> TextTargets();        // text, number, address and MAC helpers
std::vector<FuzzTarget> StatisticsTargets();  // the statistics file reader, the value parsers
std::vector<FuzzTarget> ReplyTargets();       // random replies through an InterfaceList
std::vector<FuzzTarget> CliTargets();         // the option parser, the JSON output
std::vector<FuzzTarget> DesktopTargets();     // the profile reader (none without the desktop)

// A printable form of an input for a failure report (bytes escaped, bounded).
std::string Printable(const std::string& input);

}  // namespace linkwatch::fuzz
