// The painted controls under a dark desktop palette: labels and outlines in
// the palette's light text colour, and no white field left glaring.
#include <gtest/gtest.h>

#include <QPalette>

#include <functional>
#include <memory>

#include "gui/controls/bar_graph_ctrl.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/controls/control_paint.h"
#include "gui/controls/level_bar_ctrl.h"
#include "gui/controls/thermometer_ctrl.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

const QColor kFace(0x30, 0x30, 0x30);
const QColor kText(0xE8, 0xE8, 0xE8);
const QColor kField(0x1E, 0x1E, 0x1E);

QPalette DarkPalette() {
  QPalette p;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) p.setColor(role, kFace);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) p.setColor(role, kText);
  p.setColor(QPalette::Base, kField);
  return p;
}

struct ControlCase {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
  QSize size;
  QRect labels;   // where labels or outlines lie on the face
  int inkPixels;  // at least this many pixels there in the light text colour
  QRect well;     // a field that a light palette paints white
};

const ControlCase kControls[] = {
    // Left of the rose's ellipse: the labels NW, W and SW.
    {"compass", [] { return std::make_unique<CCompassCtrl>(); }, QSize(213, 128), QRect(0, 0, 32, 128), 40, QRect(105, 63, 3, 3)},
    {"level bar",
     [] {
       auto l = std::make_unique<CLevelBarCtrl>();
       l->SetLevel(3);
       return std::unique_ptr<QWidget>(std::move(l));
     },
     QSize(200, 36), QRect(0, 0, 200, 36), 60, QRect(150, 26, 40, 6)},
    {"thermometer",
     [] {
       auto t = std::make_unique<CThermometerCtrl>();
       t->SetRangeText(-40, 60, 10, "21.5");
       return std::unique_ptr<QWidget>(std::move(t));
     },
     QSize(48, 160), QRect(0, 0, 24, 160), 40, QRect(20, 8, 14, 20)},
    {"bar graph",
     [] {
       auto b = std::make_unique<CBarGraphCtrl>();
       b->SetScaleText(40, 2, "12");
       return std::unique_ptr<QWidget>(std::move(b));
     },
     QSize(48, 120), QRect(0, 0, 48, 120), 40, QRect()},
};

TEST(DarkPalette, ControlsDrawInThePalettesColours) {
  for (const ControlCase& c : kControls) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<QWidget> w = c.make();
    w->setPalette(DarkPalette());
    const QImage img = test::Paint(*w, c.size.width(), c.size.height());
    // On a HiDPI screen the picture holds more pixels than the layout.
    const int scale = img.width() / c.size.width();
    int white = 0, light = 0;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) {
        const QColor px = test::PixelAt(img, x, y);
        const QPoint at(x / scale, y / scale);
        if (c.well.contains(at) && px == QColor(Qt::white)) ++white;
        // Ink on the dark face: light and grey (the accent is blue).
        if (c.labels.contains(at) && px.lightness() >= 160 && px.hslSaturation() < 60) ++light;
      }
    }
    EXPECT_EQ(white, 0);
    EXPECT_GE(light, c.inkPixels * scale * scale);
    // The face stays the palette's.
    EXPECT_LT(test::PixelAt(img, c.size.width() - 1, 0).lightness(), 80);
  }
}

TEST(DarkPalette, LightPalettesKeepTheWhiteTubeAndBar) {
  CLevelBarCtrl l;
  l.SetLevel(0);
  const QImage img = test::Paint(l, 200, 36);
  const int scale = img.width() / 200;
  EXPECT_EQ(test::PixelAt(img, 100 * scale, 30 * scale), QColor(Qt::white));
  CThermometerCtrl t;
  const QImage tube = test::Paint(t, 48, 160);
  EXPECT_GT(test::CountPixels(tube, Qt::white), 100);
}

}  // namespace
}  // namespace skyvane
