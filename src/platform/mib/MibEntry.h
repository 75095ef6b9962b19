#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "components/MibObject.h"

namespace linkwatch {

// What the MIB database knows about one object: its name as the MIB writes it,
// its numeric OID (dotted decimal, no leading dot), who may write it, the labels
// of its enumerated values and a one-line description.
struct MibEntry {
  std::string name;
  std::string oid;
  MibAccess access = kMibNotAccessible;
  std::map<int32_t, std::string> enumLabels;
  std::string description;
};

}  // namespace linkwatch
