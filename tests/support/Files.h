#pragma once
#include <filesystem>
#include <string>

namespace linkwatch::support {

// The whole contents of a file; empty when it is missing or unreadable.
std::string ReadFile(const std::filesystem::path& path);

// A fresh directory PREFIX-XXXXXX in the system's temporary folder, removed with
// everything in it when this object goes (also when a test assertion fails).
class TemporaryDirectory {
 public:
  explicit TemporaryDirectory(const std::string& prefix);
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  // Empty when the directory could not be made; Error() says why.
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::string path_;
  std::string error_;
};

}  // namespace linkwatch::support
