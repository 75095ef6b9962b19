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

constexpr const char* kAliasColumn = "1.3.6.1.2.1.31.1.1.1.18";
constexpr const char* kAdminColumn = "1.3.6.1.2.1.2.2.1.7";

constexpr const char* kEditStatistics = R"(<Portsight><Statistics>
  <Statistic Name="ALIAS" Header="Alias" MIB="ifAlias" />
  <Statistic Name="ADMIN" Header="Enabled" MIB="ifAdminStatus" CheckBox="yes" />
</Statistics></Portsight>)";

// A running control on a device with three interfaces whose aliases (ifAlias.N,
// "port N") and admin status (ifAdminStatus.N) are writable, after one full poll.
class DeviceActionsTest : public DeviceFixture {
 protected:
  void SetUp() override {
    Globals::Templates()->RefreshFromText(kEditStatistics);
    AddDevice(3);
    control->SetStatisticsList("STATUS,ALIAS,ADMIN,ENABLE");
    Start();
  }

  static std::string Instance(const std::string& column, int ifIndex) {
    return column + "." + std::to_string(ifIndex);
  }

  fakes::RecordingGrid& Grid() { return *platform_.Platform().LastGrid(); }

  // The row of a key; appended when the table does not show it yet.
  int RowOf(const std::string& key) {
    int row = Grid().FindRow(key);
    if (row < 1) {
      row = Grid().Rows();
      Grid().SetRows(row + 1);
      Grid().SetRowData(row, key);
    }
    return row;
  }
  int ColOf(const std::string& statName) {
    for (int col = 0; col < Grid().Cols(); ++col) {
      if (Grid().ColKey(col) == statName) return col;
    }
    ADD_FAILURE() << "no column " << statName;
    return 0;
  }

  // The user commits an edit of a cell: the grid raises its after-edit event.
  void CommitEdit(const std::string& rowKey, const std::string& statName) {
    Grid().Events()->AfterEdit(RowOf(rowKey), ColOf(statName));
  }

  // Records sent from position `from` on.
  std::vector<fakes::FakeSnmpEngine::SentRecord> SentSince(size_t from) const {
    return {engine.Sent().begin() + static_cast<std::ptrdiff_t>(from), engine.Sent().end()};
  }

  const std::vector<std::string>& Warnings() { return platform_.Platform().Messages().Shown(); }
};

// --- Enable and shutdown ---------------------------------------------------

TEST_F(DeviceActionsTest, NoInterfaceReturnsFalseAndSendsNothing) {
  const size_t before = SentCount();
  State().LastError = "earlier";
  EXPECT_FALSE(control->AdminEnableInterface(nullptr));
  EXPECT_FALSE(control->AdminShutdownInterface(nullptr));
  EXPECT_EQ(SentCount(), before);
  EXPECT_EQ(control->LastError(), "earlier");
}

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
  engine.SetObject(Instance(kAdminColumn, 2), c.Enable ? "2" : "1", kSnmpInteger, true);
  const size_t before = SentCount();
  const int32_t pollId = control->PollID();

  ASSERT_TRUE(Act(InterfaceAt(2))) << control->LastError();

  const auto sent = SentSince(before);
  ASSERT_GE(sent.size(), 2u);
  const SnmpMessage& set = sent[0].Message;
  EXPECT_FALSE(sent[0].DeliverByEvent);
  EXPECT_EQ(set.Tag, "SET");
  EXPECT_EQ(set.Kind, kSnmpSet);
  EXPECT_EQ(set.Agent, "10.1.2.3");
  EXPECT_EQ(set.Community, "public");
  // A shutdown goes out as SNMPv1; an enable keeps the version of a new message.
  EXPECT_EQ(set.Version, c.Enable ? SnmpMessage{}.Version : 1);
  ASSERT_EQ(set.Bindings.Count(), 1);
  EXPECT_EQ(set.Bindings.Item(0).OID, "1.3.6.1.2.1.2.2.1.7.2");
  EXPECT_EQ(set.Bindings.Item(0).Value, c.Written);
  EXPECT_EQ(set.Bindings.Item(0).ValueType, kSnmpInteger);
  EXPECT_EQ(engine.Object(Instance(kAdminColumn, 2))->Value, c.Written);

  // Then a new poll cycle of the same run starts, which reads the status back.
  EXPECT_TRUE(sent[1].DeliverByEvent);
  EXPECT_EQ(sent[1].Message.Tag, std::to_string(pollId) + ":STATUS:1.3.6.1.2.1.2.2.1.8.");
  engine.DeliverAll();
  EXPECT_EQ(InterfaceAt(2)->Statistics()->Item("ADMIN")->RawText(), c.Written);
}

