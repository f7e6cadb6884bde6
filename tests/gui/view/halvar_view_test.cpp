#include "gui/view/halvar_view.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>

#include "core/monitor/alarm_evaluation.h"
#include "desktop_fixture.h"
#include "gui/controls/bar_graph_ctrl.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/controls/control_paint.h"
#include "gui/controls/level_bar_ctrl.h"
#include "gui/controls/thermometer_ctrl.h"
#include "gui_test_support.h"
#include "support/golden.h"

namespace skyvane {
namespace {

// Everything the form shows, one line per field, lamp and gauge.
std::string FormDump(const CHalvarView& view) {
  const HalvarForm& f = view.Form();
  QString text;
  auto shown = [&](const QWidget* w) { return w->isVisibleTo(&view) ? "" : " (hidden)"; };
  for (const QLabel* l : f.live) text += "live " + l->objectName() + ": " + l->text() + shown(l) + "\n";
  for (const QLabel* l : f.maxmin) text += "maxmin " + l->objectName() + ": " + l->text() + "\n";
  static const char* const states[] = {"disabled", "armed", "triggered"};
  for (const AlarmLamp* l : f.lamps)
    text += l->objectName() + ": " + states[static_cast<int>(l->State())] + shown(l) + "\n";
  auto value = [](bool has, float v) { return has ? QString::number(v) : QStringLiteral("none"); };
  for (const CThermometerCtrl* t : {f.indoorThermometer, f.outdoorThermometer})
    text += QStringLiteral("thermometer %1 on %2..%3 in %4\n")
                .arg(value(t->HasValue(), t->Value()))
                .arg(t->ScaleMin())
                .arg(t->ScaleMax())
                .arg(t->Divisions());
  for (const CBarGraphCtrl* b : f.rain)
    text += QStringLiteral("rain bar %1 on 0..%2 in %3\n")
                .arg(value(b->HasValue(), b->Value()))
                .arg(b->ScaleMax())
                .arg(b->Divisions());
  text += QStringLiteral("levels %1 %2\ncompass %3\n")
              .arg(f.windLevel->Level())
              .arg(f.gustLevel->Level())
              .arg(f.compass->Direction());
  return text.toStdString();
}

// A reading in display units, as the monitor hands it over.
HistoryRow KnownRow() {
  HistoryRow r;
  r[row::indoorHumidity] = "45";
  r[row::indoorTemperature] = "21.5";
  r[row::outdoorHumidity] = "80";
  r[row::outdoorTemperature] = "-3.2";
  r[row::absolutePressure] = "1003.4";
  r[row::windSpeed] = "3.4";
  r[row::gustSpeed] = "5.1";
  r[row::windDir] = "4";
  r[row::relativePressure] = "1013.2";
  r[row::dewPoint] = "-5.0";
  r[row::windChill] = "-6.1";
  r[row::rainHour] = "1.2";
  r[row::rain24h] = "12.5";
  r[row::rainWeek] = "150.0";
  r[row::rainMonth] = "250.0";
  r[row::rainTotal] = "1234.5";
  r[row::windLevel] = "3";
  r[row::gustLevel] = "4";
  r[row::directionName] = "E";
  return r;
}

// Rows of the accent colour in a painted control, counted in column x.
int AccentPixels(QWidget* w, int x) {
  const QImage img = w->grab().toImage();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    if (img.pixelColor(x, y) == test::ControlFillColour()) ++n;
  return n;
}

class HalvarViewTest : public ::testing::Test {
 protected:
  test::DesktopRig rig;
  CHalvarView view{*rig.context};
  void SetUp() override {
    view.resize(1000, 640);
    view.show();
    view.OnInitialUpdate();
  }
};

TEST_F(HalvarViewTest, BeforeTheFirstReadingEveryFieldIsEmptyWithItsUnit) {
  test::ExpectGolden("form/empty.txt", FormDump(view));
}

TEST_F(HalvarViewTest, AFullReadingFillsFieldsAndGauges) {
  QWidget* month = view.Form().rain[3];
  const int column = month->width() - 3;
  EXPECT_EQ(AccentPixels(month, column), 0);  // no column before a reading
  view.UpdateLivePanels(KnownRow(), HeaderRecord{}, AlarmRecord{});
  // 1234.5 mm stretches the total bar from 0-400 to 0-1600 in 4 divisions.
  test::ExpectGolden("form/full-reading.txt", FormDump(view));

  const HalvarForm& f = view.Form();
  // 250 of 300 mm: most of the month column is filled.
  const int filled = AccentPixels(month, column);
  EXPECT_GT(filled, month->height() / 2);
  EXPECT_LT(filled, month->height());

  // Thermometers: the column above the bulb rises in proportion to the reading
  // on -40..60, so 21.5 stands higher than -3.2.
  auto columnTop = [](QWidget* thermometer) {
    const QImage img = thermometer->grab().toImage();
    const int bulbTop = img.height() - 15;
    for (int y = 0; y < bulbTop; ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixelColor(x, y) == test::ControlFillColour()) return y;
    return bulbTop;
  };
  const int tubeTop = 4;
  const int a = f.outdoorThermometer->height() - 15;
  EXPECT_NEAR(columnTop(f.outdoorThermometer), a - (-3.2 + 40) * (a - tubeTop) / 100, 1);
  EXPECT_NEAR(columnTop(f.indoorThermometer), a - (21.5 + 40) * (a - tubeTop) / 100, 1);

  // Compass: direction 4 points east, so the needle lies right of the centre.
  const QImage rose = f.compass->grab().toImage();
  QRect needle;
  for (int y = 0; y < rose.height(); ++y)
    for (int x = 0; x < rose.width(); ++x)
      if (rose.pixelColor(x, y) == ControlSign(*f.compass)) needle = needle.united(QRect(x, y, 1, 1));
  ASSERT_FALSE(needle.isEmpty());
  EXPECT_GE(needle.left(), rose.width() / 2);
  EXPECT_LT(needle.height(), needle.width());

  // Level bars: 3 and 4 of 12, so the gust fill is the longer one.
  auto fillLength = [](QWidget* bar) {
    const QImage img = bar->grab().toImage();
    int n = 0;
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, img.height() - 2) == test::ControlFillColour()) ++n;
    return n;
  };
  const int wind = fillLength(f.windLevel);
  const int gust = fillLength(f.gustLevel);
  EXPECT_GT(wind, 1);
  EXPECT_NEAR(static_cast<double>(gust - 1) / (wind - 1), 4.0 / 3.0, 0.05);
}

