#include "JsonLineLocator.h"

#include <string_view>

namespace linkwatch::exporter {
namespace {

constexpr int kMaxDepth = 512;  // deeper than any configuration; the parser allows no more

}  // namespace

JsonLineLocator::JsonLineLocator(const std::string& text) : text_(text) { ReadValue("", 0); }

int JsonLineLocator::LineOf(std::string path) const {
  for (;;) {
    const auto found = lines_.find(path);
    if (found != lines_.end()) return found->second;
    if (path.empty()) return 1;
    // Up one level: "devices[2].port" -> "devices[2]" -> "devices" -> "".
    const size_t cut = path.find_last_of(".[");
    path = cut == std::string::npos ? std::string() : path.substr(0, cut);
  }
}

void JsonLineLocator::SkipSpace() {
  while (position_ < text_.size() &&
         (text_[position_] == ' ' || text_[position_] == '\t' || text_[position_] == '\n' ||
          text_[position_] == '\r')) {
    if (text_[position_] == '\n') ++line_;
    ++position_;
  }
}

// At an opening quote: the string's text with \" \\ \/ undone (other escapes kept
// as written; they cannot end the string).
std::string JsonLineLocator::ReadString() {
  std::string value;
  ++position_;
  while (position_ < text_.size() && text_[position_] != '"') {
    if (text_[position_] == '\\' && position_ + 1 < text_.size()) {
      const char escaped = text_[++position_];
      if (escaped != '"' && escaped != '\\' && escaped != '/') value += '\\';
      value += escaped;
    } else {
      value += text_[position_];
    }
    ++position_;
  }
  ++position_;  // the closing quote
  return value;
}

void JsonLineLocator::ReadValue(const std::string& path, int depth) {
  SkipSpace();
  if (position_ >= text_.size() || depth > kMaxDepth) return;
  lines_.emplace(path, line_);
  const char first = text_[position_];
  if (first == '"') {
    ReadString();
  } else if (first == '{' || first == '[') {
    const char close = first == '{' ? '}' : ']';
    ++position_;
    for (int index = 0;; ++index) {
      SkipSpace();
      if (position_ >= text_.size()) return;
      if (text_[position_] == close) break;
      std::string member = path + "[" + std::to_string(index) + "]";
      if (first == '{') {
        if (text_[position_] != '"') return;
        const std::string key = ReadString();
        member = path.empty() ? key : path + "." + key;
        SkipSpace();
        if (position_ >= text_.size() || text_[position_] != ':') return;
        ++position_;
      }
      ReadValue(member, depth + 1);
      SkipSpace();
      // A comma goes on; anything but the closing bracket is not JSON: stop.
      if (position_ < text_.size() && text_[position_] == ',') {
        ++position_;
      } else if (position_ >= text_.size() || text_[position_] != close) {
        return;
      }
    }
    ++position_;  // the closing bracket
  } else {
    // A number, true, false or null: up to the next separator.
    while (position_ < text_.size() &&
           std::string_view(",]} \t\r\n").find(text_[position_]) == std::string_view::npos) {
      ++position_;
    }
  }
}

}  // namespace linkwatch::exporter
