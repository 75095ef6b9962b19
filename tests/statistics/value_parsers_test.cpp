// Every value parser, one data-driven test per group. Each case starts from a
// statistic whose display text is "previous", so a case can tell a parser that
// leaves the text alone from one that clears it.
#include <gtest/gtest.h>

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "StatisticsFileFixture.h"
#include "common/DateFunctions.h"
#include "model/Interfaces.h"
#include "statistics/Ds1LineStatus.h"
#include "statistics/Statistic.h"

namespace linkwatch {
namespace {

using namespace std::string_literals;

struct ParserCase {
  const char* parser;
  const char* units;
  std::string value;
  std::string expectedText;
  std::optional<double> expectedValue = std::nullopt;     // CurrentValue afterwards
  std::optional<int16_t> expectedCheck = std::nullopt;    // CheckBoxValue afterwards
  std::string hexVal = {};
  const char* mib = "ifDescr";
};

class ValueParsersTest : public StatisticsFileFixture {
 protected:
  void SetUp() override {
    StatisticsFileFixture::SetUp();
    interfaces.SetBandwidth(7, 10000000.0f);
    row = interfaces.Item("I:7").get();
  }

  StatisticTemplateRef MakeTemplate(const ParserCase& c, bool counter = false) {
    pugi::xml_document document;
    pugi::xml_node node = document.append_child("Statistic");
    node.append_attribute("NAME") = (std::string("Stat ") + c.parser).c_str();
    node.append_attribute("MIB") = c.mib;
    node.append_attribute("PARSER") = c.parser;
    node.append_attribute("UNITS") = c.units;
    if (counter) node.append_attribute("COUNTER") = "yes";
    auto made = std::make_shared<StatisticTemplate>();
    EXPECT_TRUE(made->LoadFromNode(node, &platform->Mib())) << c.parser;
    return made;
  }

  // Runs the case's value through a fresh statistic and checks the outcome.
  void Check(const std::vector<ParserCase>& cases, const std::string& childIndex = "") {
    for (const ParserCase& c : cases) {
      Statistic statistic(MakeTemplate(c));
      statistic.SetParsedValue("previous");
      const std::string hex = c.hexVal.empty() ? c.value : c.hexVal;
      statistic.SetValue(row, childIndex, c.value, hex);
      const std::string what = std::string(c.parser) + " of '" + c.value + "' " + c.units;
      EXPECT_EQ(statistic.ParsedValue(), c.expectedText) << what;
      if (c.expectedValue) {
        EXPECT_DOUBLE_EQ(statistic.CurrentValue(), *c.expectedValue) << what;
      }
      if (c.expectedCheck) {
        EXPECT_EQ(statistic.CheckBoxValue(), *c.expectedCheck) << what;
      }
    }
  }

  SerialDate At(int hour, int minute, int second = 0) {
    return ToSerialDate({2024, 3, 1, hour, minute, second});
  }