TEST_P(AdminStatusWriteTest, ARefusedWriteLeavesTheReasonAndPollsNothing) {
  const AdminCase& c = GetParam();
  engine.SetObject(Instance(kAdminColumn, 2), "1", kSnmpInteger, /*writable=*/false);
  const size_t before = SentCount();

  EXPECT_FALSE(Act(InterfaceAt(2)));

  EXPECT_EQ(control->LastError(),
            std::string(c.RefusalHead) +
                "\r\nThe device refused to change 1.3.6.1.2.1.2.2.1.7.2.\r\n\r\n"
                "Are you using a Read-Write SNMP Community string ?");
  EXPECT_EQ(SentCount(), before + 1);  // the write, and no poll after it
  EXPECT_EQ(engine.Object(Instance(kAdminColumn, 2))->Value, "1");
  EXPECT_TRUE(Warnings().empty());
}

TEST_P(AdminStatusWriteTest, AnyFailureOfTheExchangeIsARefusalWithTheEnginesText) {
  const AdminCase& c = GetParam();
  engine.SetResponder([](const SnmpMessage& request) {
    SnmpMessage response = request;
    response.ErrorCode = kSnmpTimeout;
    response.ErrorText = "No answer within 1000 ms.";
    return response;
  });
  EXPECT_FALSE(Act(InterfaceAt(3)));
  EXPECT_EQ(control->LastError(), std::string(c.RefusalHead) +
                                      "\r\nNo answer within 1000 ms.\r\n\r\n"
                                      "Are you using a Read-Write SNMP Community string ?");
}

