#include "fakes/FakeMibTree.h"

#include "common/TextFunctions.h"

namespace linkwatch::fakes {
namespace {

// An object of the fake database. It shares the tree's tables, so it stays
// usable even if the tree goes first.
class FakeMibObject : public MibObject {
 public:
  FakeMibObject(std::shared_ptr<std::map<std::string, FakeMibTree::Entry>> entries,
                std::shared_ptr<std::vector<std::string>> namesAsked)
      : entries_(std::move(entries)), namesAsked_(std::move(namesAsked)) {}

  void SetName(const std::string& name) override {
    name_ = name;
    namesAsked_->push_back(name);
  }
  std::string Name() const override { return name_; }
  std::string NumericOid() const override { return Get() ? Get()->Oid : std::string(); }
  std::string Description() const override {
    return Get() ? Get()->Description : std::string();
  }
  std::string EnumLabel(int32_t value, const std::string& fallback) const override {
    if (const FakeMibTree::Entry* entry = Get()) {
      const auto label = entry->Labels.find(value);
      if (label != entry->Labels.end()) {
        return label->second;
      }
    }
    return fallback;
  }
  std::string EnumText(int32_t value) const override {
    return EnumLabel(value, std::to_string(value));
  }
  int32_t AccessCode() const override { return Get() ? Get()->Access : kMibNotAccessible; }

 private:
  const FakeMibTree::Entry* Get() const {
    const auto found = entries_->find(UpperCase(name_));
    return found == entries_->end() ? nullptr : &found->second;
  }

  std::shared_ptr<std::map<std::string, FakeMibTree::Entry>> entries_;
  std::shared_ptr<std::vector<std::string>> namesAsked_;
  std::string name_;
};

}  // namespace

void FakeMibTree::Register(const std::string& name, const std::string& oid,
                           const std::string& description, std::map<int32_t, std::string> labels,
                           int32_t access) {
  (*entries_)[UpperCase(name)] = Entry{name, oid, description, std::move(labels), access};
}

std::unique_ptr<MibObject> FakeMibTree::NewObject() {
  ++objectsCreated_;
  return std::make_unique<FakeMibObject>(entries_, namesAsked_);
}

std::string FakeMibTree::SymbolicName(const std::string& numericOid) const {
  const Entry* best = nullptr;
  for (const auto& [key, entry] : *entries_) {
    const std::string& oid = entry.Oid;
    const bool under = numericOid.size() >= oid.size() &&
                       numericOid.compare(0, oid.size(), oid) == 0 &&
                       (numericOid.size() == oid.size() || numericOid[oid.size()] == '.');
    if (!oid.empty() && under && (!best || oid.size() > best->Oid.size())) {
      best = &entry;
    }
  }
  return best ? best->Name + numericOid.substr(best->Oid.size()) : numericOid;
}

}  // namespace linkwatch::fakes
