#include "MetricNaming.h"

#include <cctype>
#include <set>

#include "MetricSet.h"
#include "components/MibTree.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::exporter {
namespace {

bool MakesNumber(const std::string& parser) {
  static const std::set<std::string> kNumberParsers = {
      "NUMBER", "BPS", "BYTES", "TRAFFIC", "UTILIZATION", "/10", "MILLISECONDS"};
  return kNumberParsers.count(parser) > 0;
}

// Only letters, digits and "_" remain, as metric names allow.
std::string MetricNamePart(const std::string& text) {
  std::string out;
  for (const char c : text) {
    out += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
  }
  return out;
}

}  // namespace

MetricNaming::MetricNaming(const StatisticTemplates& templates, std::shared_ptr<MibTree> mibs)
    : mibs_(std::move(mibs)) {
  for (const auto& definition : templates) {
    if (definition && definition->Counter()) counterObjects_[definition->MIB()] = true;
  }
}

const MetricDefinition& MetricNaming::For(const StatisticTemplate& definition) {
  const auto found = definitions_.find(definition.StatName());
  if (found != definitions_.end()) return found->second;
  return definitions_.emplace(definition.StatName(), Define(definition)).first->second;
}

std::string MetricNaming::ObjectName(const StatisticTemplate& definition) const {
  const auto object = definition.OID();
  if (object && mibs_) {
    const std::string numeric = object->NumericOid();
    const std::string symbolic = numeric.empty() ? std::string() : mibs_->SymbolicName(numeric);
    // The catalogue's own spelling, when it names exactly this object.
    if (!symbolic.empty() && symbolic != numeric && symbolic.find('.') == std::string::npos) {
      return symbolic;
    }
  }
  return definition.MIB();
}

MetricDefinition MetricNaming::Define(const StatisticTemplate& definition) const {
  MetricDefinition result;
  result.Help = definition.StatName() + ": " + definition.Description();
  if (definition.MIB() == StatisticTemplate::kEnableCheckbox || definition.Parser() == "ICON" ||
      !definition.OID()) {
    return result;
  }
  if (counterObjects_.count(definition.MIB()) > 0) {
    result.What = MetricDefinition::Kind::Counter;
    result.Family = "linkwatch_" + MetricNamePart(ObjectName(definition));
    result.Help = "The device's counter " + ObjectName(definition) + " (raw value).";
  } else if (MakesNumber(definition.Parser())) {
    result.What = MetricDefinition::Kind::Gauge;
    result.Family = "linkwatch_" + MetricNamePart(ObjectName(definition));
    result.Help = ObjectName(definition) + ": " + definition.Description();
  } else {
    result.What = MetricDefinition::Kind::Text;
    result.Label = MetricSet::LabelName(definition.StatName());
  }
  return result;
}

}  // namespace linkwatch::exporter
