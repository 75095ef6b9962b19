// A target for the reply path: an InterfaceList on the fake platform, started
// against a scripted device, then fed random replies (tags of real walks or
// random ones, bindings with any OIDs, types and values, errors) through the
// fake engine's reply handler, the way the real engine delivers them.
#include <memory>

#include "FuzzTarget.h"
#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::fuzz {
namespace {

constexpr const char* kStatistics = R"(<Portsight><Statistics>
  <Statistic NAME="Name" HEADER="Name" MIB="ifDescr" />
  <Statistic NAME="In" HEADER="In" MIB="ifInOctets" COUNTER="yes" PARSER="TRAFFIC" UNITS="bps" />
  <Statistic NAME="Status" HEADER="Status" MIB="ifOperStatus" PARSER="OPERSTATUS" />
  <Statistic NAME="MAC" HEADER="MAC" MIB="ifPhysAddress" PARSER="MACADDRESS" />
  <Statistic NAME="Type" HEADER="Type" MIB="ifType" PARSER="INTERFACETYPE" />
  <Statistic NAME="Signal" HEADER="Signal" MIB="clientSignal" CHILD="Client" PARSER="/10" />
  <Statistic NAME="Since" HEADER="Since" MIB="ifLastChange" PARSER="TIMESTAMP" />
</Statistics></Portsight>)";

// Column bases of the statistics above, and the ifTable the start reads.
const std::vector<std::string> kBases = {
    "1.3.6.1.2.1.2.2.1.2.", "1.3.6.1.2.1.2.2.1.10.", "1.3.6.1.2.1.2.2.1.8.",
    "1.3.6.1.2.1.2.2.1.6.", "1.3.6.1.2.1.2.2.1.3.",  "1.3.6.1.4.1.99.1.1.",
    "1.3.6.1.2.1.2.2.1.9.", "1.3.6.1.2.1.2.2.1.1.",  "1.3.6.1.2.1.1."};

const std::vector<int16_t> kTypes = {kSnmpInteger,  kSnmpOctetString, kSnmpNull,
                                     kSnmpObjectId, kSnmpIpAddress,   kSnmpCounter32,
                                     kSnmpGauge32,  kSnmpTimeTicks,   kSnmpOpaque,
                                     kSnmpCounter64, kSnmpNoSuchObject, kSnmpNoSuchInstance,
                                     kSnmpEndOfMibView, 0, 255};

// A started control and its engine; remade now and then so that state the random
// replies piled up (rows for odd indexes) does not grow without bound.
struct StartedControl {
  std::unique_ptr<InterfaceList> Control;
  fakes::FakeSnmpEngine* Engine = nullptr;
  int Uses = 0;
};

fakes::FakePlatform& Platform() {
  auto& platform = dynamic_cast<fakes::FakePlatform&>(Globals::GetPlatform());
  static const bool prepared = [&] {
    fakes::FakeMibTree& mib = platform.Mib();
    mib.Register("ifDescr", "1.3.6.1.2.1.2.2.1.2");
    mib.Register("ifType", "1.3.6.1.2.1.2.2.1.3");
    mib.Register("ifPhysAddress", "1.3.6.1.2.1.2.2.1.6");
    mib.Register("ifOperStatus", "1.3.6.1.2.1.2.2.1.8");
    mib.Register("ifLastChange", "1.3.6.1.2.1.2.2.1.9");
    mib.Register("ifInOctets", "1.3.6.1.2.1.2.2.1.10");
    mib.Register("clientSignal", "1.3.6.1.4.1.99.1.1");
    return true;
  }();
  (void)prepared;
  return platform;
}

void Start(StartedControl& started, FuzzInput& input) {
  started = {};
  Globals::Templates()->Clear();
  Globals::Templates()->RefreshFromText(kStatistics);
  started.Control = std::make_unique<InterfaceList>();
  started.Engine = Platform().LastEngine();
  fakes::FakeSnmpEngine& engine = *started.Engine;
  engine.SetObject("1.3.6.1.2.1.1.2.0", "1.3.6.1.4.1.9.1.1", kSnmpObjectId);
  engine.SetObject("1.3.6.1.2.1.1.3.0", "123456", kSnmpTimeTicks);
  engine.SetObject("1.3.6.1.2.1.2.1.0", std::to_string(input.Below(6)), kSnmpInteger);
  started.Control->SetTarget("10.1.2.3");
  started.Control->SetSynchronous(input.OneIn(2));
  started.Control->SetStatisticsList("Name,In,Status,MAC,Type,Signal,Since");
  started.Control->StartMonitoring();
}

