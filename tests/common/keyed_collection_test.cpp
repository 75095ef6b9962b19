#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/KeyedCollection.h"

namespace linkwatch {
namespace {

// An item that writes its name into a shared log when it is released.
struct Tracked {
  Tracked(std::string n, std::shared_ptr<std::vector<std::string>> l)
      : name(std::move(n)), log(std::move(l)) {}
  ~Tracked() { log->push_back(name); }
  std::string name;
  std::shared_ptr<std::vector<std::string>> log;
};

class KeyedCollectionTest : public ::testing::Test {
 protected:
  void Fill(std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
      ASSERT_TRUE(collection.Add(key, std::make_shared<Tracked>(key, log)));
    }
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : collection) {
      names.push_back(item->name);
    }
    return names;
  }

  std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
  KeyedCollection<Tracked> collection;
};

TEST_F(KeyedCollectionTest, KeysIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  Fill({"I:5", "In Octets"});
  EXPECT_FALSE(collection.Add("IN OCTETS", std::make_shared<Tracked>("other", log)));
  EXPECT_EQ(collection.Count(), 2);
  ASSERT_NE(collection.Item("in octets"), nullptr);
  EXPECT_EQ(collection.Item("in octets")->name, "In Octets");
  EXPECT_EQ(collection.Key(2), "In Octets");
  EXPECT_EQ(collection.PositionOf("IN octets"), 2);
  // Misses give none, for keys and for positions (which count from 1).
  EXPECT_EQ(collection.PositionOf("missing"), 0);
  EXPECT_EQ(collection.Item(""), nullptr);
  for (int32_t position : {0, -1, 3}) {
    EXPECT_EQ(collection.Item(position), nullptr) << position;
  }
  EXPECT_EQ(collection.Item(1)->name, "I:5");
}

TEST_F(KeyedCollectionTest, RemovingAndClearingKeepOrderAndLookupsOfTheRest) {
  Fill({"a", "b", "c", "d"});
  EXPECT_TRUE(collection.Remove("B"));
  EXPECT_FALSE(collection.Remove("b"));
  EXPECT_TRUE(collection.Remove(3));  // "d"
  EXPECT_FALSE(collection.Remove(3));
  EXPECT_FALSE(collection.Remove(0));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(collection.Item("C")->name, "c");
  EXPECT_EQ(collection.Item(2)->name, "c");
  EXPECT_EQ(*log, (std::vector<std::string>{"b", "d"}));
  // A removed key can be added again, at the end.
  Fill({"b"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "b"}));
  // Clear releases the rest from the first on.
  collection.Clear();
  EXPECT_EQ(collection.Count(), 0);
  EXPECT_EQ(*log, (std::vector<std::string>{"b", "d", "a", "c", "b"}));
  EXPECT_EQ(collection.Item("a"), nullptr);
}

}  // namespace
}  // namespace linkwatch
