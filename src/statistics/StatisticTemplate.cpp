#include "statistics/StatisticTemplate.h"

#include <pugixml.hpp>

#include "common/TextFunctions.h"

namespace linkwatch {

std::string StatisticTemplate::Description() const {
  return oid_ ? oid_->Description() : description_;
}

bool StatisticTemplate::SortsCustom(const std::string& parser) {
  static const char* const kCustom[] = {"TRAFFIC",    "BYTES",     "ICON",
                                        "BOOLEAN",    "MILLISECONDS", "TRUTHVALUE",
                                        "TIMESTAMP",  "NEGATIVETIMESTAMP", "NUMBER",
                                        "UTILIZATION"};
  for (const char* name : kCustom) {
    if (parser == name) {
      return true;
    }
  }
  return false;
}

bool StatisticTemplate::LoadFromNode(const pugi::xml_node& node, MibTree* mibs) {
  for (const pugi::xml_attribute& attribute : node.attributes()) {
    const std::string name = UpperCase(attribute.name());
    const std::string value = attribute.value();
    if (name == "GROUP") {
      group_ = value;
    } else if (name == "NAME") {
      statName_ = TrimBlanks(value);
    } else if (name == "HEADER") {
      header_ = TrimBlanks(value);
    } else if (name == "DESCRIPTION") {
      description_ = TrimBlanks(value);
    } else if (name == "MIB") {
      mib_ = UpperCase(TrimBlanks(value));
    } else if (name == "PARSER") {
      parser_ = UpperCase(TrimBlanks(value));
    } else if (name == "CHECKBOX") {
      checkBox_ = ParseFlag(value);
    } else if (name == "UNITS") {
      units_ = TrimBlanks(value);
    } else if (name == "COUNTER") {
      counter_ = ParseFlag(value);
    } else if (name == "CHILD") {
      child_ = value;
    } else if (name == "GRAPHABLE") {
      graphable_ = ParseFlag(value);
    }
  }
  customSort_ = SortsCustom(parser_);

  if (mib_.empty()) {
    return false;
  }
  if (mib_ == kEnableCheckbox) {
    return true;
  }
  std::unique_ptr<MibObject> object = mibs ? mibs->NewObject() : nullptr;
  if (!object) {
    return false;
  }
  object->SetName(mib_);
  oid_ = std::move(object);
  return !oid_->NumericOid().empty();
}

}  // namespace linkwatch
