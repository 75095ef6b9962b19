#include "statistics/StatisticTemplates.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <mutex>
#include <pugixml.hpp>
#include <stdexcept>

#include "common/ModuleFile.h"
#include "common/TextFunctions.h"

namespace linkwatch {
namespace {

// The override is set by a host once (or by tests) and read by every thread.
std::mutex overrideMutex;
std::string& OverridePath() {
  static std::string path;
  return path;
}

// Where and why a file is not well-formed XML, as a person looks for it: line and
// column counted from 1 (pugixml gives a byte offset).
std::string ParseErrorText(const std::string& path, const pugi::xml_parse_result& result) {
  if (result.status == pugi::status_file_not_found || result.status == pugi::status_io_error) {
    return "the file cannot be read";
  }
  std::ifstream file(path, std::ios::binary);
  long line = 1;
  long column = 1;
  char c = 0;
  for (ptrdiff_t at = 0; at < result.offset && file.get(c); ++at) {
    if (c == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
         result.description();
}

}  // namespace

StatisticTemplates::StatisticTemplates(std::shared_ptr<MibTree> mibs) : mibs_(std::move(mibs)) {}

std::string StatisticTemplates::FileLocation() {
  std::string override = FileOverride();
  if (!override.empty()) {
    return override;
  }
  const char* fromEnvironment = std::getenv(kEnvironmentVariable);
  if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
    return fromEnvironment;
  }
  return ModuleFile::ConfigFileFor(ModuleFile::Path());
}

void StatisticTemplates::SetFileOverride(const std::string& path) {
  std::lock_guard<std::mutex> lock(overrideMutex);
  OverridePath() = path;
}

std::string StatisticTemplates::FileOverride() {
  std::lock_guard<std::mutex> lock(overrideMutex);
  return OverridePath();
}

void StatisticTemplates::Refresh() {
  try {
    statisticsFile_ = FileLocation();
  } catch (const std::exception&) {
    // No path: nothing to read.
    return;
  }
  pugi::xml_document document;
  // A file that is missing, unreadable or not well-formed gives no templates;
  // pugixml would otherwise keep the part it read before the error.
  const pugi::xml_parse_result result = document.load_file(statisticsFile_.c_str());
  if (result) {
    loadError_.clear();
    AddFromDocument(document);
  } else {
    loadError_ = ParseErrorText(statisticsFile_, result);
  }
}

void StatisticTemplates::RefreshFromText(const std::string& xml) {
  pugi::xml_document document;
  if (document.load_buffer(xml.data(), xml.size())) {
    AddFromDocument(document);
  }
}

void StatisticTemplates::AddFromDocument(const pugi::xml_document& xml) {
  pugi::xpath_node_set nodes;
  try {
    nodes = xml.select_nodes(kStatisticPath);
  } catch (const std::exception&) {
    return;
  }
  for (const pugi::xpath_node& found : nodes) {
    try {
      auto statisticTemplate = std::make_shared<StatisticTemplate>();
      if (statisticTemplate->LoadFromNode(found.node(), mibs_.get())) {
        const std::string key = UpperCase(statisticTemplate->StatName());
        templates_.Add(key, std::move(statisticTemplate));
      }
    } catch (const std::exception&) {
      // A MIB database that fails on one element costs only that element.
    }
  }
}

void StatisticTemplates::Clear() { templates_.Clear(); }

std::shared_ptr<StatisticTemplate> StatisticTemplates::Item(const std::string& statName) const {
  return templates_.Item(statName);
}

std::shared_ptr<StatisticTemplate> StatisticTemplates::Item(int32_t position) const {
  return templates_.Item(position);
}

int32_t StatisticTemplates::Count() const { return templates_.Count(); }

void StatisticTemplates::Remove(const std::string& statName) {
  if (!templates_.Remove(statName)) {
    throw std::invalid_argument("no statistic template named \"" + statName + "\"");
  }
}

void StatisticTemplates::Remove(int32_t position) {
  if (!templates_.Remove(position)) {
    throw std::invalid_argument("no statistic template at position " + std::to_string(position));
  }
}

}  // namespace linkwatch
