// Every text and sign the program paints on its own stands out from its
// background by at least 4.5:1, in a light palette, a dark desktop palette and
// the program's own dark colours. Judged on the painted pixels: each colour of
// stroke (grouped by hue) must reach the ratio where it is drawn solid.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMap>
#include <QPalette>

#include <functional>
#include <memory>

#include "gui/controls/compass_ctrl.h"
#include "gui/controls/control_paint.h"
#include "gui/controls/level_bar_ctrl.h"
#include "gui/controls/thermometer_ctrl.h"
#include "gui/shell/dark_colours.h"
#include "gui/shell/link_status_bar.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

QPalette DarkDesktop() {
  QPalette p;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) p.setColor(role, QColor(0x30, 0x30, 0x30));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    p.setColor(role, QColor(0xE8, 0xE8, 0xE8));
  p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
  return p;
}

QPalette LightDesktop() {
  QPalette p;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) p.setColor(role, QColor(0xEF, 0xEF, 0xEF));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    p.setColor(role, Qt::black);
  p.setColor(QPalette::Base, Qt::white);
  return p;
}

// The best contrast each group of strokes reaches against the background;
// groups: grey, and clearly coloured strokes by hue in sixths of the circle.
QMap<QString, double> StrokeContrasts(const QImage& img, const QColor& ground) {
  QMap<QString, double> best;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      // Faint or faintly tinted pixels are the soft edges of strokes.
      const double ratio = ContrastRatio(c, ground);
      if (ratio < 2.0 || (c.hsvSaturation() >= 10 && c.hsvSaturation() < 60)) continue;
      const QString group = c.hsvSaturation() < 10 ? QStringLiteral("grey")
                                                   : QStringLiteral("hue %1").arg(((c.hsvHue() + 30) % 360) / 60);
      best[group] = std::max(best.value(group, 1.0), ratio);
    }
  }
  return best;
}

struct WidgetCase {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
  QSize size;
  QPalette::ColorRole ground;
};

std::unique_ptr<QWidget> Pane(bool connected, bool polling) {
  auto pane = std::make_unique<ConnectionPane>([connected] { return connected; });
  if (!polling) pane->ShowNotPolling(QStringLiteral("not polling"));
  return pane;
}

std::unique_ptr<QWidget> Compass(int direction) {
  auto compass = std::make_unique<CCompassCtrl>();
  compass->SetDirection(direction);
  return compass;
}

template <class Control, class Set>
std::unique_ptr<QWidget> Gauge(Set set) {
  auto control = std::make_unique<Control>();
  set(*control);
  return control;
}

const WidgetCase kWidgets[] = {
    {"Connected", [] { return Pane(true, true); }, QSize(90, 37), QPalette::Window},
    {"Not Connect", [] { return Pane(false, true); }, QSize(90, 37), QPalette::Window},
    {"not polling", [] { return Pane(false, false); }, QSize(90, 37), QPalette::Window},
    {"compass rose", [] { return std::make_unique<CCompassCtrl>(); }, QSize(213, 128), QPalette::Button},
    {"compass needle", [] { return Compass(4); }, QSize(213, 128), QPalette::Button},
    // The fills meet the well and the face; judged on the face, where the
    // thermometer's bulb sits and the contrast is the lower in each palette.
    {"thermometer", [] { return Gauge<CThermometerCtrl>([](auto& t) { t.SetRangeText(-40, 60, 10, "10"); }); },
     QSize(60, 135), QPalette::Button},
    {"level bar", [] { return Gauge<CLevelBarCtrl>([](auto& l) { l.SetLevel(6); }); }, QSize(104, 40),
     QPalette::Button},
};

TEST(PaintedContrast, EveryStrokeStandsOutInEveryPalette) {
  const std::pair<const char*, QPalette> palettes[] = {
      {"light", LightDesktop()}, {"dark desktop", DarkDesktop()}, {"--dark", DarkPalette()}};
  for (const auto& [paletteName, palette] : palettes) {
    for (const WidgetCase& w : kWidgets) {
      SCOPED_TRACE(std::string(paletteName) + " " + w.name);
      std::unique_ptr<QWidget> widget = w.make();
      widget->setPalette(palette);
      const QColor ground = palette.color(w.ground);
      QImage img(w.size * 2, QImage::Format_ARGB32);
      img.setDevicePixelRatio(2);
      img.fill(ground);
      widget->resize(w.size);
      widget->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
      const QMap<QString, double> contrasts = StrokeContrasts(img.convertToFormat(QImage::Format_RGB32), ground);
      EXPECT_FALSE(contrasts.isEmpty());
      for (auto it = contrasts.begin(); it != contrasts.end(); ++it) {
        EXPECT_GE(it.value(), kReadableContrast) << it.key().toStdString();
      }
    }
  }
}

TEST(PaintedContrast, RatiosAreThoseOfTheGuidelines) {
  EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(Qt::red, Qt::white), 4.0, 0.01);
  const QColor ground(0x2D, 0x2F, 0x33);
  EXPECT_GE(ContrastRatio(ReadableOn(QColor(210, 0, 0), ground), ground), kReadableContrast);
  EXPECT_EQ(ReadableOn(Qt::white, ground), QColor(Qt::white));
}

}  // namespace
}  // namespace skyvane
