#include "core/transfer/sim/sim_faults.h"

#include <gtest/gtest.h>

namespace skyvane::sim {
namespace {

TEST(SimFaults, EachLineNamesOneFault) {
  SimFaults f;
  std::string error;
  EXPECT_TRUE(ParseSimFaults("silent\n  lose 20   # now and then\ntorn 3\nunplugged\n", f, error));
  EXPECT_EQ(error, "");
  EXPECT_TRUE(f.silent);
  EXPECT_EQ(f.loseOneIn, 20);
  EXPECT_EQ(f.tornOneIn, 3);
  EXPECT_TRUE(f.unplugged);
  EXPECT_TRUE(ParseSimFaults("# nothing wrong today\n\n", f, error));
  EXPECT_EQ(f, SimFaults{});
}

TEST(SimFaults, BrokenLinesAreNamedAndTheRestStillCounts) {
  SimFaults f;
  std::string error;
  EXPECT_FALSE(ParseSimFaults("lose 0\ntorn x\nsilent now\nlose 5\nunplug\ntorn 2 3\n", f, error));
  EXPECT_EQ(error,
            "line 1: not a fault: lose 0; line 2: not a fault: torn x; line 3: not a fault: silent now; "
            "line 5: not a fault: unplug; line 6: not a fault: torn 2 3");
  EXPECT_EQ(f.loseOneIn, 5);
  EXPECT_EQ(f.tornOneIn, 0);
  EXPECT_FALSE(f.silent);
}

}  // namespace
}  // namespace skyvane::sim
