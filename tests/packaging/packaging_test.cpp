// The installed package as a host meets it: `cmake --install` of this build into
// a staging folder, then hosts built against that folder alone, the example host
// through find_package(Linkwatch) and a small probe through pkg-config, run with
// no help from the source or build tree.
#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = LINKWATCH_SOURCE_DIR;
const fs::path kBuildDir = LINKWATCH_BUILD_DIR;
const std::string kLibDir = LINKWATCH_INSTALL_LIBDIR;
// The prefix the package is installed for; the files land below the staging
// folder (DESTDIR), so nothing outside the test's own folder is touched.
const fs::path kPrefix = "/usr/local";

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

// Runs a shell command with a time limit; the output comes back for messages.
CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  const std::string limited = "timeout --kill-after=10 240 sh -c " + Quote(command) + " 2>&1";
  FILE* pipe = popen(limited.c_str(), "r");
  if (pipe == nullptr) {
    result.output = "cannot start: " + command;
    return result;
  }
  std::array<char, 4096> buffer{};
  size_t count = 0;
  while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    result.output.append(buffer.data(), count);
  }
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// The environment settings that would move the library's data elsewhere are
// removed, so the run shows what the installed tree finds by itself.
const std::string kWithoutOverrides =
    "env -u LINKWATCH_STATISTICS_FILE -u LINKWATCH_MIB_CATALOGUE -u LINKWATCH_CATALOG_DIR "
    "QT_QPA_PLATFORM=offscreen ";

// This build installed once, in a staging folder inside a folder of the test
// program's own; the tests build their hosts beside it.
class InstalledPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = std::make_unique<support::TemporaryDirectory>("linkwatch-packaging");
    install_ = RunCommand("DESTDIR=" + Quote((Work() / "stage").string()) + " " +
                          Quote(LINKWATCH_CMAKE_COMMAND) + " --install " +
                          Quote(kBuildDir.string()) + " --prefix " + kPrefix.string());
  }
  static void TearDownTestSuite() { work_.reset(); }
  void SetUp() override { ASSERT_EQ(install_.exitCode, 0) << install_.output; }

  // The installed prefix as the files lie on disk.
  static fs::path Prefix() { return Work() / "stage" / kPrefix.relative_path(); }
  static fs::path LibDir() { return Prefix() / kLibDir; }
  static fs::path Work() { return work_->Path(); }

  static inline std::unique_ptr<support::TemporaryDirectory> work_;
  static inline CommandResult install_;
};

