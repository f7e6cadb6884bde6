#include "gui/view/halvar_view.h"

#include "core/app/app_settings.h"
#include "core/monitor/alarm_evaluation.h"
#include "core/units/conversions.h"
#include "gui/controls/bar_graph_ctrl.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/controls/level_bar_ctrl.h"
#include "gui/controls/thermometer_ctrl.h"

namespace skyvane {

namespace {

// Rain bar maxima in millimetres: last hour, 24 hours, week, month, total.
constexpr float kRainScaleMm[kRainBarCount] = {40, 100, 200, 300, 400};
constexpr int kRainDivisions = 2;
constexpr float kThermometerMinC = -40;
constexpr float kThermometerMaxC = 60;
constexpr int kThermometerDivisions = 10;

QString Joined(const std::string& value, const std::string& unit) {
  return QString::fromStdString(value + " " + unit);
}

}  // namespace

CHalvarView::CHalvarView(DesktopContext& context, QWidget* parent)
    : QWidget(parent),
      form_(BuildHalvarForm(this, FormCaptionsFor(context.settings.languageIndex), pictures_)) {
  setObjectName(QStringLiteral("halvarView"));
}

void CHalvarView::OnInitialUpdate() {
  if (initialUpdateDone_) return;
  initialUpdateDone_ = true;
  SetStartingRanges();
  const HeaderRecord header;
  UpdateLivePanels(HistoryRow{}, header, AlarmRecord{});
  MaxMinRecord maxmin;
  for (int i = mm::kIndoorHumidityMax; i <= mm::kRainTotalMax; ++i) maxmin[i] = "---";
  UpdateMaxMinPanels(maxmin, header);
  UpdateAlarmLamps(EvaluateLamps(HistoryRow{}, header, AlarmRecord{}));
}

void CHalvarView::SetStartingRanges() {
  for (CThermometerCtrl* t : {form_.indoorThermometer, form_.outdoorThermometer})
    t->SetRange(kThermometerMinC, kThermometerMaxC, kThermometerDivisions, kThermometerMinC);
  form_.windLevel->SetLevel(0);
  form_.gustLevel->SetLevel(0);
  for (int i = 0; i < kRainBarCount; ++i) form_.rain[i]->SetScale(kRainScaleMm[i], kRainDivisions, 0);
  form_.compass->SetDirection(CCompassCtrl::kNoDirection);
}

void CHalvarView::UpdateLivePanels(const HistoryRow& in, const HeaderRecord& header,
                                   const AlarmRecord&) {
  const std::string& tempIn = header[hdr::kUnitIndoorTemp];
  const std::string& tempOut = header[hdr::kUnitOutdoorTemp];
  const std::string& rainUnit = header[hdr::kUnitRain];
  const std::string& pressureUnit = header[hdr::kUnitPressure];
  const std::string& windUnit = header[hdr::kUnitWind];

  form_.indoorThermometer->SetRangeText(TemperatureFromStation(kThermometerMinC, 1.0f, tempIn),
                                        TemperatureFromStation(kThermometerMaxC, 1.0f, tempIn),
                                        kThermometerDivisions, in[row::indoorTemperature]);
  form_.outdoorThermometer->SetRangeText(TemperatureFromStation(kThermometerMinC, 1.0f, tempOut),
                                         TemperatureFromStation(kThermometerMaxC, 1.0f, tempOut),
                                         kThermometerDivisions, in[row::outdoorTemperature]);
  form_.windLevel->SetLevelText(in[row::windLevel]);
  form_.gustLevel->SetLevelText(in[row::gustLevel]);
  const int rainFields[kRainBarCount] = {row::rainHour, row::rain24h, row::rainWeek,
                                         row::rainMonth, row::rainTotal};
  for (int i = 0; i < kRainBarCount; ++i) {
    form_.rain[i]->SetScaleText(RainFromStation(kRainScaleMm[i], 1.0f, rainUnit), kRainDivisions,
                                in[rainFields[i]]);
  }
  form_.compass->SetDirectionText(in[row::windDir]);

  auto& f = form_.live;
  f[live::kIndoorHumidity]->setText(Joined(in[row::indoorHumidity], "%"));
  f[live::kIndoorTemperature]->setText(Joined(in[row::indoorTemperature], tempIn));
  f[live::kOutdoorHumidity]->setText(Joined(in[row::outdoorHumidity], "%"));
  f[live::kOutdoorTemperature]->setText(Joined(in[row::outdoorTemperature], tempOut));
  f[live::kAbsPressure]->setText(Joined(in[row::absolutePressure], pressureUnit));
  f[live::kWindSpeed]->setText(Joined(in[row::windSpeed], windUnit));
  f[live::kGustSpeed]->setText(Joined(in[row::gustSpeed], windUnit));
  f[live::kDirectionText]->setText(QString::fromStdString(in[row::directionName]));
  f[live::kRainTotal]->setText(Joined(in[row::rainTotal], rainUnit));
  f[live::kRelPressure]->setText(Joined(in[row::relativePressure], pressureUnit));
  f[live::kDewPoint]->setText(Joined(in[row::dewPoint], tempOut));
  f[live::kWindChill]->setText(Joined(in[row::windChill], tempOut));
  f[live::kRainHour]->setText(Joined(in[row::rainHour], rainUnit));
  f[live::kRain24h]->setText(Joined(in[row::rain24h], rainUnit));
  f[live::kRainWeek]->setText(Joined(in[row::rainWeek], rainUnit));
  f[live::kRainMonth]->setText(Joined(in[row::rainMonth], rainUnit));
  f[live::kWindLevelText]->setText(Joined(in[row::windLevel], "bft"));
  f[live::kGustLevelText]->setText(Joined(in[row::gustLevel], "bft"));
  emit livePanelsUpdated();
}

void CHalvarView::UpdateMaxMinPanels(const MaxMinRecord& maxmin, const HeaderRecord& header) {
  const std::string& tempIn = header[hdr::kUnitIndoorTemp];
  const std::string& tempOut = header[hdr::kUnitOutdoorTemp];
  const std::string& rainUnit = header[hdr::kUnitRain];
  const std::string& pressureUnit = header[hdr::kUnitPressure];
  const std::string& windUnit = header[hdr::kUnitWind];
  auto unitOf = [&](int field) -> const std::string& {
    static const std::string percent = "%";
    if (field <= mm::kOutdoorHumidityMin) return percent;
    if (field <= mm::kIndoorTempMin) return tempIn;
    if (field <= mm::kDewPointMin) return tempOut;  // outdoor, wind chill and dew point
    if (field <= mm::kRelPressureMin) return pressureUnit;
    if (field <= mm::kGustSpeedMax) return windUnit;
    return rainUnit;
  };
  for (int field = mm::kIndoorHumidityMax; field <= mm::kRainTotalMax; ++field)
    form_.maxmin[field - mm::kIndoorHumidityMax]->setText(Joined(maxmin[field], unitOf(field)));
  emit maxMinPanelsUpdated();
}

void CHalvarView::UpdateAlarmLamps(const LampStates& lamps) {
  for (int i = 0; i < kLampCount; ++i) form_.lamps[i]->SetState(lamps[i]);
  emit lampsUpdated();
}

}  // namespace skyvane
