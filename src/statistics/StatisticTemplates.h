#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/KeyedCollection.h"
#include "components/MibTree.h"
#include "statistics/StatisticTemplate.h"

namespace pugi {
class xml_document;
}

namespace linkwatch {

// The statistic definitions of the statistics file, keyed by statistic name
// (letter case ignored) in file order. One collection per thread, shared by its
// controls (see Globals).
//
// Where the file is: LINKWATCH_STATISTICS_FILE in the environment, or else the
// file named after the library's module beside it (ModuleFile::ConfigFileFor); a
// path given to SetFileOverride wins over both.
class StatisticTemplates {
 public:
  using const_iterator = KeyedCollection<StatisticTemplate>::const_iterator;

  // Empty until Refresh; mibs resolves the MIB names of the file.
  explicit StatisticTemplates(std::shared_ptr<MibTree> mibs);

  // Reads the statistics file and adds the templates whose names are not present
  // yet; the first definition of a name wins. Nothing is removed first and every
  // failure (no file, malformed XML, a rejected element) is passed over.
  void Refresh();
  // As Refresh, from an XML document given as text instead of the file (hosts that
  // carry their own definitions, tests). StatisticsFile is left as it was.
  void RefreshFromText(const std::string& xml);

  // Removes every template, the first one each time until none is left.
  void Clear();

  // By name in any letter case, or by position counted from 1; none for a miss.
  std::shared_ptr<StatisticTemplate> Item(const std::string& statName) const;
  std::shared_ptr<StatisticTemplate> Item(int32_t position) const;
  int32_t Count() const;
  // Throws std::invalid_argument when there is no such name or position.
  void Remove(const std::string& statName);
  void Remove(int32_t position);

  const_iterator begin() const { return templates_.begin(); }
  const_iterator end() const { return templates_.end(); }

  // The path the last Refresh read.
  const std::string& StatisticsFile() const { return statisticsFile_; }
  // Why the last Refresh took nothing from the file: empty when it was read, else
  // a plain English reason such as "line 3, column 14: start-end tags mismatch".
  const std::string& LoadError() const { return loadError_; }

  // The path Refresh reads now.
  static std::string FileLocation();
  // Makes every later Refresh (on any thread) read path; an empty path removes
  // the override.
  static void SetFileOverride(const std::string& path);
  static std::string FileOverride();

  static constexpr const char* kEnvironmentVariable = "LINKWATCH_STATISTICS_FILE";
  static constexpr const char* kStatisticPath = "/Portsight/Statistics/Statistic";

 private:
  void AddFromDocument(const pugi::xml_document& document);

  std::shared_ptr<MibTree> mibs_;
  KeyedCollection<StatisticTemplate> templates_;
  std::string statisticsFile_;
  std::string loadError_;
};

}  // namespace linkwatch