INSTANTIATE_TEST_SUITE_P(
    EnableAndShutdown, AdminStatusWriteTest,
    ::testing::Values(AdminCase{"Enable", true, "1", "Cannot enable interface."},
                      AdminCase{"Shutdown", false, "2", "Cannot shutdown interface."}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Writing an edited cell -----------------------------------------------

TEST_F(DeviceActionsTest, AnEditedTextIsWrittenWithTheDevicesTypeThenTheColumnIsReadAgain) {
  const int row = RowOf("I:2");
  Grid().SetCell(kCellText, row, ColOf("ALIAS"), std::string("core uplink"));
  const size_t before = SentCount();

  CommitEdit("I:2", "ALIAS");

  const auto sent = SentSince(before);
  ASSERT_EQ(sent.size(), 3u);
  // First the read of the instance, for its type.
  const SnmpMessage& read = sent[0].Message;
  EXPECT_FALSE(sent[0].DeliverByEvent);
  EXPECT_EQ(read.Tag, "SET");
  EXPECT_EQ(read.Kind, kSnmpGet);
  EXPECT_EQ(read.Version, control->SNMPVersion());
  ASSERT_EQ(read.Bindings.Count(), 1);
  EXPECT_EQ(read.Bindings.Item(0).OID, "1.3.6.1.2.1.31.1.1.1.18.2");
  EXPECT_EQ(read.Bindings.Item(0).ValueType, kSnmpNull);
  // Then the write of the cell's text with that type.
  const SnmpMessage& write = sent[1].Message;
  EXPECT_FALSE(sent[1].DeliverByEvent);
  EXPECT_EQ(write.Tag, "SET");
  EXPECT_EQ(write.Kind, kSnmpSet);
  EXPECT_EQ(write.Version, control->SNMPVersion());
  ASSERT_EQ(write.Bindings.Count(), 1);
  EXPECT_EQ(write.Bindings.Item(0).OID, "1.3.6.1.2.1.31.1.1.1.18.2");
  EXPECT_EQ(write.Bindings.Item(0).Value, "core uplink");
  EXPECT_EQ(write.Bindings.Item(0).ValueType, kSnmpOctetString);
  // Then the whole column is walked again.
  EXPECT_TRUE(sent[2].DeliverByEvent);
  EXPECT_EQ(sent[2].Message.Tag,
            std::to_string(control->PollID()) + ":ALIAS:1.3.6.1.2.1.31.1.1.1.18.");

  EXPECT_EQ(engine.Object(Instance(kAliasColumn, 2))->Value, "core uplink");
  EXPECT_TRUE(Warnings().empty());
  engine.DeliverAll();
  EXPECT_EQ(InterfaceAt(2)->Statistics()->Item("ALIAS")->RawText(), "core uplink");
}

struct CheckBoxCase {
  const char* Name;
  GridValue State;
  const char* Written;
};

class CheckBoxEditTest : public DeviceActionsTest,
                         public ::testing::WithParamInterface<CheckBoxCase> {};

TEST_P(CheckBoxEditTest, ACheckBoxWritesItsTruthValue) {
  const int row = RowOf("I:1");
  Grid().SetCell(kCellChecked, row, ColOf("ADMIN"), GetParam().State);
  const size_t before = SentCount();

  CommitEdit("I:1", "ADMIN");

  const auto sent = SentSince(before);
  ASSERT_GE(sent.size(), 2u);
  const SnmpBinding& written = sent[1].Message.Bindings.Item(0);
  EXPECT_EQ(written.OID, "1.3.6.1.2.1.2.2.1.7.1");
  EXPECT_EQ(written.Value, GetParam().Written);
  EXPECT_EQ(written.ValueType, kSnmpInteger);  // as the device reported it
  EXPECT_EQ(engine.Object(Instance(kAdminColumn, 1))->Value, GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(
    States, CheckBoxEditTest,
    ::testing::Values(CheckBoxCase{"Set", GridValue(int64_t{kGridChecked}), "1"},
                      CheckBoxCase{"Cleared", GridValue(int64_t{kGridUnchecked}), "2"},
                      CheckBoxCase{"NoCheckState", GridValue(), "2"}),
    [](const auto& info) { return std::string(info.param.Name); });

// How a device refuses an edit.
void ReadOnlyAlias3(fakes::FakeSnmpEngine& engine) {
  engine.SetObject("1.3.6.1.2.1.31.1.1.1.18.3", "lab", kSnmpOctetString, /*writable=*/false);
}
void ReadOnlyAdmin2(fakes::FakeSnmpEngine& engine) {
  engine.SetObject("1.3.6.1.2.1.2.2.1.7.2", "1", kSnmpInteger, /*writable=*/false);
}
void ValueTooLong(fakes::FakeSnmpEngine& engine) {
  engine.SetResponder([](const SnmpMessage& request) {
    SnmpMessage response = request;
    if (request.Kind == kSnmpSet) {
      response.ErrorCode = kSnmpBadValue;
      response.ErrorText = "The value is too long for ifAlias.";
    } else {
      response.Bindings.Item(0).Value = "short";
      response.Bindings.Item(0).ValueType = kSnmpOctetString;
    }
    return response;
  });
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

struct RefusedEdit {
  const char* Name;
  void (*Refuse)(fakes::FakeSnmpEngine&);
  const char* RowKey;
  const char* StatName;
  GridValue Typed;    // a text, or the check state the user set
  std::string Sent;   // what went out: the read, the write, the column's walk
  std::string Warning;
  std::string TextAfter;
  GridValue CheckedAfter;
};

class RefusedEditTest : public DeviceActionsTest,
                        public ::testing::WithParamInterface<RefusedEdit> {};

// A refused write warns once, puts back what the device holds, and the column is
// read again all the same.
TEST_P(RefusedEditTest, WarnsAndShowsWhatTheDeviceHolds) {
  const RefusedEdit& c = GetParam();
  c.Refuse(engine);
  const int row = RowOf(c.RowKey);
  const int col = ColOf(c.StatName);
  const bool checkBox = std::holds_alternative<int64_t>(c.Typed);
  Grid().SetCell(checkBox ? kCellChecked : kCellText, row, col, c.Typed);
  const size_t before = SentCount();

  CommitEdit(c.RowKey, c.StatName);

  std::string sent;
  for (const auto& record : SentSince(before)) {
    sent += record.DeliverByEvent ? "walk " + record.Message.Tag + ";"
            : record.Message.Kind == kSnmpGet ? "get;" : "set;";
  }
  EXPECT_EQ(sent, c.Sent);
  EXPECT_EQ(Warnings(), std::vector<std::string>{c.Warning});
  EXPECT_EQ(Grid().CellText(row, col), c.TextAfter);
  EXPECT_EQ(Grid().Cell(kCellChecked, row, col), c.CheckedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedEditTest,
    ::testing::Values(
        RefusedEdit{"NotWritable", ReadOnlyAlias3, "I:3", "ALIAS", std::string("lab bench"),
                    "get;set;walk 1:ALIAS:1.3.6.1.2.1.31.1.1.1.18.;",
                    std::string("Cannot set value to 'lab bench'") + kReadOnlyText, "lab", {}},
        RefusedEdit{"CheckBoxNotWritable", ReadOnlyAdmin2, "I:2", "ADMIN",
                    int64_t{kGridUnchecked}, "get;set;walk 1:ADMIN:1.3.6.1.2.1.2.2.1.7.;",
                    std::string("Cannot set value to '2'") + kReadOnlyText, "",
                    int64_t{kGridChecked}},
        RefusedEdit{"OtherReason", ValueTooLong, "I:1", "ALIAS", std::string("a long alias"),
                    "get;set;walk 1:ALIAS:1.3.6.1.2.1.31.1.1.1.18.;",
                    "Cannot set value to 'a long alias'\r\nThe value is too long for ifAlias."
                    "\r\n\r\nAre you using a Read-Write SNMP Community String ?",
                    "short", {}},
        // A device that gives no current value is not written.
        RefusedEdit{"NoCurrentValue", Silent, "I:1", "ALIAS", std::string("new"),
                    "get;walk 1:ALIAS:1.3.6.1.2.1.31.1.1.1.18.;",
                    "Cannot set value to 'new'\r\nNo answer.\r\n\r\n"
                    "Are you using a Read-Write SNMP Community String ?",
                    "new", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct UnwrittenEdit {
  const char* Name;
  const char* RowKey;
  const char* StatName;
};

class UnwrittenEditTest : public DeviceActionsTest,
                          public ::testing::WithParamInterface<UnwrittenEdit> {};

TEST_P(UnwrittenEditTest, IsNotSentAndShowsNothing) {
  InterfaceAt(1)->OwnChildren().Add(*InterfaceAt(1), "4");
  control->Interfaces()->SetStatistic(1, "", "ENABLE", "1", "");
  ASSERT_NE(InterfaceAt(1)->Statistics()->Item("ENABLE"), nullptr);
  InterfaceAt(2)->Statistics()->Remove("ALIAS");
  const size_t before = SentCount();
  CommitEdit(GetParam().RowKey, GetParam().StatName);
  EXPECT_EQ(SentCount(), before);
  EXPECT_TRUE(Warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cells, UnwrittenEditTest,
    ::testing::Values(
        // A child row's key names no interface.
        UnwrittenEdit{"ChildRow", "C:1.4", "ALIAS"},
        // A row of an interface the run does not know.
        UnwrittenEdit{"UnknownInterface", "I:9", "ALIAS"},
        // The control's own check box has no object on the device.
        UnwrittenEdit{"OwnCheckBox", "I:1", "ENABLE"},
        // The interface has no statistic for the column.
        UnwrittenEdit{"NoStatistic", "I:2", "ALIAS"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace linkwatch
