#include "platform/mib/BuiltinMibObject.h"

namespace linkwatch {

BuiltinMibObject::BuiltinMibObject(std::shared_ptr<MibDatabase> database)
    : database_(std::move(database)) {}

void BuiltinMibObject::SetName(const std::string& name) {
  name_ = name;
  entry_ = database_ ? database_->Resolve(name) : nullptr;
}

std::string BuiltinMibObject::NumericOid() const { return entry_ ? entry_->oid : std::string(); }

std::string BuiltinMibObject::Description() const {
  return entry_ ? entry_->description : std::string();
}

std::string BuiltinMibObject::EnumLabel(int32_t value, const std::string& fallback) const {
  if (!entry_) return fallback;
  const auto label = entry_->enumLabels.find(value);
  return label == entry_->enumLabels.end() ? fallback : label->second;
}

std::string BuiltinMibObject::EnumText(int32_t value) const {
  return EnumLabel(value, std::to_string(value));
}

int32_t BuiltinMibObject::AccessCode() const { return entry_ ? entry_->access : kMibNotAccessible; }

}  // namespace linkwatch
