#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

namespace linkwatch {

// IANA's private enterprise numbers: the organization behind every branch
// 1.3.6.1.4.1.N of the OID tree, which is where a device's sysObjectID lives.
class EnterpriseRegistry {
 public:
  // Adds the entries of a registry file with one "number<blanks>name" entry a
  // line; lines starting with "#" are comments and a name ends at a tab (what
  // follows it is a remark). Returns false with the reason in `error` when the
  // file cannot be read.
  bool LoadTsv(const std::string& path, std::string& error);

  // Keeps the name without web addresses (some registry entries carry one).
  void Add(uint32_t number, std::string organization);

  // The organization of an enterprise number: the familiar name of the
  // best-known vendors (WellKnownEnterprises), otherwise the registry's name;
  // empty when unassigned.
  std::string Find(uint32_t number) const;

  size_t Size() const;

 private:
  std::unordered_map<uint32_t, std::string> organizations_;
};

}  // namespace linkwatch
