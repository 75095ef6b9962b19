#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace linkwatch::registry_text {

// Reads a whole file into `contents`. On failure returns false and says why in
// `error` (for example "No such file or directory").
bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error);

// Calls `onLine` for every line of `text`, without its line ending (LF or CR LF).
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& onLine);

// Splits comma-separated records as the IEEE registries write them: fields may be
// quoted, a quoted field may hold commas, doubled quotes and line breaks. Calls
// `onRecord` with the fields of every record, the header included.
void ForEachCsvRecord(std::string_view text,
                      const std::function<void(const std::vector<std::string>&)>& onRecord);

// `text` without blanks, tabs and line-ending characters at either end.
std::string_view Trim(std::string_view text);

// Parses a whole unsigned decimal number that fits in 32 bits; false otherwise.
bool ParseDecimal(std::string_view text, uint32_t& value);

}  // namespace linkwatch::registry_text
