// How each kind of statistic is exported: counters, gauges, info labels, nothing.
#include <gtest/gtest.h>

#include "MetricNaming.h"
#include "platform/host/HostPlatform.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::exporter {
namespace {

TEST(MetricNaming, EachParserKindHasItsMetric) {
  const auto platform = std::make_shared<HostPlatform>(HostPlatformOptions{.Interactive = false});
  StatisticTemplates templates(platform->Mibs());
  templates.RefreshFromText(R"(<Portsight><Statistics>
    <Statistic NAME="In Traffic" MIB="ifHCInOctets" PARSER="TRAFFIC" COUNTER="Yes"/>
    <Statistic NAME="In Bytes" MIB="ifHCInOctets" PARSER="BYTES"/>
    <Statistic NAME="Downstream Power" MIB="docsIfDownChannelPower" PARSER="/10"/>
    <Statistic NAME="Speed" MIB="ifSpeed" PARSER="BPS"/>
    <Statistic NAME="Up Time" MIB="sysUpTime" PARSER="MILLISECONDS"/>
    <Statistic NAME="Interface Status" MIB="ifOperStatus" PARSER="OPERSTATUS"/>
    <Statistic NAME="Status Icon" MIB="ifOperStatus" PARSER="ICON"/>
  </Statistics></Portsight>)");
  MetricNaming naming(templates, platform->Mibs());
  using Kind = MetricDefinition::Kind;
  struct Case {
    const char* statistic;
    Kind kind;
    const char* name;  // family, or the info label for texts
  };
  for (const Case& c : {Case{"In Traffic", Kind::Counter, "linkwatch_ifHCInOctets"},
                        Case{"In Bytes", Kind::Counter, "linkwatch_ifHCInOctets"},
                        Case{"Downstream Power", Kind::Gauge, "linkwatch_docsIfDownChannelPower"},
                        Case{"Speed", Kind::Gauge, "linkwatch_ifSpeed"},
                        Case{"Up Time", Kind::Gauge, "linkwatch_sysUpTime"},
                        Case{"Interface Status", Kind::Text, "interface_status"},
                        Case{"Status Icon", Kind::None, ""}}) {
    SCOPED_TRACE(c.statistic);
    const auto definition = templates.Item(c.statistic);
    ASSERT_NE(definition, nullptr);
    const MetricDefinition& metric = naming.For(*definition);
    EXPECT_EQ(metric.What, c.kind);
    EXPECT_EQ(c.kind == Kind::Text ? metric.Label : metric.Family, c.name);
  }
}

}  // namespace
}  // namespace linkwatch::exporter
