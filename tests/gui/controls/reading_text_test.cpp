#include "gui/controls/reading_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

namespace skyvane {
namespace {

TEST(ReadingText, EmptyAndDashesAreNoReading) {
  EXPECT_FALSE(HasReading(""));
  EXPECT_FALSE(HasReading("---"));
  EXPECT_TRUE(HasReading("0"));
  EXPECT_TRUE(HasReading("--- mm"));
  EXPECT_TRUE(HasReading(" "));
}

TEST(ReadingText, LeadingNumberReadsTheStartOfTheText) {
  EXPECT_DOUBLE_EQ(LeadingNumber("12.5 mm"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("  -3.25°C"), -3.25);
  EXPECT_DOUBLE_EQ(LeadingNumber("+7"), 7);
  EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("5."), 5);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e3"), 1000);
  EXPECT_DOUBLE_EQ(LeadingNumber("2E-1x"), 0.2);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e"), 1);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e+"), 1);
}

TEST(ReadingText, LeadingNumberWithoutDigitsOrFiniteValueIsZero) {
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("---"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("."), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc12"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("inf"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("nan"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("0x1A"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), 0);
}

TEST(ReadingText, ReadingAsFloatStaysInsideTheFloatRange) {
  EXPECT_FLOAT_EQ(ReadingAsFloat("1e300"), FLT_MAX);
  EXPECT_FLOAT_EQ(ReadingAsFloat("-1e300"), -FLT_MAX);
  EXPECT_FLOAT_EQ(ReadingAsFloat("23.4"), 23.4f);
}

TEST(ReadingText, LeadingIntegerStopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(LeadingInteger("12.7"), 12);
  EXPECT_EQ(LeadingInteger(" -2"), -2);
  EXPECT_EQ(LeadingInteger("13 bft"), 13);
  EXPECT_EQ(LeadingInteger("+4"), 4);
  EXPECT_EQ(LeadingInteger("N"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("99999999999"), INT_MAX);
  EXPECT_EQ(LeadingInteger("-99999999999"), INT_MIN);
}

}  // namespace
}  // namespace skyvane