  Interfaces interfaces;
  const Interface* row = nullptr;
};

TEST_F(ValueParsersTest, RatesAndNumbers) {
  Check({
      {"TRAFFIC", "bps", "1250", "10.0 Kbps", 1250},  // octets/s shown as bits/s
      {"BPS", "bps", "1500000000", "1.5 Gbps"},
      {"BYTES", "B", "1048576", "1.00 MB"},
      {"UTILIZATION", "", "1250000", "12.50 %", 12.5},  // 10 Mbit/s interface
      {"/10", "C", "235", "23.5 C"},
      {"NUMBER", "pkts", "42", "42 pkts"},
      {"NO SUCH PARSER", "x", "abc", "abc x"},
  });

  // No bandwidth known: no utilisation, and the rate is kept.
  interfaces.SetBandwidth(7, 0.0f);
  Check({{"UTILIZATION", "", "1250000", "", 1250000}});
}

TEST_F(ValueParsersTest, RateParsersShowNothingWhileACounterBaselines) {
  for (const char* parser : {"TRAFFIC", "UTILIZATION"}) {
    Statistic statistic(MakeTemplate({parser, "bps", "", ""}, /*counter=*/true));
    statistic.SetParsedValue("previous");
    statistic.SetValue(row, "", "1000", "");
    EXPECT_TRUE(statistic.Baselining()) << parser;
    EXPECT_EQ(statistic.ParsedValue(), "") << parser;

    platform->Time().AdvanceSeconds(10);
    statistic.SetValue(row, "", "13500", "");  // 1250 octets per second
    EXPECT_FALSE(statistic.Baselining()) << parser;
    EXPECT_NE(statistic.ParsedValue(), "") << parser;
  }
}

TEST_F(ValueParsersTest, Flags) {
  Check({
      {"BOOLEAN", "", "0", "False", std::nullopt, 0},
      {"BOOLEAN", "", "5", "True", std::nullopt, -1},
      {"TRUTHVALUE", "", "1", "True", std::nullopt, -1},
      {"TRUTHVALUE", "", "2", "False", std::nullopt, 0},
      {"TRUTHVALUE", "", "3", "Unknown", std::nullopt, 0},
  });
}

TEST_F(ValueParsersTest, DurationsAndMoments) {
  // The clock stands at 1 March 2024 12:00:00; the device booted at 10:00.
  Globals::SetSharedLastBoot(At(10, 0));
  Check({
      {"MILLISECONDS", "", "400", "400 milliseconds "},
      {"MILLISECONDS", "", "1000", "1 seconds "},  // a whole second is no longer milliseconds
      {"MILLISECONDS", "", "2500", "2 seconds "},  // 2.5 s rounds to 2, halves to even
      {"MILLISECONDS", "", "-1", ""},
      {"MILLISECONDS", "ago", "90061000", "1 days, 1 hours, 1 minutes, 1 seconds ago"},
      {"TIMESTAMP", "", "360000", "3/1/2024 11:00 AM", At(11, 0)},  // an hour after boot
      {"TIMESTAMP", "", "0", "previous"},
      {"NEGATIVETIMESTAMP", "", "3600000", "3/1/2024 11:00 AM", At(11, 0)},
      {"NEGATIVETIMESTAMP", "", "0", ""},
      {"NEGATIVETIMESECONDS", "", "3600", "3/1/2024 11:00 AM", At(11, 0)},
      {"NEGATIVETIMESECONDS", "", "-5", ""},
      {"TIMESPAN", "", "90061", "1 days, 1 hours, 1 minutes, 1 seconds"},
      {"TIMESPAN", "", "99999999999", "previous"},  // too large for a 32-bit count: skipped
  });
}

TEST_F(ValueParsersTest, LookUps) {
  Globals::Catalog();  // created on first use
  fakes::FakeDeviceCatalog& catalog = *platform->LastCatalog();
  catalog.StatusTexts = {{1, "Up"}, {2, "Down"}, {7, "Admin Down"}};
  catalog.NormalizedStatuses = {{{2, 1}, 7}};  // administrative down
  catalog.StatusIcons = {{1, fakes::MakeFakePicture("status-up")},
                         {2, fakes::MakeFakePicture("status-down")}};
  catalog.TypeTexts = {{6, "ethernetCsmacd"}};
  catalog.TypeDescriptions = {{6, "Ethernet"}};
  catalog.TypeIcons = {{6, fakes::MakeFakePicture("iftype-ethernet")}};
  catalog.MacVendors = {{"001122", "Acme Networks"}};

  Check({
      {"ENUM", "", "2", "down", std::nullopt, std::nullopt, {}, "ifAdminStatus"},
      {"ENUM", "", "9", "Unknown", std::nullopt, std::nullopt, {}, "ifAdminStatus"},
      {"ENUMSTRING", "", "3", "testing", std::nullopt, std::nullopt, {}, "ifAdminStatus"},
      {"OID", "", "1.3.6.1.2.1.2.2.1.10.3", "ifInOctets.3"},
      {"OID", "", "1.3.6.1.4.1.99999.1", "1.3.6.1.4.1.99999.1"},
      {"MACADDRESS", "", "\x00\x11\x22\x33\xAA\xBB"s, "0011.2233.AABB", std::nullopt,
       std::nullopt, "00112233AABB"},
      {"MACVENDOR", "", "\x00\x11\x22\x33\xAA\xBB"s, "Acme Networks", std::nullopt,
       std::nullopt, "00112233AABB"},
      {"OPERSTATUS", "", "1", "Up", std::nullopt, -1},
      {"ADMINSTATUS", "", "2", "Admin Down", std::nullopt, 0},
      {"ADMINSTATUS", "", "1", "Up", std::nullopt, -1},
      {"INTERFACETYPE", "", "6", "ethernetCsmacd"},
      {"INTERFACETYPEDESCRIPTION", "", "6", "Ethernet"},
      {"ICON", "bogus", "1", "previous"},
  });

  // ICON: the picture from the normalised status (Admin Down, 7, has none), the
  // text from the number itself; units in any letter case; no check box.
  const struct {
    const char* units;
    const char* value;
    const char* icon;
    const char* text;
  } icons[] = {{"operstatus", "2", "status-down", "Down"},
               {"ADMINSTATUS", "2", "", "Down"},
               {"InterfaceType", "6", "iftype-ethernet", "ethernetCsmacd"}};
  for (const auto& c : icons) {
    Statistic statistic(MakeTemplate({"ICON", c.units, "", ""}));
    statistic.SetValue(row, "", c.value, "");
    EXPECT_EQ(statistic.IsIcon() ? statistic.Icon()->Name() : "", c.icon) << c.units;
    EXPECT_EQ(statistic.ParsedValue(), c.text) << c.units;
    EXPECT_EQ(statistic.CheckBoxValue(), 0) << c.units;
  }

  // A check-box-only template has no MIB object to ask: the step is skipped.
  Check({{"ENUM", "", "2", "previous", std::nullopt, std::nullopt, {}, "EnableCheckbox"}});
}

TEST_F(ValueParsersTest, Addresses) {
  Check({
      {"CISCONETWORKADDRESS", "", "\x0A\x00\x00\x01"s, "10.0.0.1"},
      {"CISCONETWORKADDRESS", "", "\x0A\x00"s, "previous"},
      {"APPLETALKADDRESS", "", "\x00\x0A\x14\x03\x04"s, "1020.34"},
      {"APPLETALKADDRESS", "", "\x00\x0A\x14\x03"s, "previous"},
  });
}

// An answer shows; an address starts a lookup tagged with the row (0.0.0.0 never).
TEST_F(ValueParsersTest, ReverseDnsStartsALookupTaggedWithTheRow) {
  Globals::Form();
  fakes::FakeDnsResolver& resolver = *platform->LastResolver();

  Check({{"REVERSEDNS", "", "DNS:gateway.example", "gateway.example"},
         {"REVERSEDNS", "", "\x00\x00\x00\x00"s, "previous"},
         {"REVERSEDNS", "", "\x0A\x01\x02\x03"s, "previous"}});
  Check({{"REVERSEDNS", "", "\x0A\x01\x02\x04"s, "previous"}}, "4.84.101");

  ASSERT_EQ(resolver.Lookups().size(), 2u);
  EXPECT_EQ(resolver.Lookups()[0].Address, "10.1.2.3");
  EXPECT_EQ(resolver.Lookups()[0].Tag, "7::Stat REVERSEDNS");
  EXPECT_TRUE(resolver.Lookups()[0].Enabled);
  EXPECT_EQ(resolver.Lookups()[1].Tag, "7:4.84.101:Stat REVERSEDNS");
}

TEST_F(ValueParsersTest, WirelessSettingsAndClients) {
  Check({
      {"DOT11COUNTRYSTRING", "", "USI", "US"},
      {"DOT11INDOOROUTDOOR", "", "USI", "Indoor Use"},
      {"DOT11INDOOROUTDOOR", "", "DEo", "Outdoor Use"},
      {"DOT11INDOOROUTDOOR", "", "US ", "previous"},
      {"DOT11RADIOTYPE", "", "6", "Extended Rate Physical"},
      {"DOT11RADIOTYPE", "", "0", "Unknown"},
      {"DOT11RADIOTYPE", "", "7", "previous"},
      {"DOT11CCAMODE", "", "16", "High-Rate Carrier Sense and Energy Detect"},
      {"DOT11CCAMODE", "", "3", "3"},
      {"WIRELESSCLIENTDATARATES", "Mbps", "\x02\x04\x0B\x16"s, "1, 2, 5.5, 11 Mbps"},
      {"WIRELESSCLIENTDATARATES", "Mbps", "54", "54 Mbps"},  // text already
      {"WIRELESSCLIENTDATARATES", "Mbps", "\x02\x8C"s, "1, 70 Mbps"},  // top bit kept
  });
}

TEST_F(ValueParsersTest, Ds1LineStatus) {
  Check({
      {"DS1LINESTATUS", "", "3", "No Alarm Present\r\nLOF Far end (Yellow Alarm)"},
      {"DS1LINESTATUS", "", "6", "LOF Far end (Yellow Alarm)\r\nLOF Near end"},
      {"DS1LINESTATUS", "", "0", ""},
      {"DS1LINESTATUS", "", "4096", "Other Failure"},
  });
  // Bits above the table are ignored.
  EXPECT_EQ(DescribeDs1LineStatus(1 | 8192), "No Alarm Present");
}

}  // namespace
}  // namespace linkwatch
