// A target for the desktop monitor's profile reader: mutated profiles (a written
// one, with numbers that do not fit and broken JSON) and random bytes.
#include "FuzzTarget.h"

#ifdef LINKWATCH_FUZZ_DESKTOP
#include "ProfileFile.h"

namespace linkwatch::fuzz {
namespace {

const std::vector<std::string> kJsonTokens = {
    "1e300", "-1e300", "1e400", "-0", "0.5", "65536", "2147483648", "-9223372036854775809",
    "null", "true", "[]", "{}", "\"\"", ",", ":", "\"port\":", "\"snmpVersion\":",
    "\"refreshInterval\":", "\"v3\":{\"authType\":", "\"statistics\":[", "\\u0000", "\\ud800"};

void FuzzProfiles(FuzzInput& input, FuzzFailures& failures) {
  static const std::string written =
      desktop::ProfileFile::ToJson(desktop::Profile{}, true).toStdString();
  std::string json;
  if (input.OneIn(10)) {
    json = input.Bytes(128);
  } else if (input.OneIn(3)) {
    // A whole-number field with a value that does not fit it.
    static const std::vector<std::string> kFields = {"port", "snmpVersion", "refreshInterval",
                                                     "formatVersion"};
    json = std::string(R"({"format": "linkwatch-desktop-profile", ")") + input.Pick(kFields) +
           "\": " + input.Pick(kJsonTokens) + "}";
  } else {
    json = input.Mutate(written, kJsonTokens);
  }
  desktop::Profile profile;
  QString error;
  const bool read = desktop::ProfileFile::FromJson(QByteArray::fromStdString(json), profile, error);
  if (!read && error.isEmpty()) failures.Fail("a refused profile without a reason", json);
  if (read && (profile.RefreshInterval < 5 || profile.RefreshInterval > 300 ||
               profile.Connection.Port < 1 || profile.Connection.Port > 65535)) {
    failures.Fail("a profile read with a value out of its range", json);
  }
}

}  // namespace

std::vector<FuzzTarget> DesktopTargets() { return {{"desktop profiles", FuzzProfiles}}; }

}  // namespace linkwatch::fuzz

#else

namespace linkwatch::fuzz {
std::vector<FuzzTarget> DesktopTargets() { return {}; }
}  // namespace linkwatch::fuzz

#endif
