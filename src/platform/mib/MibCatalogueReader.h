#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mib/MibEntry.h"

namespace linkwatch {

// Reads the built-in MIB catalogue: plain text files of ours, one object per line.
//
//   # comment
//   @TypeName  label(1),label(2),...          a named enumeration (lines add up)
//   name  oid  access  enums  description     one object
//
// access is the MIB's own word (read-only, read-write, read-create, write-only,
// not-accessible, accessible-for-notify); enums is "-", a list such as
// up(1),down(2), or "@TypeName"; the description is the rest of the line.
// A line that breaks these rules is skipped and reported in `problems`; the rest
// of the catalogue still loads.
class MibCatalogueReader {
 public:
  struct Result {
    std::vector<MibEntry> entries;      // in file order, files in name order
    std::vector<std::string> problems;  // "file:line: what is wrong"
  };

  // A catalogue file, or a folder whose "*.objects" files are read in name
  // order. A path that does not exist gives no entries and one problem.
  static Result Read(const std::filesystem::path& path);
  // The same rules applied to text already in memory (sourceName labels problems).
  static Result ReadText(std::string_view text, const std::string& sourceName);

  static constexpr const char* kFileExtension = ".objects";
};

}  // namespace linkwatch
