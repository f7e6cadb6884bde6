#include "gui/controls/compass_ctrl.h"

#include <gtest/gtest.h>

#include "gui/controls/control_paint.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

constexpr int kW = 213;
constexpr int kH = 128;

// Bounding box of the needle-coloured pixels.
QRect AccentBox(const QImage& img) {
  const QColor needle = ControlSign(CCompassCtrl());
  QRect box;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (test::PixelAt(img, x, y) == needle) box = box.united(QRect(x, y, 1, 1));
    }
  }
  return box;
}

TEST(CompassCtrl, RosePictureHasItsSize) {
  CCompassCtrl c;
  ASSERT_FALSE(c.Rose().isNull());
  EXPECT_EQ(c.Rose().size(), QSize(kW, kH));
  EXPECT_EQ(c.sizeHint(), QSize(kW, kH));
}

TEST(CompassCtrl, DirectionTexts) {
  CCompassCtrl c;
  EXPECT_EQ(c.Direction(), -1);
  c.SetDirectionText("4");
  EXPECT_EQ(c.Direction(), 4);
  c.SetDirectionText("---");
  EXPECT_EQ(c.Direction(), -1);
  c.SetDirectionText("15");
  c.SetDirectionText("");
  EXPECT_EQ(c.Direction(), -1);
  c.SetDirectionText("16");
  EXPECT_EQ(c.Direction(), 16);
}

TEST(CompassCtrl, NeedleGeometryForNorth) {
  const std::array<QPoint, 4> n = CompassNeedle(QRect(0, 0, kW, kH), 0);
  // Ellipse 33..181 x 29..98, centre (107, 63), half axes 74 and 34.
  EXPECT_EQ(n[0], QPoint(107, 60));   // tail
  EXPECT_EQ(n[1], QPoint(102, 40));   // left
  EXPECT_EQ(n[2], QPoint(107, 31));   // tip
  EXPECT_EQ(n[3], QPoint(112, 40));   // right
  const std::array<QPoint, 4> e = CompassNeedle(QRect(0, 0, kW, kH), 4);
  EXPECT_EQ(e[0], QPoint(114, 63));
  EXPECT_EQ(e[2], QPoint(177, 63));
}

TEST(CompassCtrl, NeedlePointsTheWindsWay) {
  CCompassCtrl c;
  const int cx = kW / 2, cy = kH / 2;
  c.SetDirection(0);
  QRect box = AccentBox(test::Paint(c, kW, kH));
  ASSERT_FALSE(box.isNull());
  EXPECT_LT(box.bottom(), cy);
  EXPECT_LE(box.top(), 32);
  EXPECT_NEAR(box.center().x(), cx, 1);

  c.SetDirection(8);
  box = AccentBox(test::Paint(c, kW, kH));
  EXPECT_GT(box.top(), cy);
  EXPECT_GE(box.bottom(), 94);

  c.SetDirection(4);
  box = AccentBox(test::Paint(c, kW, kH));
  EXPECT_GT(box.left(), cx);
  EXPECT_GE(box.right(), 176);

  c.SetDirection(12);
  box = AccentBox(test::Paint(c, kW, kH));
  EXPECT_LT(box.right(), cx);
}

TEST(CompassCtrl, NoDirectionShowsNoNeedle) {
  CCompassCtrl c;
  for (const char* text : {"---", "", "16", "-1"}) {
    c.SetDirectionText("0");
    ASSERT_GT(test::CountPixels(test::Paint(c, kW, kH), ControlSign(c)), 0);
    c.SetDirectionText(text);
    EXPECT_EQ(test::CountPixels(test::Paint(c, kW, kH), ControlSign(c)), 0) << text;
  }
}

TEST(CompassCtrl, CentreDotAndRoseArePainted) {
  CCompassCtrl c;
  const QImage img = test::Paint(c, kW, kH);
  EXPECT_EQ(test::PixelAt(img, kW / 2, kH / 2), QColor(Qt::white));
  EXPECT_NE(test::PixelAt(img, kW / 2 - 2, kH / 2), QColor(Qt::white));  // its outline
  // Inside the dial the picture is opaque and shows unchanged; its transparent
  // surround shows the face.
  const QImage rose = c.Rose().toImage();
  ASSERT_EQ(qAlpha(rose.pixel(70, 63)), 255);
  EXPECT_EQ(test::PixelAt(img, 70, 63), QColor(rose.pixel(70, 63)).toRgb());
  ASSERT_EQ(qAlpha(rose.pixel(1, 1)), 0);
  EXPECT_EQ(test::PixelAt(img, 1, 1), c.palette().color(QPalette::Button).toRgb());
}

}  // namespace
}  // namespace skyvane
