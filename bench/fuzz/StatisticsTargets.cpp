// Targets for the statistics: the statistics file reader (the shipped file,
// mutated) and every value parser with random raw and hexadecimal values.
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "FuzzTarget.h"
#include "common/Globals.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::fuzz {
namespace {

// The parser names of the statistics file (ValueParsers.cpp), and some that name none.
const std::vector<std::string> kParsers = {
    "TRAFFIC", "BPS", "BYTES", "UTILIZATION", "/10", "NUMBER", "BOOLEAN", "TRUTHVALUE",
    "MILLISECONDS", "TIMESTAMP", "NEGATIVETIMESTAMP", "NEGATIVETIMESECONDS", "TIMESPAN", "ENUM",
    "ENUMSTRING", "OID", "MACADDRESS", "MACVENDOR", "OPERSTATUS", "ADMINSTATUS", "INTERFACETYPE",
    "INTERFACETYPEDESCRIPTION", "ICON", "CISCONETWORKADDRESS", "APPLETALKADDRESS", "REVERSEDNS",
    "DOT11COUNTRYSTRING", "DOT11INDOOROUTDOOR", "DOT11RADIOTYPE", "DOT11CCAMODE",
    "WIRELESSCLIENTDATARATES", "DS1LINESTATUS", "", "traffic", "NO SUCH PARSER"};

const std::vector<std::string> kUnits = {"", "bps", "B", "OPERSTATUS", "ADMINSTATUS", "%", "C",
                                         "up,down,testing", "1=up;2=down"};

const std::vector<std::string> kXmlTokens = {
    "<Statistic ", "/>", "<Statistics>", "</Statistics>", "NAME=\"", "MIB=\"ifDescr\"",
    "PARSER=\"", "COUNTER=\"yes\"", "CHILD=\"x\"", "CHECKBOX=\"Yes\"", "\"", "&amp;", "&#0;",
    "<![CDATA[", "]]>", "<!--", "-->", "<?xml version=\"1.0\"?>", "WIDTH=\"-99999999999\"",
    "DEFAULTWIDTH=\"1e300\"", "ALIGN=\"9\""};

std::string ShippedStatisticsFile() {
  std::ifstream file(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

fakes::FakePlatform& Platform() {
  auto& platform = dynamic_cast<fakes::FakePlatform&>(Globals::GetPlatform());
  static const bool registered = [&] {
    platform.Mib().Register("ifDescr", "1.3.6.1.2.1.2.2.1.2");
    platform.Mib().Register("ifType", "1.3.6.1.2.1.2.2.1.3");
    platform.Mib().Register("ifInOctets", "1.3.6.1.2.1.2.2.1.10");
    return true;
  }();
  (void)registered;
  return platform;
}

void FuzzStatisticsFile(FuzzInput& input, FuzzFailures& failures) {
  static const std::string shipped = ShippedStatisticsFile();
  const std::string xml = input.OneIn(10) ? input.Bytes(256) : input.Mutate(shipped, kXmlTokens);
  StatisticTemplates templates(Platform().Mibs());
  templates.RefreshFromText(xml);
  // Every template read is found again by its own name.
  for (const auto& statistic : templates) {
    if (!templates.Item(statistic->StatName())) {
      failures.Fail("a template is not found by its name", xml);
      return;
    }
  }
}

void FuzzValueParsers(const Interface* row, FuzzInput& input, FuzzFailures& failures) {
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Statistic");
  const std::string parser = input.OneIn(20) ? input.Text(12) : input.Pick(kParsers);
  const std::string units = input.OneIn(4) ? input.Text(12) : input.Pick(kUnits);
  node.append_attribute("NAME") = "Fuzzed";
  node.append_attribute("MIB") = input.OneIn(2) ? "ifDescr" : "ifType";
  node.append_attribute("PARSER") = parser.c_str();
  node.append_attribute("UNITS") = units.c_str();
  if (input.OneIn(3)) node.append_attribute("COUNTER") = "yes";
  auto made = std::make_shared<StatisticTemplate>();
  if (!made->LoadFromNode(node, &Platform().Mib())) return;

  Statistic statistic(made);
  const std::string childIndex = input.OneIn(3) ? input.Text(8) : "";
  // A few values in a row: counters need two samples before they show a rate.
  const size_t samples = 1 + input.Below(3);
  for (size_t i = 0; i < samples; ++i) {
    const std::string value = input.Text(40);
    const std::string hex = input.OneIn(2) ? input.HexText(16) : input.Text(24);
    Platform().Time().AdvanceSeconds(static_cast<int>(input.Below(400)));
    statistic.SetValue(input.OneIn(4) ? nullptr : row, childIndex, value, hex);
    // The display text is one line of bounded length, whatever the value.
    if (statistic.ParsedValue().size() > 4096) {
      failures.Fail(parser + " made a display text of " +
                        std::to_string(statistic.ParsedValue().size()) + " bytes",
                    value);
    }
  }
}

}  // namespace

std::vector<FuzzTarget> StatisticsTargets() {
  // One interface with a bandwidth, for the parsers that read their row.
  auto interfaces = std::make_shared<Interfaces>();
  interfaces->SetBandwidth(7, 10000000.0f);
  return {{"statistics file reader", FuzzStatisticsFile},
          {"value parsers", [interfaces](FuzzInput& input, FuzzFailures& failures) {
             FuzzValueParsers(interfaces->Item("I:7").get(), input, failures);
           }}};
}

}  // namespace linkwatch::fuzz