TEST_F(InstalledPackage, PutsEveryPartWhereHostsLookForItWithEveryIncludedHeader) {
  // The library, its data, pkg-config and CMake files are found by the hosts below.
  std::vector<std::string> expected = {kLibDir + "/libOSTLNK9.so.0.1"};
#if LINKWATCH_HAS_CLI
  // The command-line monitor carries the library inside: its statistics file is named after it.
  expected.insert(expected.end(), {"bin/linkwatch", "bin/linkwatch.cfg"});
#endif
#if LINKWATCH_HAS_EXPORTER
  expected.insert(expected.end(), {"bin/linkwatch-exporter", "bin/linkwatch-exporter.cfg"});
#endif
  for (const std::string& path : expected) EXPECT_TRUE(fs::exists(Prefix() / path)) << path;
  EXPECT_EQ(support::ReadFile(LibDir() / "OSTLNK9.cfg"), support::ReadFile(kSourceDir / "data/OSTLNK9.cfg"));

  // The development link and the run-time name both lead to the one real file,
  // whose recorded name is the run-time name.
  const fs::path library = fs::canonical(LibDir() / "libOSTLNK9.so");
  EXPECT_EQ(library.filename(), "libOSTLNK9.so.0.1.0");
  const CommandResult dynamic = RunCommand("objdump -p " + Quote(library.string()));
  ASSERT_EQ(dynamic.exitCode, 0) << dynamic.output;
  EXPECT_TRUE(std::regex_search(dynamic.output, std::regex(R"(SONAME\s+libOSTLNK9\.so\.0\.1\n)")))
      << dynamic.output;

  // Every header's own includes ("folder/Name.h") are installed too, or a host
  // that includes it fails to compile.
  const fs::path headers = Prefix() / "include/linkwatch";
  const std::regex include(R"re(#include\s+"([^"]+)")re");
  std::set<std::string> missing;
  size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(headers)) {
    if (entry.path().extension() != ".h") continue;
    ++count;
    const std::string text = support::ReadFile(entry.path());
    for (auto match = std::sregex_iterator(text.begin(), text.end(), include);
         match != std::sregex_iterator(); ++match) {
      const std::string name = (*match)[1];
      if (!fs::exists(headers / name) && !fs::exists(entry.path().parent_path() / name)) {
        missing.insert(fs::relative(entry.path(), headers).string() + " -> " + name);
      }
    }
  }
  EXPECT_GT(count, 50u);
  EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

// A host built through pkg-config alone; the library it loads reads its
// statistics file beside itself and its catalogues from the installed share
// folder, not from the source tree it was built from.
TEST_F(InstalledPackage, PkgConfigHostFindsTheInstalledData) {
  const std::string pkgConfig = std::string("PKG_CONFIG_PATH=") +
                                Quote((LibDir() / "pkgconfig").string()) + " " +
                                Quote(LINKWATCH_PKG_CONFIG);
  const CommandResult version = RunCommand(pkgConfig + " --modversion linkwatch");
  ASSERT_EQ(version.exitCode, 0) << version.output;

  const fs::path probe = Work() / "data-locations";
  const CommandResult build = RunCommand(
      Quote(LINKWATCH_CXX_COMPILER) + " -std=c++20 -o " + Quote(probe.string()) + " " +
      Quote((kSourceDir / "tests/packaging/probe/DataLocations.cpp").string()) + " $(" +
      pkgConfig + " --cflags --libs linkwatch) -Wl,-rpath," + Quote(LibDir().string()));
  ASSERT_EQ(build.exitCode, 0) << build.output;

  const CommandResult run = RunCommand(kWithoutOverrides + Quote(probe.string()));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::map<std::string, std::string> found;  // from its "what<TAB>path" lines
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) found[line.substr(0, tab)] = line.substr(tab + 1);
  }
  EXPECT_EQ(found["version"] + "\n", version.output);

  const std::map<std::string, fs::path> expected = {
      {"library", LibDir() / "libOSTLNK9.so.0.1.0"},
      {"statistics", LibDir() / "OSTLNK9.cfg"},
      {"mibs", Prefix() / "share/linkwatch/mibs"},
      {"catalog", Prefix() / "share/linkwatch/catalog"},
  };
  for (const auto& [what, path] : expected) {
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(found[what], path, error))
        << what << ": " << found[what] << " instead of " << path.string();
  }
}

// The example host, configured with find_package(Linkwatch) against the
// installed prefix, monitors a real agent for one poll cycle.
TEST_F(InstalledPackage, ExampleHostBuildsWithFindPackageAndMonitorsAnAgent) {
  const fs::path exampleBuild = Work() / "example";
  const std::string cmake = Quote(LINKWATCH_CMAKE_COMMAND);
  const CommandResult configure =
      RunCommand(cmake + " -S " + Quote((kSourceDir / "examples/host").string()) + " -B " +
          Quote(exampleBuild.string()) + " -G " + Quote(LINKWATCH_CMAKE_GENERATOR) +
          " -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=" + Quote(LINKWATCH_CXX_COMPILER) +
          " -DCMAKE_PREFIX_PATH=" + Quote(Prefix().string()) + " -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF");
  ASSERT_EQ(configure.exitCode, 0) << configure.output;
  const CommandResult build = RunCommand(cmake + " --build " + Quote(exampleBuild.string()));
  ASSERT_EQ(build.exitCode, 0) << build.output;
  const std::string example = Quote((exampleBuild / "linkwatch-example").string());

  support::SnmpdAgent agent;
  ASSERT_TRUE(agent.Start()) << agent.Error();
  const CommandResult run =
      RunCommand(kWithoutOverrides + example + " 127.0.0.1 " + std::to_string(agent.Port()));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // Interface 1 is the loopback interface; its type text needs the statistics
  // file, the MIB catalogue and the device catalogue, all read from the prefix.
  EXPECT_NE(run.output.find("1\tlo\tsoftwareLoopback\n"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace linkwatch
