#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace linkwatch::testing {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "linkwatch-catalog-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Writes `contents` to a file of that name in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& contents) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary) << contents;
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace linkwatch::testing
