// The simulated devices' recordings (tests/data/snmpsim) are what
// tools/make-recordings.py writes: the tests that poll them and docs/simulated-devices.md
// describe the generator's devices, so a hand edit of a recording, or a generator
// change left uncommitted, is caught here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/Files.h"

namespace linkwatch {
namespace {

namespace fs = std::filesystem;

TEST(SimulatedDeviceData, CommittedRecordingsMatchTheirGenerator) {
  const fs::path source(LINKWATCH_SOURCE_DIR);
  const fs::path committed = source / "tests" / "data" / "snmpsim";
  const support::TemporaryDirectory scratch("linkwatch-recordings");
  ASSERT_TRUE(scratch.Error().empty()) << scratch.Error();
  const fs::path fresh(scratch.Path());
  const fs::path generator = source / "tools" / "make-recordings.py";
  const std::string command = "/usr/bin/python3 '" + generator.string() + "' --output '" +
                              fresh.string() + "' > /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_EQ(status, 0) << command;

  int files = 0;
  for (const auto& entry : fs::directory_iterator(fresh)) {
    ++files;
    const fs::path name = entry.path().filename();
    EXPECT_TRUE(fs::exists(committed / name)) << name << " is not committed";
    EXPECT_TRUE(support::ReadFile(entry.path()) == support::ReadFile(committed / name))
        << name << " differs from what tools/make-recordings.py writes; run it and commit";
  }
  EXPECT_GE(files, 3);
}

}  // namespace
}  // namespace linkwatch
