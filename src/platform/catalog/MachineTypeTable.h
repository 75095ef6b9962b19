#pragma once
#include <string>
#include <unordered_map>

namespace linkwatch {

// Well-known sysObjectIDs and the machine type each stands for, read from the
// catalogue's machine-types.tsv. A device's sysObjectID takes the entry of its
// longest matching prefix, compared on whole sub-identifiers.
class MachineTypeTable {
 public:
  // Adds the rows of a table file: "oid-prefix TAB machine type", "#" lines are
  // comments. Rows that do not fit are skipped and counted in `skippedRows`.
  // Returns false with the reason in `error` when the file cannot be read.
  bool LoadTsv(const std::string& path, std::string& error, int& skippedRows);

  void Add(const std::string& oidPrefix, std::string machineType);

  // The machine type of a sysObjectID (leading "." allowed); empty when no
  // prefix matches or the text is not an OID.
  std::string Find(const std::string& systemOid) const;

  size_t Size() const;

 private:
  std::unordered_map<std::string, std::string> byPrefix_;
};

}  // namespace linkwatch
