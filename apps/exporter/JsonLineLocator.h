#pragma once
#include <map>
#include <string>

namespace linkwatch::exporter {

// Finds where a value stands in a JSON text, by the path that ConfigFile's errors
// use ("devices[2].port"), since Qt's JSON classes keep no positions.
//
// It reads the text once and notes the line (from 1) where every value starts. A
// path that is not there (a missing field) gives the line of its nearest
// enclosing value that is: the object the field is missing from. Strings are read
// with their escapes, so quotes, brackets and commas inside them change nothing.
// Meant for text the JSON parser has accepted; on anything else it stops early
// and answers with what it found.
class JsonLineLocator {
 public:
  explicit JsonLineLocator(const std::string& text);

  int LineOf(std::string path) const;

 private:
  void SkipSpace();
  std::string ReadString();
  void ReadValue(const std::string& path, int depth);

  const std::string& text_;
  size_t position_ = 0;
  int line_ = 1;
  std::map<std::string, int> lines_;  // path -> line of its value
};

}  // namespace linkwatch::exporter
