#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/MibTree.h"

namespace linkwatch::fakes {

// An in-memory MIB database: objects registered by name (matched ignoring letter
// case) with their OID, description, enumeration labels and access code. It
// records every name its objects are given, so tests can see what was asked.
class FakeMibTree : public MibTree {
 public:
  struct Entry {
    std::string Name;
    std::string Oid;  // dotted decimal, no leading dot
    std::string Description;
    std::map<int32_t, std::string> Labels;
    int32_t Access = kMibReadOnly;
  };

  void Register(const std::string& name, const std::string& oid,
                const std::string& description = {},
                std::map<int32_t, std::string> labels = {}, int32_t access = kMibReadOnly);

  std::unique_ptr<MibObject> NewObject() override;
  std::string SymbolicName(const std::string& numericOid) const override;

  // Objects made so far, and the names given to them in order.
  int ObjectsCreated() const { return objectsCreated_; }
  const std::vector<std::string>& NamesAsked() const { return *namesAsked_; }

 private:
  std::shared_ptr<std::map<std::string, Entry>> entries_ =
      std::make_shared<std::map<std::string, Entry>>();  // by upper-cased name
  std::shared_ptr<std::vector<std::string>> namesAsked_ =
      std::make_shared<std::vector<std::string>>();
  int objectsCreated_ = 0;
};

}  // namespace linkwatch::fakes
