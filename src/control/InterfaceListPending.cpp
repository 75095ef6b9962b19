// PENDING: members of the control whose behaviour arrives with later work
// (starting and stopping, the poll cycle, device actions, row refresh and table
// interaction). Each one is declared in its place and does nothing yet, or
// answers its type's empty value, so hosts can already be written against them.
#include "control/InterfaceList.h"
#include "model/Interfaces.h"

namespace linkwatch {

std::string InterfaceList::SelectedStatisticName() const { return {}; }  // PENDING

std::shared_ptr<Statistic> InterfaceList::SelectedStatistic() const { return nullptr; }  // PENDING

std::shared_ptr<Interface> InterfaceList::SelectedInterface() const { return nullptr; }  // PENDING

std::shared_ptr<InterfaceChild> InterfaceList::SelectedInterfaceChild() const {  // PENDING
  return nullptr;
}

bool InterfaceList::AdminEnableInterface(const std::shared_ptr<Interface>& /*target*/) {  // PENDING
  return false;
}

bool InterfaceList::AdminShutdownInterface(const std::shared_ptr<Interface>& /*target*/) {  // PENDING
  return false;
}

void InterfaceList::CopyToClipboard() {}  // PENDING

void InterfaceList::RefreshTable() {}  // PENDING

void InterfaceList::RefreshChildren(const std::shared_ptr<Interface>& /*target*/) {}  // PENDING

void InterfaceList::HideSelectedInterfaces() {}  // PENDING

void InterfaceList::UnHideAllInterfaces() {}  // PENDING

bool InterfaceList::RowsHidden() const { return false; }  // PENDING

void InterfaceList::SelectAll() {}  // PENDING

std::string InterfaceList::ClipSelection() const { return {}; }  // PENDING

}  // namespace linkwatch
