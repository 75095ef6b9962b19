#pragma once
#include <memory>
#include <string>

#include "components/MibObject.h"
#include "platform/mib/MibDatabase.h"

namespace linkwatch {

// One statistic's view of the MIB database: resolved once when it is named, then
// answered from that entry. An unknown name answers empty texts, the fallbacks
// and "not accessible".
class BuiltinMibObject final : public MibObject {
 public:
  explicit BuiltinMibObject(std::shared_ptr<MibDatabase> database);

  void SetName(const std::string& name) override;
  std::string Name() const override { return name_; }
  std::string NumericOid() const override;
  std::string Description() const override;
  std::string EnumLabel(int32_t value, const std::string& fallback) const override;
  std::string EnumText(int32_t value) const override;
  int32_t AccessCode() const override;

 private:
  std::shared_ptr<MibDatabase> database_;
  std::string name_;
  std::shared_ptr<const MibEntry> entry_;  // none while unnamed or unknown
};

}  // namespace linkwatch
