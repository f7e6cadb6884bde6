#include "gui/controls/bar_graph_ctrl.h"

#include <gtest/gtest.h>

#include "core/units/conversions.h"
#include "gui/controls/control_paint.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

using test::PixelAt;

TEST(BarGraphCtrl, ReadingsFoldTheScale) {
  CBarGraphCtrl b;
  struct Case {
    const char* text;
    float max;
    int divisions;
  };
  for (const Case& c : {Case{"0", 40, 2}, Case{"40", 40, 2}, Case{"40.1", 60, 3}, Case{"75", 160, 4},
                        Case{"170 mm", 240, 4}}) {
    ASSERT_TRUE(b.SetScaleText(40, 2, c.text));
    EXPECT_FLOAT_EQ(b.ScaleMax(), c.max) << c.text;
    EXPECT_EQ(b.Divisions(), c.divisions) << c.text;
    EXPECT_TRUE(b.HasValue());
  }
}

TEST(BarGraphCtrl, NoReadingFitsTheScaleToZero) {
  CBarGraphCtrl b;
  ASSERT_TRUE(b.SetScaleText(40, 2, "75"));
  ASSERT_TRUE(b.SetScaleText(40, 2, "---"));
  EXPECT_FALSE(b.HasValue());
  EXPECT_FLOAT_EQ(b.ScaleMax(), 40);
  EXPECT_EQ(b.Divisions(), 2);
}

TEST(BarGraphCtrl, LabelsAreRightAlignedToTheTopLabel) {
  CBarGraphCtrl b;
  ASSERT_TRUE(b.SetScaleText(100, 2, "150"));  // 0-150 in 3
  EXPECT_EQ(b.Labels(), QStringList({"  0", " 50", "100", "150"}));
  ASSERT_TRUE(b.SetScale(1, 3, 0));  // thirds keep their decimals
  EXPECT_EQ(b.Labels(), QStringList({"0.00", "0.33", "0.67", "1.00"}));
}

// The five rain gauges of the main form in both rain units, as the view sets them.
TEST(BarGraphCtrl, RainGaugeLabelsInEveryUnit) {
  struct Case {
    float baseMm;
    const char* unit;
    const char* reading;
    QStringList labels;
  };
  const Case cases[] = {
      {40, unit::kMm, "0", {" 0", "20", "40"}},
      {100, unit::kMm, "0", {"  0", " 50", "100"}},
      {200, unit::kMm, "0", {"  0", "100", "200"}},
      {300, unit::kMm, "0", {"  0", "150", "300"}},
      {400, unit::kMm, "0", {"  0", "200", "400"}},
      {40, unit::kMm, "75", {"  0", " 40", " 80", "120", "160"}},
      {40, unit::kInch, "0", {"0.00", "0.79", "1.57"}},
      {100, unit::kInch, "0", {"0.00", "1.97", "3.94"}},
      {200, unit::kInch, "0", {"0.00", "3.94", "7.87"}},
      {300, unit::kInch, "0", {" 0.00", " 5.91", "11.81"}},
      {400, unit::kInch, "0", {" 0.00", " 7.87", "15.75"}},
      {40, unit::kInch, "2.0", {"0.00", "0.79", "1.57", "2.36"}},
  };
  for (const Case& c : cases) {
    CBarGraphCtrl b;
    ASSERT_TRUE(b.SetScaleText(RainFromStation(c.baseMm, 1.0f, c.unit), 2, c.reading));
    EXPECT_EQ(b.Labels(), c.labels) << c.baseMm << " mm in " << c.unit << ", reading " << c.reading;
  }
}

TEST(BarGraphCtrl, DegenerateScalesAreRefused) {
  CBarGraphCtrl b;
  ASSERT_TRUE(b.SetScaleText(40, 2, "12"));
  EXPECT_FALSE(b.SetScale(0, 2, 5));
  EXPECT_FALSE(b.SetScaleText(40, 0, "5"));
  EXPECT_FLOAT_EQ(b.Value(), 12);
  EXPECT_EQ(b.Divisions(), 2);
}

// Control 60 x 108: the scale runs from row 104 up to row 4.
TEST(BarGraphCtrl, BarRisesToTheReading) {
  CBarGraphCtrl b;
  ASSERT_TRUE(b.SetScaleText(40, 2, "20"));
  const QImage img = test::Paint(b, 60, 108);
  EXPECT_NE(PixelAt(img, 58, 53), test::ControlFillColour());
  EXPECT_EQ(PixelAt(img, 58, 54), test::ControlFillColour());
  EXPECT_EQ(PixelAt(img, 58, 103), test::ControlFillColour());
  EXPECT_EQ(PixelAt(img, 59, 103), test::ControlFillColour());  // to the right edge
  EXPECT_NE(PixelAt(img, 58, 104), test::ControlFillColour());  // the bottom axis
}

TEST(BarGraphCtrl, FullAndEmptyBars) {
  CBarGraphCtrl b;
  ASSERT_TRUE(b.SetScaleText(40, 2, "40"));
  QImage img = test::Paint(b, 60, 108);
  EXPECT_EQ(PixelAt(img, 58, 4), test::ControlFillColour());
  EXPECT_NE(PixelAt(img, 58, 3), test::ControlFillColour());

  ASSERT_TRUE(b.SetScaleText(40, 2, "0"));
  EXPECT_EQ(test::CountPixels(test::Paint(b, 60, 108), test::ControlFillColour()), 0);
  ASSERT_TRUE(b.SetScaleText(40, 2, "---"));
  EXPECT_EQ(test::CountPixels(test::Paint(b, 60, 108), test::ControlFillColour()), 0);
  ASSERT_TRUE(b.SetScaleText(40, 2, "-5"));
  EXPECT_EQ(test::CountPixels(test::Paint(b, 60, 108), test::ControlFillColour()), 0);
}

}  // namespace
}  // namespace skyvane
