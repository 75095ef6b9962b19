#pragma once
#include <string>

namespace linkwatch::support {

// An SNMPv2c get of sysDescr.0 with the given community, ready to send: the probe
// with which AgentProcess::Start learns that an agent serving that community is up
// (snmpsimd answers only communities it has a recording for, so an answer also
// means its recordings are loaded).
std::string SysDescrProbe(const std::string& community);

}  // namespace linkwatch::support
