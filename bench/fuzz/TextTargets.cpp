// Targets for the core's text helpers: numbers as the table shows them, address
// and MAC texts, and the small text functions every parser leans on.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "FuzzTarget.h"
#include "common/AddressFunctions.h"
#include "common/Formatting.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"

namespace linkwatch::fuzz {
namespace {

const RegionalSettings& Regional() { return Globals::GetPlatform().GetRegionalSettings(); }

std::string DoubleText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

void FuzzFormatting(FuzzInput& input, FuzzFailures& failures) {
  static const std::vector<std::string> kPatterns = {"##0", "##0.0", "##0.00", "0.00", "0.0 ", "0",
                                                     "", "#", "0.", ".0", "0.000000000000"};
  static const std::vector<std::string> kUnits = {"bps", "B", "", "pkts/s", "\xff\xfe"};
  const double value = input.Double();
  const std::string units = input.OneIn(4) ? input.Text(8) : input.Pick(kUnits);
  const std::string scaled = FormatScaled(value, units, input.OneIn(2), Regional());
  // A scaled number is short: digits of at most a few thousand units, a suffix.
  if (std::isfinite(value) && std::fabs(value) < 1e18 && scaled.size() > 40 + units.size()) {
    failures.Fail("FormatScaled made a text of " + std::to_string(scaled.size()) + " bytes",
                  DoubleText(value));
  }
  const std::string pattern = input.OneIn(5) ? input.Text(12) : input.Pick(kPatterns);
  FormatNumber(value, pattern, Regional());
  try {
    FormatTimeSpan(input.Int32(), input.Int32(), input.Int32(), input.Int32());
  } catch (const std::overflow_error&) {
    // Documented for hours or minutes beyond 32 bits.
  }
}

// An independent reading of "four whole numbers 0..255 separated by dots".
bool LooksLikeIPv4(const std::string& text) {
  const std::vector<std::string> parts = Split(text, '.');
  if (parts.size() != 4) return false;
  for (const std::string& raw : parts) {
    const std::string part = TrimBlanks(raw);
    if (part.empty()) return false;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
    }
    // Leading zeros do not change a number.
    const std::string significant = part.substr(std::min(part.find_first_not_of('0'), part.size()));
    if (significant.size() > 3 || (!significant.empty() && std::stoi(significant) > 255)) {
      return false;
    }
  }
  return true;
}

void FuzzAddresses(FuzzInput& input, FuzzFailures& failures) {
  std::string text = input.Text(24);
  if (input.OneIn(3)) {
    text = std::to_string(input.Below(300)) + "." + std::to_string(input.Below(300)) + "." +
           std::to_string(input.Below(300)) + "." + std::to_string(input.Below(300));
    if (input.OneIn(3)) text = input.Mutate(text);
  }
  if (IsIPAddress(text) != LooksLikeIPv4(text)) {
    failures.Fail(std::string("IsIPAddress said ") + (IsIPAddress(text) ? "yes" : "no"), text);
  }
  const std::string macInput = input.OneIn(2) ? input.HexText(8) : input.Text(24);
  const std::string mac = NormalizeMacAddress(macInput);
  // Empty, or three groups of at most four characters; hexadecimal in, hexadecimal out.
  const std::vector<std::string> groups = Split(mac, '.');
  bool shaped = mac.empty() || groups.size() == 3;
  for (const std::string& group : groups) shaped = shaped && group.size() <= 4;
  if (!shaped) failures.Fail("NormalizeMacAddress made " + mac, macInput);
  const std::string trimmed = TrimBlanks(macInput);
  const auto hexOrDot = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == '.';
  };
  if (std::all_of(trimmed.begin(), trimmed.end(), hexOrDot) &&
      !std::all_of(mac.begin(), mac.end(), hexOrDot)) {
    failures.Fail("NormalizeMacAddress made " + mac + " of hexadecimal text", macInput);
  }
}

void FuzzTextFunctions(FuzzInput& input, FuzzFailures& failures) {
  const std::string text = input.Text(48);
  // Split then join gives the text back.
  std::string joined;
  const std::vector<std::string> parts = Split(text, ',');
  for (size_t i = 0; i < parts.size(); ++i) joined += (i > 0 ? "," : "") + parts[i];
  if (joined != text) failures.Fail("Split and join changed the text", text);
  const std::string trimmed = TrimBlanks(text);
  if (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.back() == ' ')) {
    failures.Fail("TrimBlanks left a blank", text);
  }
  if (UpperCase(text).size() != text.size()) failures.Fail("UpperCase changed the length", text);
  if (!EqualsIgnoreCase(text, UpperCase(text))) failures.Fail("EqualsIgnoreCase missed", text);
  ParseFlag(text);
  const double number = NumericValue(text);
  if (std::isnan(number)) failures.Fail("NumericValue gave NaN", text);
  const double value = input.OneIn(2) ? number : input.Double();
  for (bool narrow : {false, true}) {
    const double limit = narrow ? 32767.0 : 2147483647.0;
    try {
      const double rounded = narrow ? RoundToInt16(value) : RoundToInt32(value);
      if (std::fabs(rounded - value) > 0.5) {
        failures.Fail("rounding moved the value by more than a half", DoubleText(value));
      }
    } catch (const std::overflow_error&) {
      if (std::isfinite(value) && std::fabs(value) < limit - 1) {
        failures.Fail("rounding refused a value in range", DoubleText(value));
      }
    }
  }
}

}  // namespace

std::vector<FuzzTarget> TextTargets() {
  return {{"formatting", FuzzFormatting},
          {"address and MAC helpers", FuzzAddresses},
          {"text helpers", FuzzTextFunctions}};
}

}  // namespace linkwatch::fuzz
