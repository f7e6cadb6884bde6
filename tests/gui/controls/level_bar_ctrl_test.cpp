#include "gui/controls/level_bar_ctrl.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <utility>

#include "gui/controls/control_paint.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

using test::PixelAt;

TEST(LevelBarCtrl, LevelsOutsideTheScaleAreIgnored) {
  CLevelBarCtrl l;
  EXPECT_EQ(l.Level(), 5);
  l.SetLevelText("7 bft");
  EXPECT_EQ(l.Level(), 7);
  l.SetLevelText("13");
  EXPECT_EQ(l.Level(), 7);
  l.SetLevelText("-2");
  EXPECT_EQ(l.Level(), 7);
  l.SetLevelText("12");
  EXPECT_EQ(l.Level(), 12);
  l.SetLevelText("---");
  EXPECT_EQ(l.Level(), 0);
  l.SetLevel(3);
  l.SetLevelText("");
  EXPECT_EQ(l.Level(), 0);
}

TEST(LevelBarCtrl, OnlyAChangeRepaints) {
  CLevelBarCtrl l;
  l.resize(104, 40);
  l.SetLevel(4);
  EXPECT_EQ(test::PaintsAfter(l, [&] { l.SetLevel(4); }), 0);
  EXPECT_EQ(test::PaintsAfter(l, [&] { l.SetLevel(13); }), 0);
  EXPECT_GT(test::PaintsAfter(l, [&] { l.SetLevel(5); }), 0);
}

// The accent-coloured columns of one row: first and last, or -1, -1.
std::pair<int, int> AccentSpan(const QImage& img, int y) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < img.width(); ++x) {
    if (PixelAt(img, x, y) != test::ControlFillColour()) continue;
    if (first < 0) first = x;
    last = x;
  }
  return {first, last};
}

// Control 104 x 40. The bar runs between equal margins of at least 4 pixels
// (wider when the font needs it to keep the end labels whole); the fill ends
// at level / 12 of it, one pixel wide at level 0.
TEST(LevelBarCtrl, FillEndsAtTheLevel) {
  CLevelBarCtrl l;
  l.SetLevel(12);
  QImage img = test::Paint(l, 104, 40);
  const auto [left, right] = AccentSpan(img, 38);
  EXPECT_GE(left, 4);
  EXPECT_EQ(left + right, 104);  // right = width - margin
  EXPECT_NE(PixelAt(img, left - 1, 38), test::ControlFillColour());
  EXPECT_NE(PixelAt(img, right + 1, 38), QColor(Qt::white));

  l.SetLevel(6);
  img = test::Paint(l, 104, 40);
  EXPECT_EQ(AccentSpan(img, 38), std::make_pair(left, left + (right - left) * 6 / 12));
  EXPECT_EQ(PixelAt(img, right - 1, 38), QColor(Qt::white));
  EXPECT_NE(PixelAt(img, right, 38), QColor(Qt::white));  // the outline

  l.SetLevel(0);
  img = test::Paint(l, 104, 40);
  EXPECT_EQ(AccentSpan(img, 38), std::make_pair(left, left));
}

// The labels 0 and 12 sit on the ends of the bar and stay whole.
TEST(LevelBarCtrl, EndLabelsAreNotCutOff) {
  CLevelBarCtrl l;
  const QImage img = test::Paint(l, 104, 40);
  const QColor face = l.palette().color(QPalette::Button).toRgb();
  const int labelRows = QFontMetrics(ControlLabelFont()).height();
  for (int y = 0; y < labelRows; ++y) {
    EXPECT_EQ(PixelAt(img, 0, y), face) << y;
    EXPECT_EQ(PixelAt(img, 103, y), face) << y;
  }
}

}  // namespace
}  // namespace skyvane
