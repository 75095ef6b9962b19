#pragma once
#include <cctype>
#include <string>
#include <string_view>

#include "JsonText.h"

namespace linkwatch::cli::testing_json {

// A strict JSON (RFC 8259) well-formedness check for tests: one value, optional
// white space around it, strings in well-formed UTF-8 without raw control
// characters. Says where it failed in error.
class JsonChecker {
 public:
  explicit JsonChecker(std::string_view text) : text_(text) {}

  bool Check(std::string& error) {
    SkipSpace();
    if (!Value() || (SkipSpace(), pos_ != text_.size())) {
      error = "invalid JSON at byte " + std::to_string(pos_);
      return false;
    }
    return true;
  }

 private:
  bool Value(int depth = 0) {
    if (depth > 64 || pos_ >= text_.size()) return false;
    switch (text_[pos_]) {
      case '{': return Object(depth);
      case '[': return Array(depth);
      case '"': return String();
      case 't': return Word("true");
      case 'f': return Word("false");
      case 'n': return Word("null");
      default: return Number();
    }
  }
  bool Object(int depth) {
    ++pos_;
    SkipSpace();
    if (Take('}')) return true;
    do {
      SkipSpace();
      if (!String()) return false;
      SkipSpace();
      if (!Take(':')) return false;
      SkipSpace();
      if (!Value(depth + 1)) return false;
      SkipSpace();
    } while (Take(','));
    return Take('}');
  }
  bool Array(int depth) {
    ++pos_;
    SkipSpace();
    if (Take(']')) return true;
    do {
      SkipSpace();
      if (!Value(depth + 1)) return false;
      SkipSpace();
    } while (Take(','));
    return Take(']');
  }
  bool String() {
    if (!Take('"')) return false;
    while (pos_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        ++pos_;
        if (pos_ >= text_.size()) return false;
        const char e = text_[pos_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i) {
            if (pos_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[pos_++]))) {
              return false;
            }
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
        continue;
      }
      const size_t length = JsonText::Utf8SequenceLength(text_.substr(pos_));
      if (length == 0) return false;
      pos_ += length;
    }
    return false;
  }
  bool Number() {
    const size_t start = pos_;
    Take('-');
    if (Take('0')) {
    } else if (!Digits()) {
      return false;
    }
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return pos_ > start;
  }
  bool Digits() {
    const size_t start = pos_;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    return pos_ > start;
  }
  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void SkipSpace() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) {
      ++pos_;
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

inline bool IsValidJson(std::string_view text, std::string& error) {
  return JsonChecker(text).Check(error);
}

}  // namespace linkwatch::cli::testing_json
