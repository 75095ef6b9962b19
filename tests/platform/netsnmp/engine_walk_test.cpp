// Walks through the real agent: asynchronous get-bulk walks of several interface
// table columns in flight at once, and the end of the agent's view over each version.
#include <chrono>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace linkwatch::enginetest {
namespace {

constexpr const char* kIfDescrColumn = "1.3.6.1.2.1.2.2.1.2.";
constexpr const char* kIfTypeColumn = "1.3.6.1.2.1.2.2.1.3.";
constexpr const char* kIfMtuColumn = "1.3.6.1.2.1.2.2.1.4.";
constexpr const char* kIfPhysAddressColumn = "1.3.6.1.2.1.2.2.1.6.";
constexpr const char* kIfInOctetsColumn = "1.3.6.1.2.1.2.2.1.10.";

// Generous, for a machine with hundreds of interfaces walked one row a request.
constexpr std::chrono::seconds kWalkDeadline{90};

struct BulkCase {
  std::string Name;
  int16_t Version;
  int32_t MaxRepetitions;
};

void PrintTo(const BulkCase& c, std::ostream* out) { *out << c.Name; }

class ColumnWalks : public EngineTest, public ::testing::WithParamInterface<BulkCase> {};

TEST_P(ColumnWalks, SeveralColumnsInFlightAtOnceEachReachTheirEnd) {
  auto engine = EngineForAgent();
  ColumnWalker walker(*engine, Request(GetParam().Version, kSnmpGet, {}), GetParam().MaxRepetitions);
  const std::vector<std::string> columns = {kIfDescrColumn, kIfTypeColumn, kIfMtuColumn,
                                            kIfPhysAddressColumn, kIfInOctetsColumn};
  for (const std::string& column : columns) walker.Start(column);
  // Every first request is out before any reply is handled.
  EXPECT_EQ(engine->PendingReplies(), columns.size());
  EXPECT_EQ(walker.Replies(), 0);

  // The machine may have hundreds of interfaces: every walk runs to its column's end.
  ASSERT_TRUE(walker.WaitForAll(kWalkDeadline));

  const ColumnWalk& descr = walker.Walk(kIfDescrColumn);
  ASSERT_TRUE(descr.Rows.count("1")) << "the loopback interface is missing";
  EXPECT_EQ(descr.Rows.at("1").ValueType, kSnmpOctetString);
  EXPECT_EQ(descr.Rows.at("1").Value, "lo");
  for (const std::string& column : columns) {
    const ColumnWalk& walk = walker.Walk(column);
    EXPECT_TRUE(walk.Failure.empty()) << column << ": " << walk.Failure;
    EXPECT_EQ(walk.Rows.size(), descr.Rows.size()) << column << " has other rows than ifDescr";
    for (const auto& [row, binding] : descr.Rows) {
      EXPECT_TRUE(walk.Rows.count(row)) << column << " lacks row " << row;
    }
  }
  // A walk of N rows with R repetitions a request needs N / R + 1 requests at most.
  const int rows = static_cast<int>(descr.Rows.size());
  const int perRequest = GetParam().Version == 1 ? 1 : GetParam().MaxRepetitions;
  EXPECT_LE(walker.Walk(kIfDescrColumn).Requests, rows / perRequest + 1);

  EXPECT_EQ(engine->PendingReplies(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Walks, ColumnWalks,
                         ::testing::Values(BulkCase{"v2c_bulk_of_2", 2, 2}),
                         [](const auto& info) { return info.param.Name; });

// End of the agent's view: a community that sees only the system group.
struct EndCase {
  std::string Name;
  int16_t Version;
  int16_t Kind;
};

void PrintTo(const EndCase& c, std::ostream* out) { *out << c.Name; }

class EndOfView : public EngineTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndOfView, AnswersOneEmptyEndBindingWithoutError) {
  auto engine = EngineForAgent();
  // Past everything any agent holds, and (for the limited community) past its view.
  for (const auto& [community, from] : {std::pair{kReadCommunity, "2.99"},
                                        std::pair{kSystemOnlyCommunity, "2.99"},
                                        std::pair{kSystemOnlyCommunity, "1.3.6.1.6.3.99."}}) {
    const SnmpMessage response =
        SendAndWait(*engine, Request(GetParam().Version, GetParam().Kind, {from}, community));
    ASSERT_EQ(response.ErrorCode, kSnmpSuccess) << community << " " << from << ": "
                                                << response.ErrorText;
    ASSERT_EQ(response.Bindings.Count(), 1) << community << " " << from;
    EXPECT_EQ(response.Bindings.Item(0).ValueType, kSnmpEndOfMibView);
    EXPECT_EQ(response.Bindings.Item(0).OID, "");
    EXPECT_EQ(response.Bindings.Item(0).Value, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Walks, EndOfView,
                         ::testing::Values(EndCase{"v1_get_next", 1, kSnmpGetNext},
                                           EndCase{"v1_bulk_sent_as_get_next", 1, kSnmpGetBulk},
                                           EndCase{"v2c_get_bulk", 2, kSnmpGetBulk}),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace linkwatch::enginetest
