#pragma once
#include <memory>
#include <string>

#include "components/MibObject.h"

namespace linkwatch {

// The MIB database: object names, numeric OIDs, access and enumeration labels.
class MibTree {
 public:
  virtual ~MibTree() = default;

  virtual std::unique_ptr<MibObject> NewObject() = 0;
  // Symbolic form of a numeric OID: the longest known object name followed by the
  // rest of the OID, for example "ifInOctets.3". An OID under no known object
  // comes back unchanged.
  virtual std::string SymbolicName(const std::string& numericOid) const = 0;
};

}  // namespace linkwatch