std::string RandomOid(FuzzInput& input) {
  std::string oid = input.Pick(kBases);
  const size_t parts = input.Below(4);
  for (size_t i = 0; i < parts; ++i) {
    oid += (i > 0 ? "." : "") + (input.OneIn(4) ? input.NumberText() : std::to_string(input.Below(12)));
  }
  if (input.OneIn(8)) oid = input.Mutate(oid);
  if (input.OneIn(20)) oid.clear();
  return oid;
}

void FuzzReplies(StartedControl& started, FuzzInput& input, FuzzFailures& failures) {
  constexpr int kRepliesPerControl = 400;
  if (!started.Control || started.Uses++ >= kRepliesPerControl) Start(started, input);
  fakes::FakeSnmpEngine& engine = *started.Engine;

  SnmpMessage response;
  std::vector<std::string> tags;
  for (const auto& record : engine.Sent()) {
    if (record.DeliverByEvent) tags.push_back(record.Message.Tag);
  }
  response.Tag = (tags.empty() || input.OneIn(6)) ? input.Text(24) : input.Pick(tags);
  if (input.OneIn(10)) response.Tag = input.Mutate(response.Tag, {":", "."});
  response.Version = static_cast<int16_t>(input.Below(4));
  if (input.OneIn(8)) {
    response.ErrorCode = static_cast<int32_t>(31001 + input.Below(10));
    response.ErrorText = input.Text(20);
  }
  const size_t bindings = input.Below(6);
  std::string described = response.Tag;
  for (size_t i = 0; i < bindings; ++i) {
    SnmpBinding& binding =
        response.Bindings.Add(RandomOid(input), input.Text(32), input.Pick(kTypes));
    binding.HexValue = input.OneIn(2) ? input.HexText(16) : input.Text(16);
    described += " | " + binding.OID + " = " + binding.Value;
  }
  Platform().Time().AdvanceSeconds(static_cast<double>(input.Below(40)));
  try {
    engine.Deliver(response);
  } catch (const std::exception& error) {
    // The real engine delivers from the event loop, where an exception ends the program.
    failures.Fail(std::string("an exception escaped the reply handler: ") + error.what(),
                  described);
  }
  // Walks the reply continued are not answered: the next random reply stands in.
  engine.DropPending();
  if (input.OneIn(16)) started.Control->RefreshTable();
  if (input.OneIn(64)) started.Control->Poll(false);

  if (started.Control->WalksInProgress() < 0) {
    failures.Fail("walks in progress fell below zero", described);
  }
  const auto interfaces = started.Control->Interfaces();
  if (interfaces && interfaces->Count() > 100000) {
    failures.Fail("the interfaces grew without bound", described);
  }
}

// The start with any answers to its probes (sysObjectID, ifNumber).
void FuzzStart(FuzzInput& input, FuzzFailures& failures) {
  Globals::Templates()->Clear();
  Globals::Templates()->RefreshFromText(kStatistics);
  InterfaceList control;
  fakes::FakeSnmpEngine& engine = *Platform().LastEngine();
  engine.SetObject("1.3.6.1.2.1.1.2.0", input.Text(24), input.Pick(kTypes));
  engine.SetObject("1.3.6.1.2.1.2.1.0", input.OneIn(2) ? input.NumberText() : input.Text(16),
                   input.Pick(kTypes));
  if (input.OneIn(4)) engine.RefuseVersion(2);
  control.SetTarget(input.OneIn(8) ? input.Text(16) : "10.1.2.3");
  control.SetStatisticsList("Name,In,Status");
  try {
    control.StartMonitoring();
  } catch (const std::exception& error) {
    failures.Fail(std::string("an exception escaped the start: ") + error.what(),
                  "ifNumber " + engine.Object("1.3.6.1.2.1.2.1.0")->Value);
  }
  engine.DropPending();
}

}  // namespace

std::vector<FuzzTarget> ReplyTargets() {
  auto started = std::make_shared<StartedControl>();
  return {{"control start", FuzzStart},
          {"control replies", [started](FuzzInput& input, FuzzFailures& failures) {
             FuzzReplies(*started, input, failures);
           }}};
}

}  // namespace linkwatch::fuzz
