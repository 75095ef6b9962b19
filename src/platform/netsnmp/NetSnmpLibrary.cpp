#include "platform/netsnmp/NetSnmpLibrary.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>

namespace linkwatch {

namespace {

constexpr const char* kApplicationType = "linkwatch";

std::string MakePersistentDirectory() {
  std::error_code error;
  std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) base = "/tmp";
  const std::filesystem::path dir =
      base / ("linkwatch-netsnmp-" + std::to_string(static_cast<long>(getuid())));
  std::filesystem::create_directories(dir, error);
  // Private to this user: net-snmp may keep USM state there.
  ::chmod(dir.c_str(), 0700);
  return dir.string();
}

// Sets an environment variable for the duration of a scope and restores it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (previous_) {
      ::setenv(name_, previous_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

std::once_flag initialiseOnce;

void Initialise() {
  // Discard log output instead of net-snmp's fallback to stderr.
  netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);

  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_ALARM_DONT_USE_SIG, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_ERRORS, 0);
  netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
  set_persistent_directory(NetSnmpLibrary::PersistentDirectory().c_str());

  // An empty module list: the MIB parser starts with no module loaded. The
  // caller's own MIBS setting is restored right after.
  ScopedEnvironment noModules("MIBS", "");
  init_snmp(kApplicationType);
}

}  // namespace

void NetSnmpLibrary::EnsureInitialised() { std::call_once(initialiseOnce, Initialise); }

std::string NetSnmpLibrary::PersistentDirectory() {
  static const std::string directory = MakePersistentDirectory();
  return directory;
}

}  // namespace linkwatch
