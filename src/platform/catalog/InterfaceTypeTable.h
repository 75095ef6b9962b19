#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/catalog/InterfaceFamily.h"

namespace linkwatch {

// The IANA interface types (the values of ifType) with our short descriptions and
// icon families, read from the catalogue's iftypes.tsv.
class InterfaceTypeTable {
 public:
  struct Entry {
    std::string name;         // the registry's name, e.g. "ethernetCsmacd"
    std::string description;  // ours, e.g. "Ethernet"
    InterfaceFamily family = InterfaceFamily::Other;
  };

  // Adds the rows of a table file: "number TAB name TAB description TAB family",
  // "#" lines are comments. Rows that do not fit are skipped and counted in
  // `skippedRows`. Returns false with the reason in `error` when the file cannot
  // be read.
  bool LoadTsv(const std::string& path, std::string& error, int& skippedRows);

  void Add(int32_t type, Entry entry);

  // The entry of a type number; none for a number the table does not know.
  const Entry* Find(int32_t type) const;

  size_t Size() const;

 private:
  std::unordered_map<int32_t, Entry> entries_;
};

}  // namespace linkwatch
