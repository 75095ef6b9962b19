#pragma once
#include <QByteArray>
#include <QJsonDocument>
#include <string>
#include <string_view>

namespace linkwatch::cli::testing_json {

// Whether text is one well-formed JSON value (RFC 8259), white space around it
// allowed: Qt's reader checks the grammar and the UTF-8; raw control characters,
// which it lets through inside strings, are refused here (line ends between
// values aside). error says why not.
inline bool IsValidJson(std::string_view text, std::string& error) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n') {
      error = "a raw control character";
      return false;
    }
  }
  const size_t first = text.find_first_not_of(" \n");
  if (first == std::string_view::npos) {
    error = "no value";
    return false;
  }
  // Qt reads an object or an array as the whole text: a lone value goes in one.
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  const bool container = text[first] == '{' || text[first] == '[';
  QJsonParseError parse;
  QJsonDocument::fromJson(container ? bytes : "[" + bytes + "]", &parse);
  error = parse.errorString().toStdString() + " at byte " + std::to_string(parse.offset);
  return parse.error == QJsonParseError::NoError;
}

}  // namespace linkwatch::cli::testing_json
