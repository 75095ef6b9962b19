#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/Globals.h"
#include "fakes/FakePlatform.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {

// A thread platform with a small MIB database and a statistics file of the
// test's own, in a folder of its own that is removed afterwards.
class StatisticsFileFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    folder = std::filesystem::temp_directory_path() /
             ("linkwatch-stats-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    file = (folder / "OSTLNK9.cfg").string();
    StatisticTemplates::SetFileOverride(file);

    platform = std::make_shared<fakes::FakePlatform>();
    platform->Mib().Register("ifInOctets", "1.3.6.1.2.1.2.2.1.10",
                             "Octets received on the interface");
    platform->Mib().Register("ifOutOctets", "1.3.6.1.2.1.2.2.1.16", "Octets sent");
    platform->Mib().Register("ifDescr", "1.3.6.1.2.1.2.2.1.2", "Text describing the interface");
    platform->Mib().Register("ifAdminStatus", "1.3.6.1.2.1.2.2.1.7", "Wanted state",
                             {{1, "up"}, {2, "down"}, {3, "testing"}}, kMibWritable);
    Globals::Install(platform);
  }

  void TearDown() override {
    Globals::Reset();
    StatisticTemplates::SetFileOverride("");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  // Writes the statistics file: the given Statistic elements inside the usual
  // root and Statistics element.
  void WriteStatistics(const std::string& elements) {
    WriteFile("<?xml version=\"1.0\"?>\n<Portsight>\n <Statistics>\n" + elements +
              " </Statistics>\n</Portsight>\n");
  }
  void WriteFile(const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
  }

  std::filesystem::path folder;
  std::string file;
  std::shared_ptr<fakes::FakePlatform> platform;
};

}  // namespace linkwatch
