#include "gui/controls/reading_text.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace skyvane {
namespace {

TEST(GaugeReadingText, EmptyAndDashesAreNoReading) {
  EXPECT_FALSE(HasGaugeReading(""));
  EXPECT_FALSE(HasGaugeReading("---"));
  EXPECT_TRUE(HasGaugeReading("0"));
  EXPECT_TRUE(HasGaugeReading("--- mm"));
  EXPECT_TRUE(HasGaugeReading(" "));
}

TEST(GaugeReadingText, ValuesStayFiniteFloats) {
  EXPECT_FLOAT_EQ(GaugeReadingValue("23.4 °C"), 23.4f);
  EXPECT_FLOAT_EQ(GaugeReadingValue("---"), 0);
  EXPECT_FLOAT_EQ(GaugeReadingValue("1e300"), FLT_MAX);
  EXPECT_FLOAT_EQ(GaugeReadingValue("-1e999"), -FLT_MAX);
  EXPECT_FLOAT_EQ(GaugeReadingValue("nan"), 0);
  EXPECT_EQ(GaugeReadingInteger("12.7"), 12);
  EXPECT_EQ(GaugeReadingInteger(" -2 bft"), -2);
}

}  // namespace
}  // namespace skyvane
