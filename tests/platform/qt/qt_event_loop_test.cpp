// The Qt services need one QApplication for the whole test program. It is made
// here, before the first test, on the offscreen platform so no display is needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "platform/qt/QtEventLoop.h"

namespace linkwatch {
namespace {

using namespace std::chrono_literals;

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    application_ = QtEventLoop::EnsureApplication();
    ASSERT_NE(application_, nullptr);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

TEST(QtEventLoopTest, EnsureApplicationKeepsTheExistingOne) {
  ASSERT_NE(QCoreApplication::instance(), nullptr);
  EXPECT_EQ(QtEventLoop::EnsureApplication(), nullptr);
  EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
}

TEST(QtEventLoopTest, RunUntilReturnsOnceTheConditionHoldsOrGivesUpAtTheDeadline) {
  bool fired = false;
  QTimer::singleShot(0, [&] { fired = true; });
  EXPECT_TRUE(QtEventLoop::RunUntil([&] { return fired; }, 10s));
  EXPECT_FALSE(QtEventLoop::RunUntil([] { return false; }, 30ms));
}

}  // namespace
}  // namespace linkwatch
