#include "gui/controls/level_bar_ctrl.h"

#include <gtest/gtest.h>

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

// Control 104 x 40: the bar runs from column 4 to column 100.
TEST(LevelBarCtrl, FillEndsAtTheLevel) {
  CLevelBarCtrl l;
  l.SetLevel(6);
  QImage img = test::Paint(l, 104, 40);
  EXPECT_EQ(PixelAt(img, 4, 38), kControlAccent);
  EXPECT_EQ(PixelAt(img, 52, 38), kControlAccent);  // 4 + 96 * 6 / 12
  EXPECT_EQ(PixelAt(img, 53, 38), QColor(Qt::white));
  EXPECT_EQ(PixelAt(img, 99, 38), QColor(Qt::white));
  EXPECT_NE(PixelAt(img, 100, 38), QColor(Qt::white));  // the outline
  EXPECT_NE(PixelAt(img, 3, 38), kControlAccent);

  l.SetLevel(0);
  img = test::Paint(l, 104, 40);
  EXPECT_EQ(PixelAt(img, 4, 38), kControlAccent);  // one pixel wide
  EXPECT_EQ(PixelAt(img, 5, 38), QColor(Qt::white));

  l.SetLevel(12);
  img = test::Paint(l, 104, 40);
  EXPECT_EQ(PixelAt(img, 100, 38), kControlAccent);
  EXPECT_NE(PixelAt(img, 101, 38), kControlAccent);
}

}  // namespace
}  // namespace skyvane
