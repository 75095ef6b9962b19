#pragma once

namespace linkwatch {

// The objects the control itself reads, and the bases of the walks with a fixed
// role. Walk bases end in "." so that a column's base never takes in the OIDs of
// a column whose number starts with the same digits (…2.2.1.1. and …2.2.1.10.).
inline constexpr const char* kSysObjectIdInstance = "1.3.6.1.2.1.1.2.0";
inline constexpr const char* kIfNumberInstance = "1.3.6.1.2.1.2.1.0";

inline constexpr const char* kSystemWalkName = "SYSTEM";
inline constexpr const char* kSystemGroupBase = "1.3.6.1.2.1.1.";
inline constexpr const char* kSysDescrInstance = "1.3.6.1.2.1.1.1.0";
inline constexpr const char* kSysUpTimeInstance = "1.3.6.1.2.1.1.3.0";
inline constexpr const char* kSysContactInstance = "1.3.6.1.2.1.1.4.0";
inline constexpr const char* kSysNameInstance = "1.3.6.1.2.1.1.5.0";
inline constexpr const char* kSysLocationInstance = "1.3.6.1.2.1.1.6.0";

// The three columns every cycle reads, by a check walk when no statistic of the
// cycle has delivered them.
inline constexpr const char* kIfAdminStatusBase = "1.3.6.1.2.1.2.2.1.7.";
inline constexpr const char* kIfDescrBase = "1.3.6.1.2.1.2.2.1.2.";
inline constexpr const char* kIfSpeedBase = "1.3.6.1.2.1.2.2.1.5.";
inline constexpr const char* kAdminStatusCheckName = "AdminStatusCHECK";
inline constexpr const char* kDescrCheckName = "ifDescrCHECK";
inline constexpr const char* kSpeedCheckName = "ifSpeedCHECK";

}  // namespace linkwatch
