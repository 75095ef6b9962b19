#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace linkwatch::exporter {

// One device the exporter watches: where it is, how to speak to it and what to read.
struct DeviceConfig {
  std::string Name;    // the "device" label; unique; default: the target
  std::string Target;  // host name or IPv4 address
  int32_t Port = 161;
  int16_t SNMPVersion = 0;  // 0 detect (SNMPv2c, then SNMPv1), 3 SNMPv3
  std::string Community = "public";
  std::string User;
  std::string Context;
  int16_t AuthType = 0;  // components/SnmpSecurity.h
  std::string AuthPass;
  int16_t PrivType = 0;
  std::string PrivPass;
  std::string Statistics;  // comma-separated statistic names
  int32_t IntervalSeconds = 30;
  int32_t TimeoutMs = 1000;
  int32_t Retries = 1;
  bool Synchronous = false;
};

// The whole configuration file.
struct ExporterConfig {
  std::string ListenAddress = "127.0.0.1";
  uint16_t ListenPort = 9717;
  std::vector<DeviceConfig> Devices;
};

// The statistics a device reads when its configuration names none.
inline constexpr const char* kDefaultStatistics =
    "Interface Name,Interface Status,Admin Status,Interface Type,Speed,MAC Address,"
    "In Traffic 64,Out Traffic 64,In Errors,Out Errors,In Discards,Out Discards";

}  // namespace linkwatch::exporter
