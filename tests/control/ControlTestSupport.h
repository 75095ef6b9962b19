#pragma once
#include <memory>
#include <string>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "fakes/FakePlatform.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {

// White-box access to the control's internals for its unit tests.
struct InterfaceListInternals {
  static ControlState& State(InterfaceList& control) { return control.state_; }
  static void PrepareMessage(InterfaceList& control, bool deliverByEvent) {
    control.PrepareMessage(deliverByEvent);
  }
  static SnmpMessage* CurrentMessage(InterfaceList& control) {
    return control.currentMessage_.get();
  }
  static void ReplaceInterfaces(InterfaceList& control) { control.ReplaceInterfaces(); }
  static void PruneStatistics(InterfaceList& control) { control.PruneStatistics(); }
};

namespace testing_control {

inline constexpr const char* kControlStatistics = R"(<Portsight><Statistics>
  <Statistic Name="TRAFFIC IN" Header="In" MIB="ifInOctets" Counter="yes" Parser="TRAFFIC" />
  <Statistic Name="STATUS" Header="Status" MIB="ifOperStatus" />
  <Statistic Name="ENABLE" Header="On" MIB="EnableCheckbox" CheckBox="yes" />
  <Statistic Name="REVERSE" Header="Name" MIB="ipAdEntAddr" />
  <Statistic Name="SIGNAL" Header="Signal" MIB="clientSignal" Child="Client" />
</Statistics></Portsight>)";

// A FakePlatform whose text measure the test chooses.
class MeasuredPlatform : public fakes::FakePlatform {
 public:
  class Measure : public TextMeasure {
   public:
    double CharWidth = 7.0;
    double Height = 13.0;
    double TextWidth(const std::string& text) const override {
      return CharWidth * static_cast<double>(text.size());
    }
    double TextHeight(const std::string&) const override { return Height; }
  };

  const TextMeasure& GetTextMeasure() const override { return measure; }
  Measure measure;
};

// Installs the platform with the statistics above for one test.
class ControlTestPlatform {
 public:
  ControlTestPlatform() : platform_(std::make_shared<MeasuredPlatform>()) {
    fakes::FakeMibTree& mib = platform_->Mib();
    mib.Register("IFINOCTETS", "1.3.6.1.2.1.2.2.1.10");
    mib.Register("IFOPERSTATUS", "1.3.6.1.2.1.2.2.1.8");
    mib.Register("IPADENTADDR", "1.3.6.1.2.1.4.20.1.1");
    mib.Register("CLIENTSIGNAL", "1.3.6.1.4.1.99.1.1");
    Globals::Install(platform_);
    Globals::Templates()->Clear();
    Globals::Templates()->RefreshFromText(kControlStatistics);
  }
  ~ControlTestPlatform() { Globals::Reset(); }
  ControlTestPlatform(const ControlTestPlatform&) = delete;
  ControlTestPlatform& operator=(const ControlTestPlatform&) = delete;

  MeasuredPlatform& Platform() { return *platform_; }

 private:
  std::shared_ptr<MeasuredPlatform> platform_;
};

}  // namespace testing_control
}  // namespace linkwatch
