#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace linkwatch::cli {

enum class OutputFormat { Table, Tsv, Json };

// An administrative change the monitor makes once it knows the device's interfaces.
struct InterfaceAction {
  enum class Kind { Enable, Shutdown };
  Kind What = Kind::Enable;
  int32_t IfIndex = 0;
};

// Everything the command line chose. Credentials go to the control unchanged and
// are never printed.
struct CliOptions {
  std::string Target;
  int32_t Port = 161;
  std::string Community = "public";
  int16_t SNMPVersion = 0;  // 0: detect (v2c, then v1); 1, 2 or 3
  bool VersionChosen = false;  // --snmp-version was given
  std::string User;
  std::string Context;
  int16_t AuthType = 0;  // components/SnmpSecurity.h codes
  std::string AuthPass;
  int16_t PrivType = 0;
  std::string PrivPass;
  std::string Statistics;  // comma-separated statistic names
  std::optional<int32_t> IntervalSeconds;  // set: RefreshInterval and AutoUpdate
  std::optional<int32_t> Cycles;           // set: print that many cycles, then exit
  std::optional<int32_t> TimeoutMs;  // set: the engine's time-out per try (SNMPTimeoutMs)
  std::optional<int32_t> Retries;    // set: the engine's retries (SNMPRetries)
  bool Synchronous = false;  // every statistic's walk starts at once (the control's Synchronous)
  OutputFormat Format = OutputFormat::Table;
  std::string StatisticsFile;  // empty: the file beside the program
  bool ListStatistics = false;
  bool Describe = false;  // print the type library and exit
  std::vector<InterfaceAction> Actions;  // in command-line order
};

// Bounds of --timeout (milliseconds per try) and --retries. A try shorter than
// 10 ms fails even on loopback; one longer than a minute, or more than ten
// retries, would make a single silent device hold the monitor for many minutes.
inline constexpr int32_t kMinTimeoutMs = 10;
inline constexpr int32_t kMaxTimeoutMs = 60'000;
inline constexpr int32_t kMaxRetries = 10;

// The statistics shown when --stats is not given.
inline constexpr const char* kEverydayStatistics =
    "Interface Name,Interface Status,Admin Status,Interface Type,Speed,In Traffic 64,Out Traffic 64,"
    "In Errors,Out Errors,MAC Address";

}  // namespace linkwatch::cli
