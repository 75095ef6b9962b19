#pragma once
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/mib/BuiltinMibTree.h"
#include "support/Files.h"

namespace linkwatch::test {

// A scratch folder for MIB and catalogue files, removed with them when it goes.
class MibTestFolder : public support::TemporaryDirectory {
 public:
  MibTestFolder() : TemporaryDirectory("linkwatch-mib") {}
  std::filesystem::path Path() const { return TemporaryDirectory::Path(); }
  std::filesystem::path Write(const std::string& fileName, const std::string& text) const {
    const auto file = Path() / fileName;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
};

// The catalogue shipped in the source tree.
inline std::filesystem::path ShippedCatalogue() {
  return std::filesystem::path(LINKWATCH_SOURCE_DIR) / "data" / "mibs";
}

// A new object of the tree, named `name`.
inline std::unique_ptr<MibObject> Named(MibTree& tree, const std::string& name) {
  auto object = tree.NewObject();
  object->SetName(name);
  return object;
}

}  // namespace linkwatch::test
