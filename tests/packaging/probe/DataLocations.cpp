// A host built by the packaging test through pkg-config against an installed tree:
// prints where the installed library looks for its statistics file, its MIB
// catalogue and its device catalogue, one "what<TAB>path" line each.
#include <iostream>

#include <linkwatch/library/LibraryInfo.h>
#include <linkwatch/platform/catalog/CatalogSources.h>
#include <linkwatch/platform/mib/MibCatalogueLocation.h>
#include <linkwatch/statistics/StatisticTemplates.h>

int main() {
  std::cout << "version\t" << LinkwatchLibraryVersion() << '\n'
            << "library\t" << LinkwatchLibraryPath() << '\n'
            << "statistics\t" << linkwatch::StatisticTemplates::FileLocation() << '\n'
            << "mibs\t" << linkwatch::MibCatalogueLocation::Default().string() << '\n'
            << "catalog\t" << linkwatch::CatalogDataDirectory() << '\n';
  return 0;
}
