#include "core/history/poller_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

// flock belongs to an open file: a second one in this process competes like
// another process would.
TEST(PollerLock, OnePollerAtATimeAndTheHoldersNumberForTheOthers) {
  test::ScratchFolder folder;
  const std::string data = (folder / "Skyvane.dat").string();
  auto first = std::make_unique<PollerLock>(data);
  EXPECT_EQ(first->state(), PollerLock::State::kOwned);
  PollerLock second(data);
  EXPECT_EQ(second.state(), PollerLock::State::kHeldByOther);
  EXPECT_FALSE(second.MayPoll());
  EXPECT_EQ(second.holderPid(), ::getpid());
  first.reset();
  PollerLock third(data);
  EXPECT_EQ(third.state(), PollerLock::State::kOwned);

  // No folder for a lock file: nobody can append there, so nobody is stopped.
  PollerLock nowhere((folder / "missing/Skyvane.dat").string());
  EXPECT_EQ(nowhere.state(), PollerLock::State::kUnavailable);
  EXPECT_TRUE(nowhere.MayPoll());
}

}  // namespace
}  // namespace skyvane
