#include "gui/controls/gauge_scale.h"

#include <gtest/gtest.h>

namespace skyvane {
namespace {

TEST(ThermometerScale, ValueInsideTheBaseKeepsIt) {
  const ThermometerScale s = FitThermometerScale(-40, 60, 10, 25);
  EXPECT_FLOAT_EQ(s.min, -40);
  EXPECT_FLOAT_EQ(s.max, 60);
  EXPECT_EQ(s.divisions, 10);
  const ThermometerScale edge = FitThermometerScale(-40, 60, 10, 60);
  EXPECT_FLOAT_EQ(edge.max, 60);
  EXPECT_EQ(edge.divisions, 10);
}

TEST(ThermometerScale, ExtendsTopAndBottomByWholeSteps) {
  const ThermometerScale hot = FitThermometerScale(-40, 60, 10, 65);
  EXPECT_FLOAT_EQ(hot.min, -40);
  EXPECT_FLOAT_EQ(hot.max, 70);
  EXPECT_EQ(hot.divisions, 11);

  const ThermometerScale cold = FitThermometerScale(-40, 60, 10, -45);
  EXPECT_FLOAT_EQ(cold.min, -50);
  EXPECT_FLOAT_EQ(cold.max, 60);
  EXPECT_EQ(cold.divisions, 11);

  const ThermometerScale far = FitThermometerScale(-40, 60, 10, 95.5f);
  EXPECT_FLOAT_EQ(far.max, 100);
  EXPECT_EQ(far.divisions, 14);
}

TEST(ThermometerScale, WildValueStopsAfterTheLimit) {
  const ThermometerScale s = FitThermometerScale(-40, 60, 10, 3.0e38f);
  EXPECT_EQ(s.divisions, 10 + kMaxExtraDivisions);
  EXPECT_FLOAT_EQ(s.max, 60 + 10.0f * kMaxExtraDivisions);
}

TEST(BarGraphScale, ExamplesOfTheFoldingRule) {
  struct Case {
    float value;
    float max;
    int divisions;
  };
  // Base 0-40 in 2 divisions, step 20.
  for (const Case& c : {Case{0, 40, 2}, Case{30, 40, 2}, Case{40, 40, 2}, Case{40.1f, 60, 3}, Case{50, 60, 3},
                        Case{75, 160, 4}, Case{85, 160, 4}, Case{170, 240, 4}}) {
    const BarGraphScale s = FitBarGraphScale(40, 2, c.value);
    EXPECT_FLOAT_EQ(s.max, c.max) << "value " << c.value;
    EXPECT_EQ(s.divisions, c.divisions) << "value " << c.value;
  }
}

TEST(BarGraphScale, NegativeValueKeepsTheBase) {
  const BarGraphScale s = FitBarGraphScale(100, 2, -3);
  EXPECT_FLOAT_EQ(s.max, 100);
  EXPECT_EQ(s.divisions, 2);
}

TEST(BarGraphScale, WildValueStopsAfterTheLimit) {
  const BarGraphScale s = FitBarGraphScale(40, 2, 3.0e38f);
  EXPECT_EQ(s.divisions, 4);
  EXPECT_FLOAT_EQ(s.max, 40 + 20.0f * kMaxExtraDivisions + 2 * 20);  // 1002 divisions fold with r = 2
}

TEST(GaugeScale, BasesWithoutDivisionsOrSpanAreRejected) {
  EXPECT_TRUE(IsValidThermometerBase(-40, 60, 10));
  EXPECT_FALSE(IsValidThermometerBase(-40, 60, 0));
  EXPECT_FALSE(IsValidThermometerBase(-40, 60, -1));
  EXPECT_FALSE(IsValidThermometerBase(60, 60, 10));
  EXPECT_FALSE(IsValidThermometerBase(60, -40, 10));
  EXPECT_FALSE(IsValidThermometerBase(-40, 60, kMaxBaseDivisions + 1));
  EXPECT_TRUE(IsValidBarGraphBase(40, 2));
  EXPECT_FALSE(IsValidBarGraphBase(0, 2));
  EXPECT_FALSE(IsValidBarGraphBase(-40, 2));
  EXPECT_FALSE(IsValidBarGraphBase(40, 0));
}

}  // namespace
}  // namespace skyvane
