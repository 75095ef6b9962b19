// A headless Linkwatch host: monitors one device for a single poll cycle and
// prints each interface: index, name and type.
//   usage: linkwatch-example TARGET [PORT [COMMUNITY]]
#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <iostream>

#include <linkwatch/common/Globals.h>
#include <linkwatch/control/InterfaceList.h>
#include <linkwatch/model/Interfaces.h>
#include <linkwatch/platform/host/HostPlatform.h>
#include <linkwatch/platform/qt/QtEventLoop.h>

using namespace linkwatch;

static int MonitorOneCycle(const char* target, int port, const char* community) {
  InterfaceList control;
  control.SetTarget(target);
  control.SetSNMPPort(port);
  control.SetCommunity(community);
  control.SetStatisticsList("Interface Name,Interface Type");
  bool cycleEnded = false;  // a Status event with no walk left running ends a cycle
  control.Status.Subscribe([&](bool&) { cycleEnded = control.WalksInProgress() == 0; });
  if (!control.StartMonitoring()) {
    std::cerr << control.LastError() << '\n';
    return 3;
  }
  if (!QtEventLoop::RunUntil([&] { return cycleEnded; }, std::chrono::seconds(30))) {
    std::cerr << "no complete poll cycle within 30 seconds\n";
    return 4;
  }
  for (const auto& interface : *control.Interfaces()) {
    const auto type = interface->Statistics()->Item("Interface Type");
    std::cout << interface->Index() << '\t' << interface->Name() << '\t'
              << (type ? type->ParsedValue() : "") << '\n';
  }
  return 0;
}

int main(int argc, char** argv) {
  const int port = argc > 2 ? std::atoi(argv[2]) : 161;
  if (argc < 2 || argc > 4 || port <= 0 || port > 65535) {
    std::cerr << "usage: linkwatch-example TARGET [PORT [COMMUNITY]]\n";
    return 2;
  }
  const auto app = QtEventLoop::EnsureCoreApplication();  // Qt runs the timer and the replies
  Globals::Install(HostPlatform::Headless());  // no window: nothing drawn, nothing shown
  const int result = MonitorOneCycle(argv[1], port, argc > 3 ? argv[3] : "public");
  Globals::Reset();  // the thread's shared objects go before the application object
  return result;
}
