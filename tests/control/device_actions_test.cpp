// Enabling and shutting down an interface, and writing an edited cell, against a
// scripted device: what is sent, the refusal texts, the cell put back, and the
// read-back that follows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

// A running control on a device with three interfaces whose aliases (ifAlias.N,
// "port N") and admin status (ifAdminStatus.N) are writable, after one full poll.
class DeviceActionsTest : public DeviceFixture {
 protected:
  void SetUp() override {
    AddDevice(3);
    Start("STATUS,ALIAS,ADMIN,ENABLE");
  }

  // The row of a key; appended when the table does not show it yet.
  int RowOf(const std::string& key) {
    int row = grid.FindRow(key);
    if (row < 1) {
      row = grid.Rows();
      grid.SetRows(row + 1);
      grid.SetRowData(row, key);
    }
    return row;
  }

  // Records sent from position `from` on.
  std::vector<fakes::FakeSnmpEngine::SentRecord> SentSince(size_t from) const {
    return {engine.Sent().begin() + static_cast<std::ptrdiff_t>(from), engine.Sent().end()};
  }

  const std::vector<std::string>& Warnings() { return platform_.Platform().Messages().Shown(); }
};

// --- Enable and shutdown ---------------------------------------------------

struct AdminCase {
  const char* Name;
  bool Enable;
  const char* Written;
  const char* RefusalHead;
};

class AdminStatusWriteTest : public DeviceActionsTest,
                             public ::testing::WithParamInterface<AdminCase> {
 protected:
  bool Act(const std::shared_ptr<Interface>& target) {
    return GetParam().Enable ? control->AdminEnableInterface(target)
                             : control->AdminShutdownInterface(target);
  }
};

TEST_P(AdminStatusWriteTest, AnAcceptedWriteSetsTheStatusThenPollsAgain) {
  const AdminCase& c = GetParam();
  engine.SetObject("1.3.6.1.2.1.2.2.1.7.2", c.Enable ? "2" : "1", kSnmpInteger, true);
  const size_t before = SentCount();
  const int32_t pollId = control->PollID();

  ASSERT_TRUE(Act(InterfaceAt(2))) << control->LastError();

  const auto sent = SentSince(before);
  ASSERT_GE(sent.size(), 2u);
  const SnmpMessage& set = sent[0].Message;
  EXPECT_FALSE(sent[0].DeliverByEvent);
  // A shutdown goes out as SNMPv1; an enable keeps the version of a new message.
  EXPECT_EQ(set.Version, c.Enable ? SnmpMessage{}.Version : 1);
  ASSERT_EQ(set.Bindings.Count(), 1);
  EXPECT_EQ(set.Bindings.Item(0).ValueType, kSnmpInteger);

  // Then a new poll cycle of the same run starts, which reads the written status
  // back from the device.
  EXPECT_TRUE(sent[1].DeliverByEvent);
  EXPECT_EQ(sent[1].Message.Tag, std::to_string(pollId) + ":STATUS:1.3.6.1.2.1.2.2.1.8.");
  engine.DeliverAll();
  EXPECT_EQ(InterfaceAt(2)->Statistics()->Item("ADMIN")->RawText(), c.Written);
}

