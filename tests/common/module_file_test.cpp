#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/ModuleFile.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

std::string Executable() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

TEST(ModuleFile, NamesTheConfigurationFileAfterTheModule) {
  const struct {
    const char* module;
    const char* base;
    const char* config;
  } cases[] = {
      {"/usr/lib/x86_64-linux-gnu/libOSTLNK9.so.0.1", "OSTLNK9",
       "/usr/lib/x86_64-linux-gnu/OSTLNK9.cfg"},
      {"/opt/linkwatch/bin/monitor", "monitor", "/opt/linkwatch/bin/monitor.cfg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ModuleFile::BaseName(c.module), c.base);
    EXPECT_EQ(ModuleFile::ConfigFileFor(c.module), c.config);
  }
}

// The library is linked into this test program, so the program is its module,
// also after the program has changed its working folder.
TEST(ModuleFile, PathIsTheRealModuleFile) {
  const std::filesystem::path before = std::filesystem::current_path();
  EXPECT_EQ(ModuleFile::Path(), Executable());
  ASSERT_EQ(chdir("/"), 0);
  const std::string fromRoot = ModuleFile::Path();
  std::filesystem::current_path(before);
  EXPECT_EQ(fromRoot, Executable());
}

TEST(StatisticsFileLocation, OverrideWinsOverEnvironmentWhichWinsOverModule) {
  const std::string beside = ModuleFile::ConfigFileFor(Executable());
  unsetenv(StatisticTemplates::kEnvironmentVariable);
  StatisticTemplates::SetFileOverride("");
  EXPECT_EQ(StatisticTemplates::FileLocation(), beside);

  setenv(StatisticTemplates::kEnvironmentVariable, "/tmp/from-environment.cfg", 1);
  EXPECT_EQ(StatisticTemplates::FileLocation(), "/tmp/from-environment.cfg");

  StatisticTemplates::SetFileOverride("/tmp/from-host.cfg");
  EXPECT_EQ(StatisticTemplates::FileLocation(), "/tmp/from-host.cfg");

  StatisticTemplates::SetFileOverride("");
  unsetenv(StatisticTemplates::kEnvironmentVariable);
  EXPECT_EQ(StatisticTemplates::FileLocation(), beside);
}

}  // namespace
}  // namespace linkwatch
