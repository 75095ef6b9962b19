#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "server/ClassId.h"
#include "server/LiveObjects.h"
#include "server/ServerObject.h"

namespace linkwatch {

// The library's class server: hosts create the nine classes by their
// descriptions ("Linkwatch.InterfaceList", "Linkwatch.Child", ...; letter case
// ignored), and ask whether anything made here is still alive before they unload
// the library.
//
// Register() enters the nine classes in the registry's table and Unregister()
// removes them; only registered classes can be created. Every object Create()
// makes is counted until its last reference goes, and CanUnload() is true only
// while that count is zero.
//
// Creating an InterfaceList needs the thread's Platform installed (Globals); a
// new StatisticTemplates loads the statistics file at once, resolving its MIB
// names through the installed platform's MIB database (without a platform only
// the check-box statistics, which need none, are accepted).
//
// The table is guarded by a lock, so one registry can serve every thread; the
// objects it makes belong to the thread that made them.
class ClassRegistry {
 public:
  // The outcome of Create: the object, or nothing and why.
  struct Creation {
    ServerObject object;
    std::string error;  // empty on success
    explicit operator bool() const { return !object.Empty(); }
  };

  // An empty table; call Register() to serve the classes.
  ClassRegistry() = default;
  ClassRegistry(const ClassRegistry&) = delete;
  ClassRegistry& operator=(const ClassRegistry&) = delete;

  // The process's registry, with the nine classes registered on first use.
  static ClassRegistry& Shared();

  // Enters every class in the table (again, harmlessly, when already there).
  void Register();
  // Removes every class from the table. Objects already made stay alive and
  // counted.
  void Unregister();

  bool IsRegistered(std::string_view description) const;
  // The descriptions of the registered classes, in type library order.
  std::vector<std::string> RegisteredDescriptions() const;

  // A new object of the class with that description. Fails, with the reason in
  // error, for an empty or unknown description, a class that is not registered,
  // or a class whose construction fails (such as an InterfaceList on a thread
  // without a platform).
  Creation Create(std::string_view description) const;

  // Objects made by Create that are still alive.
  int64_t LiveObjectCount() const { return live_.Count(); }
  // True when no object made here is alive, so the library may be unloaded.
  bool CanUnload() const { return LiveObjectCount() == 0; }

 private:
  ServerObject Make(ClassId id) const;

  mutable std::mutex mutex_;
  std::vector<ClassId> registered_;  // in type library order
  LiveObjects live_;
};

}  // namespace linkwatch