// A device that does not take the write leaves the reason with the engine's text
// and polls nothing; without an interface nothing is sent.
TEST_P(AdminStatusWriteTest, ARefusedWriteLeavesTheReasonAndPollsNothing) {
  engine.SetObject("1.3.6.1.2.1.2.2.1.7.2", "1", kSnmpInteger, /*writable=*/false);
  const size_t before = SentCount();
  EXPECT_FALSE(Act(nullptr));
  EXPECT_EQ(SentCount(), before);
  EXPECT_FALSE(Act(InterfaceAt(2)));
  EXPECT_EQ(control->LastError(),
            std::string(GetParam().RefusalHead) +
                "\r\nThe device refused to change 1.3.6.1.2.1.2.2.1.7.2."
                "\r\n\r\nAre you using a Read-Write SNMP Community string ?");
  EXPECT_EQ(SentCount(), before + 1);  // the write, and no poll after it
  EXPECT_TRUE(Warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EnableAndShutdown, AdminStatusWriteTest,
    ::testing::Values(AdminCase{"Enable", true, "1", "Cannot enable interface."},
                      AdminCase{"Shutdown", false, "2", "Cannot shutdown interface."}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Writing an edited cell -----------------------------------------------

// How a device refuses an edit.
void ReadOnlyAlias3(fakes::FakeSnmpEngine& engine) {
  engine.SetObject("1.3.6.1.2.1.31.1.1.1.18.3", "lab", kSnmpOctetString, /*writable=*/false);
}
void Silent(fakes::FakeSnmpEngine& engine) {
  engine.SetResponder([](const SnmpMessage& request) {
    SnmpMessage response = request;
    response.Bindings.Clear();
    response.ErrorCode = kSnmpTimeout;
    response.ErrorText = "No answer.";
    return response;
  });
}

constexpr const char* kReadOnlyText =
    "\r\n\r\nEither the device does not support updates to this MIB or you are using a "
    "READ-ONLY SNMP Community string.";
constexpr const char* kAliasWalk = "walk 1:ALIAS:1.3.6.1.2.1.31.1.1.1.18.;";
constexpr const char* kAdminWalk = "walk 1:ADMIN:1.3.6.1.2.1.2.2.1.7.;";

struct EditCase {
  const char* Name;
  void (*Refuse)(fakes::FakeSnmpEngine&);  // null: the device takes it
  const char* RowKey;
  const char* StatName;
  GridValue Typed;   // a text, or the check state the user set
  std::string Sent;  // what went out: the read, the write, the column's walk
  std::string Warning;
  std::string TextAfter;
  GridValue CheckedAfter;
  const char* Oid = "";     // the instance the device holds afterwards
  const char* Stored = "";  // its value, also read back by the walk
};

class EditTest : public DeviceActionsTest, public ::testing::WithParamInterface<EditCase> {};

// The cell's value is written with the type the device reports for it, and the
// column is read again. A refused write warns once and puts back what the device
// holds. Cells that name nothing writable send nothing.
TEST_P(EditTest, WritesWhatTheDeviceCanTakeAndShowsWhatItHolds) {
  const EditCase& c = GetParam();
  if (c.Refuse) c.Refuse(engine);
  InterfaceAt(1)->OwnChildren().Add(*InterfaceAt(1), "4");
  control->Interfaces()->SetStatistic(1, "", "ENABLE", "1", "");
  const int row = RowOf(c.RowKey);
  const int col = ColOf(c.StatName);
  const bool checkBox = std::holds_alternative<int64_t>(c.Typed);
  grid.SetCell(checkBox ? kCellChecked : kCellText, row, col, c.Typed);
  const int16_t typeBefore = *c.Oid ? engine.Object(c.Oid)->Type : 0;
  const size_t before = SentCount();

  grid.Events()->AfterEdit(row, col);

  std::string sent;
  for (const auto& record : SentSince(before)) {
    sent += record.DeliverByEvent ? "walk " + record.Message.Tag + ";"
            : record.Message.Kind == kSnmpGet ? "get;" : "set;";
  }
  EXPECT_EQ(sent, c.Sent);
  EXPECT_EQ(Warnings(), c.Warning.empty() ? std::vector<std::string>{}
                                          : std::vector<std::string>{c.Warning});
  EXPECT_EQ(grid.CellText(row, col), c.TextAfter);
  EXPECT_EQ(grid.Cell(kCellChecked, row, col), c.CheckedAfter);
  if (!*c.Oid) return;
  EXPECT_EQ(engine.Object(c.Oid)->Type, typeBefore);
  engine.DeliverAll();
  EXPECT_EQ(control->Interfaces()->Item(c.RowKey)->Statistics()->Item(c.StatName)->RawText(),
            c.Stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, EditTest,
    ::testing::Values(
        EditCase{"Text", nullptr, "I:3", "ALIAS", std::string("core uplink"),
                 std::string("get;set;") + kAliasWalk, "", "core uplink", {},
                 "1.3.6.1.2.1.31.1.1.1.18.3", "core uplink"},
        EditCase{"CheckBoxSet", nullptr, "I:3", "ADMIN", int64_t{kGridChecked},
                 std::string("get;set;") + kAdminWalk, "", "", int64_t{kGridChecked},
                 "1.3.6.1.2.1.2.2.1.7.3", "1"},
        EditCase{"NotWritable", ReadOnlyAlias3, "I:3", "ALIAS", std::string("lab bench"),
                 std::string("get;set;") + kAliasWalk,
                 std::string("Cannot set value to 'lab bench'") + kReadOnlyText, "lab", {},
                 "1.3.6.1.2.1.31.1.1.1.18.3", "lab"},
        // A device that gives no current value is not written.
        EditCase{"NoCurrentValue", Silent, "I:1", "ALIAS", std::string("new"),
                 std::string("get;") + kAliasWalk,
                 "Cannot set value to 'new'\r\nNo answer.\r\n\r\n"
                 "Are you using a Read-Write SNMP Community String ?",
                 "new", {}},
        // A child row's key names no interface.
        EditCase{"ChildRow", nullptr, "C:1.4", "ALIAS", std::string("x"), "", "", "x", {}},
        // The control's own check box has no object on the device.
        EditCase{"OwnCheckBox", nullptr, "I:1", "ENABLE", int64_t{kGridChecked}, "", "", "",
                 int64_t{kGridChecked}}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace linkwatch
