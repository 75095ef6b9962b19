#include "platform/mib/InstalledMibFiles.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

#include "platform/mib/MibTextRules.h"

namespace linkwatch {

namespace {

std::mutex& ParserMutex() {
  static std::mutex mutex;
  return mutex;
}

// Folders already handed to the parser (it would list their modules twice).
std::set<std::string>& AddedFolders() {
  static std::set<std::string> folders;
  return folders;
}

// While alive, every net-snmp log message is dropped: the handlers that were on
// are switched off and a sink takes all priorities. Destruction restores the
// handlers exactly, including net-snmp's fallback to stderr when there were none.
class QuietNetSnmpLog {
 public:
  QuietNetSnmpLog() {
    for (netsnmp_log_handler* handler = get_logh_head(); handler; handler = handler->next) {
      if (handler->enabled) {
        netsnmp_disable_this_loghandler(handler);
        silenced_.push_back(handler);
      }
    }
    sink_ = netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_EMERG);
  }
  ~QuietNetSnmpLog() {
    if (sink_) {
      // Disabling first keeps net-snmp's count of enabled handlers right.
      netsnmp_disable_this_loghandler(sink_);
      netsnmp_remove_loghandler(sink_);
    }
    for (netsnmp_log_handler* handler : silenced_) netsnmp_enable_this_loghandler(handler);
  }
  QuietNetSnmpLog(const QuietNetSnmpLog&) = delete;
  QuietNetSnmpLog& operator=(const QuietNetSnmpLog&) = delete;

 private:
  std::vector<netsnmp_log_handler*> silenced_;
  netsnmp_log_handler* sink_ = nullptr;
};

// While alive, the process's standard error goes to /dev/null. net-snmp writes
// one notice straight to stderr, past every log handler, when its fallback to
// stderr had been in use before ("Log handling defined - disabling stderr"); the
// parse is short and the product runs on one thread, so nothing else is lost.
class MutedStderr {
 public:
  MutedStderr() {
    std::fflush(stderr);
    const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (sink < 0) return;
    saved_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved_ >= 0 && dup2(sink, STDERR_FILENO) < 0) {
      close(saved_);
      saved_ = -1;
    }
    close(sink);
  }
  ~MutedStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  MutedStderr(const MutedStderr&) = delete;
  MutedStderr& operator=(const MutedStderr&) = delete;

 private:
  int saved_ = -1;
};

MibAccess AccessOf(const tree& node) {
  switch (node.access) {
    case MIB_ACCESS_READONLY:
      return kMibReadOnly;
    case MIB_ACCESS_READWRITE:
    case MIB_ACCESS_WRITEONLY:
    case MIB_ACCESS_CREATE:
      return kMibWritable;
    default:
      return kMibNotAccessible;
  }
}

MibEntry EntryOf(const tree& node, std::string oid) {
  MibEntry entry;
  entry.name = node.label;
  entry.oid = std::move(oid);
  entry.access = AccessOf(node);
  for (const enum_list* item = node.enums; item; item = item->next) {
    if (item->label) entry.enumLabels.emplace(item->value, item->label);
  }
  if (node.description) entry.description = mibtext::OneLine(node.description);
  return entry;
}

// Depth-first over the parser's tree, without recursion.
std::vector<MibEntry> CollectTree(tree* roots) {
  std::vector<MibEntry> entries;
  std::vector<std::pair<tree*, std::string>> pending;
  for (tree* root = roots; root; root = root->next_peer) pending.emplace_back(root, "");
  while (!pending.empty()) {
    auto [node, parentOid] = std::move(pending.back());
    pending.pop_back();
    std::string oid = parentOid.empty() ? std::to_string(node->subid)
                                        : parentOid + "." + std::to_string(node->subid);
    for (tree* child = node->child_list; child; child = child->next_peer) {
      pending.emplace_back(child, oid);
    }
    const bool named = node->label && std::string_view(node->label).rfind("anonymous#", 0) != 0;
    if (named) entries.push_back(EntryOf(*node, std::move(oid)));
  }
  return entries;
}

}  // namespace

std::vector<MibEntry> InstalledMibFiles::Load(const std::vector<std::string>& extraDirs) {
  std::lock_guard<std::mutex> lock(ParserMutex());
  MutedStderr mutedStderr;
  QuietNetSnmpLog quietLog;
  // Descriptions are kept only for modules parsed after this is set.
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SAVE_MIB_DESCRS, 1);
  netsnmp_init_mib();  // does nothing when net-snmp's MIB part is already set up
  for (const std::string& folder : extraDirs) {
    if (AddedFolders().insert(folder).second) add_mibdir(folder.c_str());
  }
  read_all_mibs();
  return CollectTree(get_tree_head());
}

}  // namespace linkwatch
