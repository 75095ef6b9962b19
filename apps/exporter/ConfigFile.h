#pragma once
#include <string>

#include "ExporterConfig.h"

namespace linkwatch::exporter {

// Reads the exporter's JSON configuration file (docs/exporter.md).
//
// Every mistake is refused with one line that names the file and where: a syntax
// error by line and column (from the parser's offset), a wrong field by its line
// and JSON path ("exporter.json:14: devices[1].port: ..."; a missing field by the
// line of the object it is missing from). Values are never repeated in errors, since a field may
// hold a password. Secrets may come from the file itself, from an environment
// variable (KEY_env) or from a file only its owner can read (KEY_file).
class ConfigFile {
 public:
  struct Result {
    ExporterConfig Config;
    std::string Error;  // empty on success
    bool Ok() const { return Error.empty(); }

    // "FILE:LINE: PATH: WHAT" for a mistake found later (a statistic the
    // statistics file lacks), placed like ConfigFile's own.
    std::string ErrorAt(const std::string& path, const std::string& what) const;

    std::string File;
    std::string Text;  // as read
  };

  static Result Load(const std::string& path);
  // The same for text already read; path only names it in errors.
  static Result Parse(const std::string& path, const std::string& text);
};

}  // namespace linkwatch::exporter