TEST_F(HalvarViewTest, UnitsComeFromTheHeader) {
  HeaderRecord header;
  header[hdr::kUnitIndoorTemp] = "°C";
  header[hdr::kUnitOutdoorTemp] = "°F";
  header[hdr::kUnitRain] = "inch";
  header[hdr::kUnitPressure] = "inHg";
  header[hdr::kUnitWind] = "knot";
  HistoryRow r = KnownRow();
  r[row::rainHour] = "0.05";
  view.UpdateLivePanels(r, header, AlarmRecord{});
  MaxMinRecord mm;
  for (int i = mm::kIndoorHumidityMax; i <= mm::kRainTotalMax; ++i) mm[i] = std::to_string(i);
  view.UpdateMaxMinPanels(mm, header);
  // Dew point and wind chill carry the outdoor unit; the hour bar's top is
  // 40 mm in inches; the outdoor thermometer spans -40..60 °C in °F.
  test::ExpectGolden("form/header-units.txt", FormDump(view));
}

TEST_F(HalvarViewTest, LampsShowTheBellOfTheirState) {
  const QImage disabled(QStringLiteral(":/pictures/bell_disabled.png"));
  const QImage armed(QStringLiteral(":/pictures/bell_armed.png"));
  const QImage triggered(QStringLiteral(":/pictures/bell_triggered.png"));
  ASSERT_FALSE(disabled.isNull());
  EXPECT_NE(disabled, armed);
  EXPECT_NE(armed, triggered);
  LampStates states{};
  states.fill(LampState::kArmed);
  states[0] = LampState::kTriggered;
  states[22] = LampState::kDisabled;
  view.UpdateAlarmLamps(states);
  auto image = [&](int number) {
    return view.findChild<AlarmLamp*>(QStringLiteral("lamp%1").arg(number))->pixmap().toImage()
        .convertToFormat(disabled.format());
  };
  EXPECT_EQ(image(1), triggered.convertToFormat(disabled.format()));
  EXPECT_EQ(image(2), armed.convertToFormat(disabled.format()));
  EXPECT_EQ(image(23), disabled.convertToFormat(disabled.format()));
}

