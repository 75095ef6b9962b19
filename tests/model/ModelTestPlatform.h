#pragma once
#include <memory>

#include "common/Globals.h"
#include "fakes/FakePlatform.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::testing_model {

// The statistics the model tests route: a counter, a plain value, the two MAC
// statistics of client children and a port statistic with its own child label.
inline constexpr const char* kModelStatistics = R"(<Portsight><Statistics>
  <Statistic Name="TRAFFIC IN" Header="In" MIB="ifInOctets" Counter="yes" />
  <Statistic Name="Client Signal" Header="Signal" MIB="clientSignal" Child="Client" />
  <Statistic Name="Card Manufacturer" Header="Maker" MIB="clientMac" Child="Client" />
  <Statistic Name="Client MAC Address" Header="MAC" MIB="clientMacAddress" Child="Client" />
  <Statistic Name="Port Speed" Header="Speed" MIB="portSpeed" Child="Port" />
</Statistics></Portsight>)";

// Installs a fake platform on this thread with the statistics above; uninstalls it
// when destroyed.
class ModelTestPlatform {
 public:
  ModelTestPlatform() : platform_(std::make_shared<fakes::FakePlatform>()) {
    fakes::FakeMibTree& mib = platform_->Mib();
    mib.Register("IFINOCTETS", "1.3.6.1.2.1.2.2.1.10");
    mib.Register("CLIENTSIGNAL", "1.3.6.1.4.1.99.1.1");
    mib.Register("CLIENTMAC", "1.3.6.1.4.1.99.1.2");
    mib.Register("CLIENTMACADDRESS", "1.3.6.1.4.1.99.1.3");
    mib.Register("PORTSPEED", "1.3.6.1.4.1.99.2.1");
    Globals::Install(platform_);
    Globals::Templates()->Clear();
    Globals::Templates()->RefreshFromText(kModelStatistics);
  }
  ~ModelTestPlatform() { Globals::Reset(); }
  ModelTestPlatform(const ModelTestPlatform&) = delete;
  ModelTestPlatform& operator=(const ModelTestPlatform&) = delete;

  fakes::FakePlatform& Platform() { return *platform_; }

 private:
  std::shared_ptr<fakes::FakePlatform> platform_;
};

}  // namespace linkwatch::testing_model
