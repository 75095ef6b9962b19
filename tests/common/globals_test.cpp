#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>

#include "common/ControlForm.h"
#include "common/Globals.h"
#include "fakes/FakeDeviceCatalog.h"
#include "fakes/FakeDnsResolver.h"
#include "fakes/FakePlatform.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

std::shared_ptr<fakes::FakePlatform> MakePlatform() {
  auto platform = std::make_shared<fakes::FakePlatform>();
  platform->MakeDeviceCatalog = [] { return std::make_unique<fakes::FakeDeviceCatalog>(); };
  platform->MakeDnsResolver = [] { return std::make_unique<fakes::FakeDnsResolver>(); };
  return platform;
}

// What one control takes from the thread's shared state.
struct ControlUser {
  std::shared_ptr<StatisticTemplates> templates = Globals::Templates();
  std::shared_ptr<DeviceCatalog> catalog = Globals::Catalog();
  std::shared_ptr<DnsResolver> resolver = Globals::Form()->Resolver();
};

class GlobalsTest : public ::testing::Test {
 protected:
  void TearDown() override { Globals::Reset(); }
};

TEST_F(GlobalsTest, MissingPlatformIsAClearError) {
  Globals::Reset();
  EXPECT_FALSE(Globals::Installed());
  EXPECT_THROW(Globals::GetPlatform(), std::logic_error);
  EXPECT_THROW(Globals::Templates(), std::logic_error);
  EXPECT_THROW(Globals::Catalog(), std::logic_error);
}

TEST_F(GlobalsTest, ControlsOnOneThreadShareOneSetAnotherThreadHasItsOwn) {
  Globals::Install(MakePlatform());
  ControlUser first;
  ControlUser second;
  EXPECT_EQ(first.templates, second.templates);
  EXPECT_EQ(first.catalog, second.catalog);
  EXPECT_EQ(first.resolver, second.resolver);
  ASSERT_NE(first.catalog, nullptr);
  ASSERT_NE(first.resolver, nullptr);
  first.catalog->SetHighColor(true);
  EXPECT_TRUE(second.catalog->HighColor());

  Globals::SetSharedLastBoot(45000.25);
  bool otherHadNoPlatform = false;
  SerialDate otherLastBoot = -1;
  ControlUser* otherUser = nullptr;
  std::unique_ptr<ControlUser> otherKept;
  std::thread other([&] {
    otherHadNoPlatform = !Globals::Installed();
    otherLastBoot = Globals::SharedLastBoot();
    Globals::Install(MakePlatform());
    otherKept = std::make_unique<ControlUser>();
    otherUser = otherKept.get();
    Globals::Reset();
  });
  other.join();
  EXPECT_TRUE(otherHadNoPlatform);
  EXPECT_EQ(otherLastBoot, 0.0);
  ASSERT_NE(otherUser, nullptr);
  EXPECT_NE(otherUser->templates, first.templates);
  EXPECT_NE(otherUser->catalog, first.catalog);
  EXPECT_NE(otherUser->resolver, first.resolver);
  EXPECT_EQ(Globals::SharedLastBoot(), 45000.25);
}

TEST_F(GlobalsTest, ResetStartsAFreshSetWhileHoldersKeepTheirs) {
  Globals::Install(MakePlatform());
  ControlUser before;
  Globals::SetSharedLastBoot(1.0);
  Globals::Install(MakePlatform());
  ControlUser after;
  EXPECT_NE(before.templates, after.templates);
  EXPECT_NE(before.catalog, after.catalog);
  EXPECT_EQ(Globals::SharedLastBoot(), 0.0);
  EXPECT_EQ(before.templates->Count(), 0);  // still usable
}

}  // namespace
}  // namespace linkwatch