TEST_F(HalvarViewTest, ALoTemperatureAlarmTriggersBelowZero) {
  HeaderRecord header;
  header[hdr::kAlarmOutdoorTempLow] = "1";
  AlarmRecord alarms;
  alarms[alm::kOutdoorTempLow] = "5.0";
  HistoryRow r = KnownRow();  // outdoor -3.2
  view.UpdateAlarmLamps(EvaluateLamps(r, header, alarms));
  EXPECT_EQ(view.Form().lamps[lamp::kOutdoorTempLow - 1]->State(), LampState::kTriggered);
  EXPECT_EQ(view.Form().lamps[lamp::kOutdoorTempHigh - 1]->State(), LampState::kDisabled);
}

struct CaptionCase {
  int language;
  const char* indoor;
  const char* outdoor;
  const char* rain;
  const char* relPressure;
  const char* windchill;
};

class HalvarViewLanguage : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(HalvarViewLanguage, TheFormSpeaksTheConfiguredLanguage) {
  const CaptionCase c = GetParam();
  test::DesktopRig rig(c.language);
  CHalvarView view(*rig.context);
  EXPECT_EQ(view.findChild<QGroupBox*>("indoor")->title(), QString::fromUtf8(c.indoor));
  EXPECT_EQ(view.findChild<QGroupBox*>("outdoor")->title(), QString::fromUtf8(c.outdoor));
  EXPECT_EQ(view.findChild<QGroupBox*>("rain")->title(), QString::fromUtf8(c.rain));
  EXPECT_EQ(view.findChild<QGroupBox*>("relPressureBox")->title(), QString::fromUtf8(c.relPressure));
  EXPECT_EQ(view.findChild<QGroupBox*>("windChillBox")->title(), QString::fromUtf8(c.windchill));
  // Same fields in every language.
  EXPECT_EQ(view.findChildren<AlarmLamp*>().size(), 23);
  EXPECT_EQ(view.findChildren<CBarGraphCtrl*>().size(), 5);
  EXPECT_EQ(view.findChildren<CThermometerCtrl*>().size(), 2);
  EXPECT_EQ(view.findChildren<CLevelBarCtrl*>().size(), 2);
  EXPECT_EQ(view.findChildren<CCompassCtrl*>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeLanguages, HalvarViewLanguage,
    ::testing::Values(CaptionCase{0, "Indoor", "Outdoor", "Rain", "Rel. Pressure", "Windchill"},
                      CaptionCase{1, "Innen", "Außen", "Niederschlag", "Rel. Luftdruck",
                                  "Windauskühlung"},
                      CaptionCase{2, "Indendørs", "Udendørs", "Nedbør", "Rel. Tryk",
                                  "Kuldeindeks"}),
    [](const auto& testInfo) { return std::string(LanguageNameOf(testInfo.param.language)); });

TEST(FormCaptions, TheWindLinesKeepTheirExactTexts) {
  EXPECT_EQ(FormCaptionsFor(0).windLine, " Wind");
  EXPECT_EQ(FormCaptionsFor(1).gustLine, " Windbö");
  EXPECT_EQ(FormCaptionsFor(2).gustLine, "VINDSTØD");
  EXPECT_EQ(FormCaptionsFor(2).gustLevel, " VINDSTØD Niveau");
  EXPECT_EQ(FormCaptionsFor(1).last24Hour, "Letzter 24 Stunden");
  EXPECT_EQ(FormCaptionsFor(2).lastMonth, "Sidste Måned");
  EXPECT_EQ(FormCaptionsFor(7).indoor, "Indoor");
}

}  // namespace
}  // namespace skyvane
