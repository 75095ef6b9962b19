#include "platform/mib/MibCatalogueReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "platform/mib/MibTextRules.h"

namespace linkwatch {

namespace {

using EnumList = std::map<int32_t, std::string>;

// An object line waiting for its named enumeration to be known.
struct PendingObject {
  MibEntry entry;
  std::string enumTypeName;  // empty: the entry's labels are final
  std::string where;
};

// Everything read so far, across files; named enumerations are resolved at the end
// so that a type may be defined after (or in another file than) its first use.
struct ReadState {
  std::vector<PendingObject> objects;
  std::map<std::string, EnumList> enumTypes;
  std::vector<std::string> problems;
};

bool IsIdentifier(std::string_view word) {
  if (word.empty() || !std::isalpha(static_cast<unsigned char>(word.front()))) return false;
  return std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
  });
}

// "up(1),down(2)" into labels; nothing when any item is malformed.
std::optional<EnumList> ParseEnumList(std::string_view text) {
  EnumList labels;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view item = mibtext::Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const size_t open = item.find('(');
    if (open == std::string_view::npos || item.back() != ')') return std::nullopt;
    const std::string_view label = item.substr(0, open);
    const std::string_view number = item.substr(open + 1, item.size() - open - 2);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (!IsIdentifier(label) || error != std::errc() || end != number.data() + number.size()) {
      return std::nullopt;
    }
    labels[value] = std::string(label);
  }
  if (labels.empty()) return std::nullopt;
  return labels;
}

// Splits off the next blank-separated word of `rest`.
std::string_view NextWord(std::string_view& rest) {
  rest = mibtext::Trim(rest);
  size_t end = 0;
  while (end < rest.size() && rest[end] != ' ' && rest[end] != '\t') ++end;
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

void ReadEnumTypeLine(std::string_view line, const std::string& where, ReadState& state) {
  std::string_view rest = line.substr(1);
  const std::string_view typeName = NextWord(rest);
  const auto labels = ParseEnumList(mibtext::Trim(rest));
  if (!IsIdentifier(typeName) || !labels) {
    state.problems.push_back(where + ": malformed enumeration line");
    return;
  }
  EnumList& type = state.enumTypes[std::string(typeName)];
  type.insert(labels->begin(), labels->end());
}

void ReadObjectLine(std::string_view line, const std::string& where, ReadState& state) {
  std::string_view rest = line;
  const std::string_view name = NextWord(rest);
  const std::string_view oidText = NextWord(rest);
  const std::string_view accessWord = NextWord(rest);
  const std::string_view enums = NextWord(rest);
  const std::string description = mibtext::OneLine(rest);

  PendingObject object;
  object.where = where;
  const auto oid = mibtext::CanonicalOid(oidText);
  const auto access = mibtext::AccessFromWord(accessWord);
  if (!IsIdentifier(name)) {
    state.problems.push_back(where + ": '" + std::string(name) + "' is not an object name");
    return;
  }
  if (!oid) {
    state.problems.push_back(where + ": '" + std::string(oidText) + "' is not a numeric OID");
    return;
  }
  if (!access) {
    state.problems.push_back(where + ": '" + std::string(accessWord) + "' is not an access word");
    return;
  }
  if (enums.empty()) {
    state.problems.push_back(where + ": the enumeration field is missing");
    return;
  }
  if (enums.front() == '@') {
    object.enumTypeName = std::string(enums.substr(1));
  } else if (enums != "-") {
    const auto labels = ParseEnumList(enums);
    if (!labels) {
      state.problems.push_back(where + ": malformed enumeration '" + std::string(enums) + "'");
      return;
    }
    object.entry.enumLabels = *labels;
  }
  if (description.empty()) state.problems.push_back(where + ": no description");
  object.entry.name = std::string(name);
  object.entry.oid = *oid;
  object.entry.access = *access;
  object.entry.description = description;
  state.objects.push_back(std::move(object));
}

void ReadInto(std::string_view text, const std::string& sourceName, ReadState& state) {
  int lineNumber = 0;
  std::istringstream lines{std::string(text)};
  for (std::string raw; std::getline(lines, raw);) {
    ++lineNumber;
    const std::string_view line = mibtext::Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = sourceName + ":" + std::to_string(lineNumber);
    if (line.front() == '@') {
      ReadEnumTypeLine(line, where, state);
    } else {
      ReadObjectLine(line, where, state);
    }
  }
}

MibCatalogueReader::Result Finish(ReadState& state) {
  MibCatalogueReader::Result result;
  std::set<std::string> names;
  std::set<std::string> oids;
  for (PendingObject& object : state.objects) {
    if (!object.enumTypeName.empty()) {
      const auto type = state.enumTypes.find(object.enumTypeName);
      if (type == state.enumTypes.end()) {
        state.problems.push_back(object.where + ": unknown enumeration @" + object.enumTypeName);
      } else {
        object.entry.enumLabels = type->second;
      }
    }
    if (!names.insert(mibtext::UpperCase(object.entry.name)).second) {
      state.problems.push_back(object.where + ": " + object.entry.name + " is defined twice");
      continue;
    }
    if (!oids.insert(object.entry.oid).second) {
      state.problems.push_back(object.where + ": OID " + object.entry.oid + " is given twice");
    }
    result.entries.push_back(std::move(object.entry));
  }
  result.problems = std::move(state.problems);
  return result;
}

bool ReadFileInto(const std::filesystem::path& file, ReadState& state) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  ReadInto(text.str(), file.filename().string(), state);
  return true;
}

}  // namespace

MibCatalogueReader::Result MibCatalogueReader::ReadText(std::string_view text,
                                                        const std::string& sourceName) {
  ReadState state;
  ReadInto(text, sourceName, state);
  return Finish(state);
}

MibCatalogueReader::Result MibCatalogueReader::Read(const std::filesystem::path& path) {
  ReadState state;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(path, error)) {
      if (item.path().extension() == kFileExtension) files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) state.problems.push_back(path.string() + ": no catalogue files");
    for (const auto& file : files) {
      if (!ReadFileInto(file, state)) state.problems.push_back(file.string() + ": cannot be read");
    }
  } else if (!ReadFileInto(path, state)) {
    state.problems.push_back(path.string() + ": cannot be read");
  }
  return Finish(state);
}

}  // namespace linkwatch
