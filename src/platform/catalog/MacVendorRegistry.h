#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

namespace linkwatch {

// The IEEE registration authority's assignments of MAC address blocks: MA-L
// (24-bit prefixes), MA-M (28-bit), MA-S and the older IAB (36-bit). A MAC address
// belongs to the longest assigned prefix it starts with.
class MacVendorRegistry {
 public:
  // How long an assignment's prefix is, in hexadecimal digits.
  enum class BlockSize { Large = 6, Medium = 7, Small = 9 };

  // Adds the assignments of one registry file in the IEEE CSV layout
  // ("Registry,Assignment,Organization Name,Organization Address").
  // Returns false with the reason in `error` when the file cannot be read.
  bool LoadCsv(const std::string& path, BlockSize size, std::string& error);

  // Adds one assignment; the first one given for a prefix is kept.
  void Add(BlockSize size, uint64_t prefix, std::string organization);

  // The organization owning the MAC address given as hexadecimal text; blanks,
  // ".", ":" and "-" between the digits are ignored and letter case does not
  // matter. Empty when the text is not hexadecimal, is shorter than six digits,
  // or no assignment matches.
  std::string Find(const std::string& hexMac) const;

  size_t Size() const;

 private:
  std::unordered_map<uint64_t, std::string> large_;
  std::unordered_map<uint64_t, std::string> medium_;
  std::unordered_map<uint64_t, std::string> small_;
};

}  // namespace linkwatch
