#include "gui/controls/thermometer_ctrl.h"

#include <gtest/gtest.h>

#include "gui/controls/control_paint.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

using test::PixelAt;

TEST(ThermometerCtrl, ReadingsBeyondTheScaleExtendIt) {
  CThermometerCtrl t;
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "65"));
  EXPECT_FLOAT_EQ(t.ScaleMin(), -40);
  EXPECT_FLOAT_EQ(t.ScaleMax(), 70);
  EXPECT_EQ(t.Divisions(), 11);
  EXPECT_TRUE(t.HasValue());

  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "-45.0"));
  EXPECT_FLOAT_EQ(t.ScaleMin(), -50);
  EXPECT_FLOAT_EQ(t.ScaleMax(), 60);
  EXPECT_EQ(t.Divisions(), 11);
  EXPECT_EQ(t.Labels(), QStringList({"-50", "-40", "-30", "-20", "-10", "  0", " 10", " 20", " 30", " 40", " 50",
                                     " 60"}));
}

TEST(ThermometerCtrl, LabelsTruncateTowardsZero) {
  CThermometerCtrl t;
  // Steps of 33.3: -6.7 shows as -6, 26.7 as 26.
  ASSERT_TRUE(t.SetRange(-40, 60, 3, 0));
  EXPECT_EQ(t.Labels(), QStringList({"-40", " -6", " 26", " 60"}));
}

TEST(ThermometerCtrl, NoReadingFitsTheScaleToZero) {
  CThermometerCtrl t;
  ASSERT_TRUE(t.SetRangeText(20, 120, 5, "---"));
  EXPECT_FALSE(t.HasValue());
  EXPECT_FLOAT_EQ(t.Value(), 0);
  EXPECT_FLOAT_EQ(t.ScaleMin(), 0);
  EXPECT_EQ(t.Divisions(), 6);
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, ""));
  EXPECT_FALSE(t.HasValue());
  EXPECT_FLOAT_EQ(t.ScaleMin(), -40);
}

TEST(ThermometerCtrl, DegenerateScalesAreRefused) {
  CThermometerCtrl t;
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "21.5"));
  EXPECT_FALSE(t.SetRange(-40, 60, 0, 5));
  EXPECT_FALSE(t.SetRangeText(60, 60, 10, "5"));
  EXPECT_FALSE(t.SetRange(-40, 60, 10, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FLOAT_EQ(t.Value(), 21.5f);
  EXPECT_EQ(t.Divisions(), 10);
  EXPECT_TRUE(t.HasValue());
}

// Control 60 x 135: the tube runs from row 4 down to row 119, the bulb takes
// rows 120 to 134.
int TubeLeft(const QImage& img) {
  for (int x = 0; x < img.width(); ++x) {
    if (PixelAt(img, x, 100) == test::ControlFillColour()) return x;
  }
  return -1;
}

TEST(ThermometerCtrl, ColumnRisesToTheReading) {
  CThermometerCtrl t;
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "10"));
  const QImage img = test::Paint(t, 60, 135);
  const int x = TubeLeft(img);
  ASSERT_GT(x, 0);
  // (10 + 40) * 116 / 100 = 58 rows above row 120.
  EXPECT_EQ(PixelAt(img, x, 61), QColor(Qt::white));
  EXPECT_EQ(PixelAt(img, x + 4, 62), test::ControlFillColour());
  EXPECT_EQ(PixelAt(img, x + 4, 119), test::ControlFillColour());
  EXPECT_NE(PixelAt(img, x + 5, 100), test::ControlFillColour());  // tube is 5 pixels wide
  EXPECT_EQ(PixelAt(img, x, 4), QColor(Qt::white));
  EXPECT_NE(PixelAt(img, x, 3), QColor(Qt::white));
}

TEST(ThermometerCtrl, NoReadingShowsTheBulbButNoColumn) {
  CThermometerCtrl t;
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "---"));
  const QImage img = test::Paint(t, 60, 135);
  EXPECT_EQ(TubeLeft(img), -1);
  int bulb = 0;
  for (int y = 120; y < 135; ++y) {
    for (int x = 0; x < 60; ++x) bulb += PixelAt(img, x, y) == test::ControlFillColour() ? 1 : 0;
  }
  EXPECT_GT(bulb, 100);  // a 15 pixel disc
}

TEST(ThermometerCtrl, LosingTheReadingRepaintsEvenWhenTheNumberStays) {
  CThermometerCtrl t;
  t.resize(60, 135);
  ASSERT_TRUE(t.SetRangeText(-40, 60, 10, "0"));
  EXPECT_GT(test::PaintsAfter(t, [&] { t.SetRangeText(-40, 60, 10, "---"); }), 0);
  EXPECT_EQ(test::PaintsAfter(t, [&] { t.SetRangeText(-40, 60, 10, "---"); }), 0);
  EXPECT_GT(test::PaintsAfter(t, [&] { t.SetRangeText(-40, 60, 10, "0.0"); }), 0);
}

}  // namespace
}  // namespace skyvane
