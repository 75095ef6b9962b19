#pragma once
#include <functional>
#include <string>

namespace linkwatch {

// Where the device catalogue reads its knowledge. The defaults are the public
// registries as Debian installs them (packages ieee-data and libwireshark-data)
// and the catalogue's own tables in its data folder (see CatalogDataDirectory).
struct CatalogSources {
  std::string ieeeLargeBlocks = "/usr/share/ieee-data/oui.csv";     // MA-L, 24-bit
  std::string ieeeMediumBlocks = "/usr/share/ieee-data/mam.csv";    // MA-M, 28-bit
  std::string ieeeSmallBlocks = "/usr/share/ieee-data/oui36.csv";   // MA-S, 36-bit
  std::string ieeeIndividualBlocks = "/usr/share/ieee-data/iab.csv";  // IAB, 36-bit
  std::string enterpriseNumbers = "/usr/share/wireshark/enterprises.tsv";
  std::string interfaceTypes;  // iftypes.tsv
  std::string machineTypes;    // machine-types.tsv

  // Receives each problem the catalogue meets (a registry it cannot read, rows it
  // had to skip), once per file. By default the text goes to standard error.
  std::function<void(const std::string&)> report;

  // The defaults above, with the two tables of the catalogue data folder.
  static CatalogSources Defaults();
};

// The folder holding the catalogue's own tables, first of:
//  1. the folder named by the environment variable LINKWATCH_CATALOG_DIR;
//  2. share/linkwatch/catalog beside the program or library that contains the
//     catalogue (<prefix>/bin/../share/linkwatch/catalog), then data/catalog
//     beside it, when the folder holds iftypes.tsv;
//  3. data/catalog of the source tree the library was built from.
std::string CatalogDataDirectory();

}  // namespace linkwatch
