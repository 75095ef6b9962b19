// The user's own MIB files, found through net-snmp's MIB parser.
#include <gtest/gtest.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <string>

#include "MibTestFolder.h"
#include "platform/mib/BuiltinMibTree.h"

namespace linkwatch {
namespace {

using test::Named;

// A small vendor MIB in SMIv2 style. It also redefines ifInOctets under the vendor
// subtree (the catalogue must win) and has an object whose parent is undefined,
// which makes net-snmp's parser complain.
std::string VendorMib(const std::string& module, const std::string& prefix, int enterprise) {
  const std::string root = prefix + "Root";
  return module + " DEFINITIONS ::= BEGIN\n" +
         root + " OBJECT IDENTIFIER ::= { iso 3 6 1 4 1 " + std::to_string(enterprise) + " }\n" +
         prefix + "WidgetTable OBJECT-TYPE\n"
         "  SYNTAX SEQUENCE OF WidgetEntry\n  MAX-ACCESS not-accessible\n  STATUS current\n"
         "  DESCRIPTION \"Widgets.\"\n  ::= { " + root + " 1 }\n" +
         prefix + "WidgetEntry OBJECT-TYPE\n"
         "  SYNTAX WidgetEntry\n  MAX-ACCESS not-accessible\n  STATUS current\n"
         "  DESCRIPTION \"One widget.\"\n  INDEX { " + prefix + "WidgetIndex }\n"
         "  ::= { " + prefix + "WidgetTable 1 }\n"
         "WidgetEntry ::= SEQUENCE { " + prefix + "WidgetIndex INTEGER, " + prefix +
         "WidgetMode INTEGER }\n" +
         prefix + "WidgetIndex OBJECT-TYPE\n"
         "  SYNTAX INTEGER\n  MAX-ACCESS not-accessible\n  STATUS current\n"
         "  DESCRIPTION \"Index.\"\n  ::= { " + prefix + "WidgetEntry 1 }\n" +
         prefix + "WidgetMode OBJECT-TYPE\n"
         "  SYNTAX INTEGER { idle(1), spinning(2) }\n  MAX-ACCESS read-write\n  STATUS current\n"
         "  DESCRIPTION \"What the widget\n        is doing now.\"\n"
         "  ::= { " + prefix + "WidgetEntry 2 }\n"
         "ifInOctets OBJECT-TYPE\n"
         "  SYNTAX INTEGER\n  MAX-ACCESS read-only\n  STATUS current\n"
         "  DESCRIPTION \"Vendor's own counter.\"\n  ::= { " + root + " 9 }\n" +
         prefix + "Orphan OBJECT IDENTIFIER ::= { " + prefix + "NoSuchParent 1 }\n"
         "END\n";
}

// Writes the vendor MIB of `prefix` ("lwa": LWA-TEST-MIB) into the folder and
// gives the options of a tree that reads that folder.
BuiltinMibTree::Options WithVendorMib(const test::MibTestFolder& folder, const std::string& prefix,
                                      int enterprise, bool useInstalledMibs = true) {
  std::string module = prefix + "-TEST-MIB";
  std::transform(module.begin(), module.end(), module.begin(), ::toupper);
  folder.Write(module + ".txt", VendorMib(module, prefix, enterprise));
  return BuiltinMibTree::Options{test::ShippedCatalogue(), {folder.Path().string()}, useInstalledMibs};
}

TEST(InstalledMibFiles, VendorObjectsResolveByNameAndOidUnlessLeftOut) {
  test::MibTestFolder folder;
  // A file cut off half-way is skipped; the others still load.
  folder.Write("LWF-BROKEN-MIB.txt",
               "LWF-BROKEN-MIB DEFINITIONS ::= BEGIN\n lwfThing OBJECT-TYPE ::= {\n");
  BuiltinMibTree tree(WithVendorMib(folder, "lwa", 424201));

  const auto mode = Named(tree, "LWAWIDGETMODE");
  EXPECT_EQ(mode->NumericOid(), "1.3.6.1.4.1.424201.1.1.2");
  EXPECT_EQ(mode->AccessCode(), kMibWritable);
  EXPECT_EQ(mode->EnumText(2), "spinning");
  EXPECT_EQ(mode->EnumLabel(5, "Unknown"), "Unknown");
  EXPECT_EQ(mode->Description(), "What the widget is doing now.");
  EXPECT_EQ(Named(tree, "lwaWidgetTable")->AccessCode(), kMibNotAccessible);
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.4.1.424201.1.1.2.17"), "lwaWidgetMode.17");
  EXPECT_EQ(Named(tree, "LWFTHING")->NumericOid(), "");

  // A tree told to leave the installed files out never reads them.
  BuiltinMibTree without(WithVendorMib(folder, "lwd", 424204, false));
  EXPECT_EQ(Named(without, "LWDWIDGETMODE")->NumericOid(), "");
  EXPECT_FALSE(without.InstalledMibsLoaded());
}

TEST(InstalledMibFiles, AreReadOnlyWhenTheCatalogueHasNoAnswerAndNeverOverrideIt) {
  test::MibTestFolder folder;
  BuiltinMibTree tree(WithVendorMib(folder, "lwb", 424202));

  EXPECT_EQ(Named(tree, "IFINOCTETS")->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.2.1.2.2.1.8.4"), "ifOperStatus.4");
  EXPECT_FALSE(tree.InstalledMibsLoaded());

  // A catalogue group only locates the OID: the installed files may know more.
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.4.1.424202.1.1.1.3"), "lwbWidgetIndex.3");
  ASSERT_TRUE(tree.InstalledMibsLoaded());

  // The vendor file's own ifInOctets loses to the catalogue's.
  const auto octets = Named(tree, "ifInOctets");
  EXPECT_EQ(octets->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
  EXPECT_NE(octets->Description(), "Vendor's own counter.");
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.2.1.2.2.1.10.1"), "ifInOctets.1");
}

// The SNMP engine initialises net-snmp as a whole (init_snmp, its own log
// handler) on first use, before or after the MIB database reads MIB files.
TEST(InstalledMibFiles, KeepWorkingWhenTheEngineInitialisesNetSnmpAfterwards) {
  test::MibTestFolder first;
  BuiltinMibTree before(WithVendorMib(first, "lwh", 424208));
  const auto early = Named(before, "LWHWIDGETMODE");
  ASSERT_EQ(early->NumericOid(), "1.3.6.1.4.1.424208.1.1.2");

  // What the engine does once per process: no config files, log messages dropped.
  netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
  init_snmp("linkwatch-mib-test");

  test::MibTestFolder second;
  BuiltinMibTree after(WithVendorMib(second, "lwi", 424209));
  testing::internal::CaptureStderr();
  EXPECT_EQ(Named(after, "LWIWIDGETMODE")->NumericOid(), "1.3.6.1.4.1.424209.1.1.2");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Named(after, "LWHWIDGETMODE")->NumericOid(), "1.3.6.1.4.1.424208.1.1.2");
  EXPECT_EQ(early->EnumText(1), "idle");
}

}  // namespace
}  // namespace linkwatch
