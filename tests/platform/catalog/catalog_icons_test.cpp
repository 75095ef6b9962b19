// The catalogue's icons: well-formed SVG documents with names, one object per
// request, two sets selected by HighColor.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/catalog/RegistryDeviceCatalog.h"

namespace linkwatch {
namespace {

struct IconRequest {
  std::string label;
  std::function<PictureRef(DeviceCatalog&)> ask;
  std::string expectedName;
};

void PrintTo(const IconRequest& r, std::ostream* os) { *os << r.label; }

std::vector<IconRequest> AllIconRequests() {
  std::vector<IconRequest> requests;
  // Every status's own drawing is checked below; these show the mechanism.
  const char* statusNames[] = {"up",      "down",       "testing",        "unknown",
                               "dormant", "notpresent", "lowerlayerdown", "admindown", "unknown"};
  for (int32_t status : {1, 8, 99}) {
    requests.push_back({"status " + std::to_string(status),
                        [status](DeviceCatalog& c) { return c.StatusIcon(status); },
                        std::string("status-") + statusNames[std::min(status, 9) - 1]});
  }
  const std::pair<int32_t, const char*> types[] = {
      {6, "ethernet"}, {71, "wireless"}, {9999, "other"}};
  for (const auto& [type, family] : types) {
    requests.push_back({"type " + std::to_string(type),
                        [type](DeviceCatalog& c) { return c.InterfaceTypeIcon(type); },
                        std::string("iftype-") + family});
  }
  const std::pair<const char*, const char*> vendors[] = {
      {"1.3.6.1.4.1.9.1.516", "cisco"},   {".1.3.6.1.4.1.8072.3.2.10", "net-snmp"},
      {"1.3.6.1.4.1.99999.1", "generic"}, {"1.3.6.1.2.1.1", "generic"}};
  for (const auto& [oid, key] : vendors) {
    requests.push_back({std::string("vendor ") + oid,
                        [oid = std::string(oid)](DeviceCatalog& c) { return c.SystemVendorIcon(oid); },
                        std::string("vendor-") + key});
  }
  return requests;
}

class CatalogIconTest : public ::testing::TestWithParam<IconRequest> {};

TEST_P(CatalogIconTest, IsANamedSvgOnePerRequestInEachSet) {
  RegistryDeviceCatalog catalog;
  PictureRef icons[2];
  for (bool highColor : {true, false}) {
    SCOPED_TRACE(highColor ? "high colour" : "low colour");
    catalog.SetHighColor(highColor);
    const PictureRef icon = GetParam().ask(catalog);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(GetParam().ask(catalog), icon) << "the same request gives the same object";
    icons[highColor] = icon;
    EXPECT_EQ(icon->Name(), GetParam().expectedName);
    EXPECT_EQ(icon->Width(), 16);
    EXPECT_EQ(icon->Height(), 16);

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_string(icon->Svg().c_str());
    ASSERT_TRUE(parsed) << parsed.description() << "\n" << icon->Svg();
    const pugi::xml_node svg = document.document_element();
    EXPECT_STREQ(svg.name(), "svg");
    EXPECT_STREQ(svg.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
    EXPECT_EQ(svg.attribute("width").as_int(), icon->Width());
    EXPECT_EQ(svg.attribute("height").as_int(), icon->Height());
    EXPECT_FALSE(svg.first_child().empty()) << "nothing drawn";
  }
  EXPECT_NE(icons[0], icons[1]);
  EXPECT_NE(icons[0]->Svg(), icons[1]->Svg());
  catalog.SetHighColor(true);
  EXPECT_EQ(GetParam().ask(catalog), icons[1]);
}

INSTANTIATE_TEST_SUITE_P(EveryIcon, CatalogIconTest, ::testing::ValuesIn(AllIconRequests()));

TEST(CatalogIcons, EachStatusHasItsOwnPictureAndBadOidsHaveNone) {
  RegistryDeviceCatalog catalog;
  std::set<std::string> drawings;
  for (int32_t status = 1; status <= 8; ++status) drawings.insert(catalog.StatusIcon(status)->Svg());
  EXPECT_EQ(drawings.size(), 8u);
  for (const char* oid : {"", "not an oid", "1.3..6"}) {
    EXPECT_EQ(catalog.SystemVendorIcon(oid), nullptr) << oid;
  }
}

}  // namespace
}  // namespace linkwatch
