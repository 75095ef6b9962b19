#include "support/TableAgent.h"

#include <filesystem>
#include <fstream>


namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCommunity = "public";
constexpr const char* kTableFile = "table.txt";
constexpr const char* kCountFile = "requests.txt";

}  // namespace

TableAgent::TableAgent(TableAgentOptions options)
    : AgentProcess({.Name = "table-agent",
                    .OutputFile = "agent.log",
                    .LogFiles = {"agent.log"},
                    .PortTakenText = "cannot bind"}),
      options_(std::move(options)) {}

std::vector<std::string> TableAgent::SmallDevice() {
  std::vector<std::string> objects = {
      "1.3.6.1.2.1.1.1.0|4|Linkwatch table agent",
      "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.8072.3.2.10",
      "1.3.6.1.2.1.1.3.0|67|360000",
      "1.3.6.1.2.1.1.4.0|4|Lab",
      "1.3.6.1.2.1.1.5.0|4|table-agent",
      "1.3.6.1.2.1.1.6.0|4|Test bench",
      "1.3.6.1.2.1.2.1.0|2|2",
  };
  for (int index : {1, 2}) {
    const std::string i = "." + std::to_string(index);
    const std::string entry = "1.3.6.1.2.1.2.2.1.";
    objects.push_back(entry + "1" + i + "|2|" + std::to_string(index));
    objects.push_back(entry + "2" + i + "|4|eth" + std::to_string(index - 1));
    objects.push_back(entry + "3" + i + "|2|6");
    objects.push_back(entry + "5" + i + "|66|1000000000");
    objects.push_back(entry + "7" + i + "|2|1");
    objects.push_back(entry + "8" + i + "|2|1");
    objects.push_back(entry + "10" + i + "|65|" + std::to_string(1000 * index));
    objects.push_back(entry + "16" + i + "|65|" + std::to_string(500 * index));
  }
  return objects;
}

bool TableAgent::Prepare(Launch& launch) {
  const fs::path dir(Directory());
  {
    std::ofstream table(dir / kTableFile);
    for (const std::string& line : options_.Objects.empty() ? SmallDevice() : options_.Objects) {
      table << line << '\n';
    }
    if (!table) {
      error_ = "cannot write " + (dir / kTableFile).string();
      return false;
    }
  }
  const std::string script = std::string(LINKWATCH_TEST_SUPPORT_DIR) + "/table_agent.py";
  const std::string mode = options_.Mode == TableAgentMode::RepeatOid ? "repeat" : "well-behaved";
  launch.MakeCommand = [script, mode, dir](int port) {
    // The system's Python, which has pysnmp (installed with snmpsim).
    return std::vector<std::string>{"/usr/bin/python3", "-u", script, std::to_string(port),
                                    (dir / kTableFile).string(), (dir / kCountFile).string(),
                                    mode};
  };
  launch.Probe = SysDescrProbe(kCommunity);
  launch.Deadline = std::chrono::seconds(15);
  return true;
}

int TableAgent::RequestCount() const {
  if (Directory().empty()) return -1;
  const std::string text = ReadFile(fs::path(Directory()) / kCountFile);
  if (text.empty()) return -1;
  return std::stoi(text);
}

}  // namespace linkwatch::support
