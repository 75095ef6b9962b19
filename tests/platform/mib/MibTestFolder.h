#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace linkwatch::test {

// A fresh folder under the system's temporary directory, removed with its files
// when the object goes.
class MibTestFolder {
 public:
  MibTestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "linkwatch-mib-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~MibTestFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  MibTestFolder(const MibTestFolder&) = delete;
  MibTestFolder& operator=(const MibTestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  std::filesystem::path Write(const std::string& fileName, const std::string& text) const {
    const auto file = path_ / fileName;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// The catalogue shipped in the source tree.
inline std::filesystem::path ShippedCatalogue() {
  return std::filesystem::path(LINKWATCH_SOURCE_DIR) / "data" / "mibs";
}

}  // namespace linkwatch::test
