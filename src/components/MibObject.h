#pragma once
#include <cstdint>
#include <string>

namespace linkwatch {

// Access codes answered by MibObject::AccessCode().
enum MibAccess : int32_t {
  kMibNotAccessible = 0,  // not-accessible, accessible-for-notify, or unknown object
  kMibReadOnly = 1,
  kMibWritable = 2,  // read-write, read-create, write-only
};

// The MIB database's view of one statistic's object. It is created empty, given
// the object's name once (upper-cased by the caller; names are matched ignoring
// letter case) and then asked about that object.
class MibObject {
 public:
  virtual ~MibObject() = default;

  virtual void SetName(const std::string& name) = 0;
  virtual std::string Name() const = 0;

  // Dotted decimal OID without a leading dot; empty when the name is unknown.
  virtual std::string NumericOid() const = 0;
  // One line describing the object; empty when unknown.
  virtual std::string Description() const = 0;
  // Label of an enumerated value, or fallback when the value has no label.
  virtual std::string EnumLabel(int32_t value, const std::string& fallback) const = 0;
  // Label of an enumerated value, or the value in decimal when it has no label.
  virtual std::string EnumText(int32_t value) const = 0;
  virtual int32_t AccessCode() const = 0;
};

}  // namespace linkwatch
