#include "gui/shell/status_hand_over.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <atomic>
#include <thread>

#include "desktop_fixture.h"

namespace skyvane {
namespace {

TEST(StatusHandOver, TheSenderWaitsUntilTheTextIsShown) {
  std::vector<std::string> shown;
  StatusHandOver handOver([&](const std::string& text) { shown.push_back(text); });
  std::atomic<bool> returned{false};
  std::atomic<bool> result{false};
  std::thread sender([&] {
    result = handOver.Deliver("Read data from Skyvane Radio Controlled ...");
    returned = true;
  });
  // Nothing is shown, and the sender keeps waiting, until the UI thread runs.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(returned.load());
  EXPECT_TRUE(shown.empty());
  ASSERT_TRUE(test::WaitFor([&] { return returned.load(); }));
  sender.join();
  EXPECT_TRUE(result.load());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Read data from Skyvane Radio Controlled ...");
}

TEST(StatusHandOver, CloseReleasesAWaitingSenderAtOnce) {
  int shown = 0;
  StatusHandOver handOver([&](const std::string&) { ++shown; });
  std::atomic<bool> returned{false};
  std::atomic<bool> result{true};
  std::thread sender([&] {
    result = handOver.Deliver("text");
    returned = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  QElapsedTimer t;
  t.start();
  handOver.Close();  // the UI thread is about to join the sender: it must not wait for events
  sender.join();
  EXPECT_LT(t.elapsed(), 500);
  EXPECT_TRUE(returned.load());
  EXPECT_FALSE(result.load());
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, 0);  // the stale request is not shown after closing
  EXPECT_FALSE(handOver.Deliver("later"));  // and later ones return at once
}

TEST(StatusHandOver, OnTheUiThreadTheTextIsShownDirectly) {
  std::string shown;
  StatusHandOver handOver([&](const std::string& text) { shown = text; });
  EXPECT_TRUE(handOver.Deliver("now"));
  EXPECT_EQ(shown, "now");
}

}  // namespace
}  // namespace skyvane
