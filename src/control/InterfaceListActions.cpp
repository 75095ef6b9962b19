// Changing the device: enabling and shutting down an interface, and writing a
// value the user edited in the table. Each write waits for the device's answer,
// reports a refusal, and then has the control read back what it changed.
#include <exception>
#include <string>

#include "control/InterfaceList.h"
#include "control/WalkOids.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

constexpr const char* kSetTag = "SET";
constexpr const char* kCRLF = "\r\n";
// Administrative status values of IF-MIB.
constexpr const char* kAdminUp = "1";
constexpr const char* kAdminDown = "2";
// Truth values a check box writes: set, clear.
constexpr const char* kTruthTrue = "1";
constexpr const char* kTruthFalse = "2";

// What the device answered, kept apart from the engine's message, which the
// next exchange reuses.
struct Outcome {
  int32_t ErrorCode = kSnmpSuccess;
  std::string ErrorText;
};

Outcome OutcomeOf(const SnmpMessage& response) { return {response.ErrorCode, response.ErrorText}; }

// An exchange that could not even be made counts as one the device did not take.
Outcome OutcomeOf(const std::exception& failure) { return {kSnmpSendFailed, failure.what()}; }

std::string AdminRefusal(bool enable, const std::string& errorText) {
  return std::string(enable ? "Cannot enable interface." : "Cannot shutdown interface.") + kCRLF +
         errorText + kCRLF + kCRLF + "Are you using a Read-Write SNMP Community string ?";
}

std::string EditRefusal(const std::string& newValue, const Outcome& outcome) {
  const std::string head = "Cannot set value to '" + newValue + "'";
  if (outcome.ErrorCode == kSnmpWriteRefused) {
    return head + kCRLF + kCRLF +
           "Either the device does not support updates to this MIB or you are using a "
           "READ-ONLY SNMP Community string.";
  }
  return head + kCRLF + outcome.ErrorText + kCRLF + kCRLF +
         "Are you using a Read-Write SNMP Community String ?";
}

std::string TextOf(const GridValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* whole = std::get_if<int64_t>(&value)) return std::to_string(*whole);
  return {};
}

bool IsChecked(const GridValue& state) {
  const auto* code = std::get_if<int64_t>(&state);
  return code != nullptr && *code == kGridChecked;
}

}  // namespace

bool InterfaceList::AdminEnableInterface(const std::shared_ptr<Interface>& target) {
  return WriteAdminStatus(target, true);
}

bool InterfaceList::AdminShutdownInterface(const std::shared_ptr<Interface>& target) {
  return WriteAdminStatus(target, false);
}

bool InterfaceList::WriteAdminStatus(const std::shared_ptr<Interface>& target, bool enable) {
  if (!target) return false;
  Outcome outcome;
  try {
    PrepareMessage(false);
    SnmpMessage& message = *currentMessage_;
    message.Tag = kSetTag;
    message.Bindings.Clear();
    message.Bindings.Add(kIfAdminStatusBase + std::to_string(target->Index()),
                         enable ? kAdminUp : kAdminDown, kSnmpInteger);
    // A shutdown always goes out as SNMPv1; an enable as a new message is made.
    if (!enable) message.Version = 1;
    message.Kind = kSnmpSet;
    bool deliverByEvent = false;
    snmp_->Send(message, deliverByEvent);
    outcome = OutcomeOf(snmp_->LastResponse());
  } catch (const std::exception& failure) {
    outcome = OutcomeOf(failure);
  }
  if (outcome.ErrorCode != kSnmpSuccess) {
    state_.LastError = AdminRefusal(enable, outcome.ErrorText);
    return false;
  }
  try {
    Poll(false);  // a new cycle reads the changed status back
  } catch (...) {
    // The write succeeded; a failed re-read is not the caller's concern.
  }
  return true;
}

void InterfaceList::OnAfterEdit(int row, int column) {
  // Only a statistic of an interface row is written; child rows carry child keys.
  if (!interfaces_) return;
  const std::shared_ptr<Interface> owner = interfaces_->Item(table_->RowData(row));
  if (!owner) return;
  const std::string statName = table_->ColKey(column);
  const std::shared_ptr<Statistic> edited = owner->Statistics()->Item(statName);
  if (!edited) return;

  const bool checkBox = edited->IsCheckBox();
  const std::string newValue =
      checkBox ? (IsChecked(table_->Cell(kCellChecked, row, column)) ? kTruthTrue : kTruthFalse)
               : TextOf(table_->Cell(kCellText, row, column));
  // A check box of the control's own has nothing on the device to write.
  const auto object = edited->OID();
  if (!object) return;
  const std::string instance = object->NumericOid() + "." + std::to_string(owner->Index());

  // The device's current value first: its type is the type to write with, and
  // the value is what the cell shows again when the write is refused.
  Outcome outcome;
  std::string oldValue;
  bool haveOldValue = false;
  try {
    PrepareMessage(false);
    SnmpMessage& message = *currentMessage_;
    message.Tag = kSetTag;
    message.Version = state_.SNMPVersion;
    message.Bindings.Clear();
    message.Bindings.Add(instance, "", kSnmpNull);
    message.Kind = kSnmpGet;
    bool deliverByEvent = false;
    snmp_->Send(message, deliverByEvent);
    const SnmpMessage& read = snmp_->LastResponse();
    if (read.Bindings.Count() == 0) {
      // Without the current value there is no type to write with.
      outcome = OutcomeOf(read);
      if (outcome.ErrorCode == kSnmpSuccess) {
        outcome = {kSnmpAgentError, "The device did not return the current value of " +
                                        instance + "."};
      }
    } else {
      oldValue = read.Bindings.Item(0).Value;
      const int16_t oldType = read.Bindings.Item(0).ValueType;
      haveOldValue = true;

      message.Bindings.Clear();
      message.Bindings.Add(instance, newValue, oldType);
      message.Kind = kSnmpSet;
      snmp_->Send(message, deliverByEvent);
      outcome = OutcomeOf(snmp_->LastResponse());
    }
  } catch (const std::exception& failure) {
    outcome = OutcomeOf(failure);
  }

  if (outcome.ErrorCode != kSnmpSuccess) {
    platform_->GetMessageBox().ShowWarning(EditRefusal(newValue, outcome));
    if (haveOldValue) {
      // The cell shows the device's value again: the old text, or for a check
      // box the old truth value as its check state.
      if (checkBox) {
        table_->SetCell(kCellChecked, row, column,
                        static_cast<int64_t>(oldValue == kTruthTrue ? kGridChecked : kGridUnchecked));
      } else {
        table_->SetCell(kCellText, row, column, oldValue);
      }
    }
  }
  // The whole column is read again from the device.
  PollStatistic(statName);
}

}  // namespace linkwatch
