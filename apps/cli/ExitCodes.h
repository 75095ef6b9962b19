#pragma once

namespace linkwatch::cli {

// The monitor's exit codes; scripts depend on them.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitUsage = 2,         // bad command line; the message names the option
  kExitStartFailed = 3,   // the control could not start monitoring (its LastError)
  kExitActionRefused = 4  // an --enable or --shutdown was refused (its LastError)
};

}  // namespace linkwatch::cli
