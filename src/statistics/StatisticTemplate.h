#pragma once
#include <memory>
#include <string>

#include "components/MibObject.h"
#include "components/MibTree.h"

namespace pugi {
class xml_node;
}

namespace linkwatch {

// The definition of one statistic, read from one Statistic element of the
// statistics file: which MIB object to read, its column header, value parser,
// units and flags. A template never changes after it has been loaded.
class StatisticTemplate {
 public:
  // The MIB name of statistics that are a check box of the control itself and
  // read nothing from the device (stored upper-cased, like every MIB name).
  static constexpr const char* kEnableCheckbox = "ENABLECHECKBOX";

  // Read-only properties, in the order the host sees them.
  const std::string& Group() const { return group_; }
  const std::string& MIB() const { return mib_; }
  // The resolved MIB object; none for an "EnableCheckbox" template.
  std::shared_ptr<const MibObject> OID() const { return oid_; }
  const std::string& StatName() const { return statName_; }
  const std::string& Header() const { return header_; }
  const std::string& Parser() const { return parser_; }
  bool CheckBox() const { return checkBox_; }
  const std::string& Units() const { return units_; }
  // The MIB object's description when there is one, else the file's text.
  std::string Description() const;
  bool Counter() const { return counter_; }
  bool CustomSort() const { return customSort_; }
  const std::string& Child() const { return child_; }
  bool Graphable() const { return graphable_; }

  // Fills this fresh template from one Statistic element and tells whether it is
  // accepted: it needs a MIB name that is "EnableCheckbox" or that mibs resolves
  // to a numeric OID (without a MIB database only the former).
  bool LoadFromNode(const pugi::xml_node& node, MibTree* mibs);

  // Whether the table sorts a column with this parser by its own comparison.
  static bool SortsCustom(const std::string& parser);

 private:
  std::string group_;
  std::string mib_;
  std::string description_;
  std::string statName_;
  std::string header_;
  std::shared_ptr<MibObject> oid_;
  std::string parser_;
  bool checkBox_ = false;
  std::string units_;
  bool counter_ = false;
  bool customSort_ = false;
  std::string child_;
  bool graphable_ = false;
};

}  // namespace linkwatch
