#pragma once
#include <map>
#include <memory>
#include <string>

namespace linkwatch {
class MibTree;
class StatisticTemplate;
class StatisticTemplates;
}  // namespace linkwatch

namespace linkwatch::exporter {

// How one statistic of the statistics file is exported.
struct MetricDefinition {
  enum class Kind {
    None,     // nothing to export (the control's own check box, a picture)
    Counter,  // the raw counter value, family linkwatch_<MIB object>, sample ..._total
    Gauge,    // CurrentValue, family linkwatch_<MIB object>
    Text,     // ParsedValue, a label of linkwatch_interface_info
  };
  Kind What = Kind::None;
  std::string Family;  // counters and gauges: "linkwatch_ifHCInOctets"
  std::string Label;   // texts: the label name, "interface_status"
  std::string Help;
};

// Names metrics after the statistics file, the same way at every start:
//
// - A MIB object that any statistic of the file reads as a counter (COUNTER="Yes")
//   is a counter, whatever the statistic shown: linkwatch_<MIB object name>_total
//   carries the device's raw counter so Prometheus computes rates itself.
// - A statistic whose parser makes a number of the value (NUMBER, BPS, BYTES,
//   TRAFFIC, UTILIZATION, /10, MILLISECONDS) is a gauge linkwatch_<MIB object name>
//   holding the statistic's CurrentValue.
// - Every other statistic (names, types, MAC addresses, statuses, dates) is a text:
//   a label, named after the statistic in snake case, of linkwatch_interface_info.
// - Pictures (ICON) and the control's own check boxes are not exported.
//
// The MIB object's name is the MIB catalogue's spelling ("ifHCInOctets"); several
// statistics that read one object share its metric.
class MetricNaming {
 public:
  MetricNaming(const StatisticTemplates& templates, std::shared_ptr<MibTree> mibs);

  const MetricDefinition& For(const StatisticTemplate& definition);

  static constexpr const char* kInfoFamily = "linkwatch_interface";

 private:
  MetricDefinition Define(const StatisticTemplate& definition) const;
  std::string ObjectName(const StatisticTemplate& definition) const;

  std::shared_ptr<MibTree> mibs_;
  std::map<std::string, bool> counterObjects_;          // upper-case MIB name -> counts
  std::map<std::string, MetricDefinition> definitions_;  // by statistic name
};

}  // namespace linkwatch::exporter
