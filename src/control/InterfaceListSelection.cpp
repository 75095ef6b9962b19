// What the host asks about the cell under the cursor, and what it does with the
// table's rows and selection: hide and show rows, select everything and copy the
// selection as text.
#include <charconv>
#include <string_view>
#include <stdexcept>

#include "control/InterfaceList.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

constexpr std::string_view kChildKeyPrefix = "C:";

bool IsChildKey(const std::string& rowKey) { return rowKey.starts_with(kChildKeyPrefix); }

// The interface index of a child row's key: the whole number between "C:" and the
// first ".". A key of any other shape is an error, reported to the caller.
int32_t InterfaceIndexOfChildKey(const std::string& rowKey) {
  const size_t dot = rowKey.find('.', kChildKeyPrefix.size());
  const char* first = rowKey.data() + kChildKeyPrefix.size();
  const char* last = dot == std::string::npos ? nullptr : rowKey.data() + dot;
  int32_t ifIndex = 0;
  if (last != nullptr && first != last) {
    const auto [end, error] = std::from_chars(first, last, ifIndex);
    if (error == std::errc() && end == last) return ifIndex;
  }
  throw std::invalid_argument("The row key '" + rowKey +
                              "' is not a child key of the form C:ifIndex.childIndex.");
}

// The interface a row's key belongs to: itself for an interface row, its owner
// for a child row. None when there is no collection or no such interface.
std::shared_ptr<Interface> InterfaceOfRowKey(const Interfaces* interfaces,
                                             const std::string& rowKey) {
  if (!IsChildKey(rowKey)) return interfaces ? interfaces->Item(rowKey) : nullptr;
  const int32_t ifIndex = InterfaceIndexOfChildKey(rowKey);
  return interfaces ? interfaces->Item(Interface::KeyFor(ifIndex)) : nullptr;
}

}  // namespace

std::string InterfaceList::SelectedStatisticName() const {
  try {
    return table_->ColKey(table_->Col());
  } catch (...) {
    return {};  // no cursor column: no name
  }
}

std::shared_ptr<Statistic> InterfaceList::SelectedStatistic() const {
  std::shared_ptr<Statistic> selected;
  try {
    const int col = table_->Col();
    if (col < 0) return nullptr;
    const std::string statName = table_->ColKey(col);
    const std::shared_ptr<Interface> owner = SelectedInterface();
    if (!owner) return nullptr;
    const std::shared_ptr<InterfaceChild> child = SelectedInterfaceChild();
    if (!child) {
      selected = owner->Statistics()->Item(statName);
      // The statistic handed out carries the name of the row it was taken from.
      if (selected) selected->SetName(owner->Name());
    } else {
      selected = child->Statistics()->Item(statName);
      if (selected) selected->SetName(owner->Name() + " : " + child->Name());
    }
  } catch (...) {
    // A question about the cursor never fails: what was found so far is the answer.
  }
  return selected;
}

std::shared_ptr<Interface> InterfaceList::SelectedInterface() const {
  const int row = table_->Row();
  if (row <= 0) return nullptr;
  return InterfaceOfRowKey(interfaces_.get(), table_->RowData(row));
}

std::shared_ptr<InterfaceChild> InterfaceList::SelectedInterfaceChild() const {
  const int row = table_->Row();
  if (row <= 0) return nullptr;
  const std::string rowKey = table_->RowData(row);
  if (!IsChildKey(rowKey)) return nullptr;
  const std::shared_ptr<Interface> owner = InterfaceOfRowKey(interfaces_.get(), rowKey);
  return owner ? owner->Children()->Item(rowKey) : nullptr;
}

void InterfaceList::CopyToClipboard() {
  Clipboard& clipboard = platform_->GetClipboard();
  clipboard.Clear();
  clipboard.SetText(ClipSelection());
}

void InterfaceList::HideSelectedInterfaces() {
  int firstRow = 0, firstCol = 0, lastRow = 0, lastCol = 0;
  table_->GetSelection(firstRow, firstCol, lastRow, lastCol);
  // The header row always stays; child rows in the block go with it.
  if (firstRow == 0) firstRow = 1;
  for (int row = firstRow; row <= lastRow; ++row) table_->SetRowHidden(row, true);
}

void InterfaceList::UnHideAllInterfaces() {
  const int rows = table_->Rows();
  for (int row = 1; row < rows; ++row) table_->SetRowHidden(row, false);
}

bool InterfaceList::RowsHidden() const {
  const int rows = table_->Rows();
  for (int row = 1; row < rows; ++row) {
    if (table_->RowHidden(row)) return true;
  }
  return false;
}

void InterfaceList::SelectAll() {
  table_->SetRow(0);
  table_->SetCol(0);
  table_->SetRowSel(table_->Rows() - 1);
  table_->SetColSel(table_->Cols() - 1);
}

std::string InterfaceList::ClipSelection() const {
  // The grid ends rows with a bare carriage return; other programs expect CRLF.
  const std::string selection = table_->Clip();
  std::string text;
  text.reserve(selection.size() + selection.size() / 8);
  for (const char c : selection) {
    text += c;
    if (c == '\r') text += '\n';
  }
  return text;
}

}  // namespace linkwatch
