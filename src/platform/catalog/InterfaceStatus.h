#pragma once
#include <cstdint>
#include <string>

namespace linkwatch {

// The catalogue's status numbers. They keep the IF-MIB ifOperStatus numbers, so
// a raw operational status is already a catalogue status, and add one number for
// an interface an administrator has shut down. 1 means up.
enum class InterfaceStatus : int32_t {
  Up = 1,
  Down = 2,
  Testing = 3,
  Unknown = 4,
  Dormant = 5,
  NotPresent = 6,
  LowerLayerDown = 7,
  AdminDown = 8,
};

// The kinds of status code a device reports.
enum class StatusKind : int32_t { Operational = 0, Administrative = 1 };

// Maps an ifOperStatus (kind 0) or ifAdminStatus (kind 1) code to a catalogue
// status: ifOperStatus 1..7 keep their number; ifAdminStatus up(1) and
// testing(3) keep theirs and down(2) becomes AdminDown. Any other code or kind
// gives Unknown.
int32_t NormalizeInterfaceStatus(int16_t code, int32_t kind);

// The status words: "Up", "Down", "Testing", "Unknown", "Dormant",
// "Not Present", "Lower Layer Down", "Admin Down"; "Unknown" for other numbers.
std::string InterfaceStatusText(int32_t status);

// The catalogue status a number stands for; Unknown for other numbers.
InterfaceStatus InterfaceStatusOf(int32_t status);

}  // namespace linkwatch
