#include "gui/view/halvar_view.h"

#include <cstdio>

#include <QMessageBox>

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
      context_(context),
      form_(BuildHalvarForm(this, FormCaptionsFor(context.settings.languageIndex), pictures_)),
      handOver_([this](const std::string& text) {
        if (statusSink_) statusSink_(QString::fromStdString(text));
      }) {
  setObjectName(QStringLiteral("halvarView"));
}

CHalvarView::~CHalvarView() { StopMonitor(); }

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
  StartMonitor();
}

void CHalvarView::SetStartingRanges() {
  for (CThermometerCtrl* t : {form_.indoorThermometer, form_.outdoorThermometer})
    t->SetRange(kThermometerMinC, kThermometerMaxC, kThermometerDivisions, kThermometerMinC);
  form_.windLevel->SetLevel(0);
  form_.gustLevel->SetLevel(0);
  for (int i = 0; i < kRainBarCount; ++i) form_.rain[i]->SetScale(kRainScaleMm[i], kRainDivisions, 0);
  form_.compass->SetDirection(CCompassCtrl::kNoDirection);
}

bool CHalvarView::StartMonitor() {
  if (!context_.settings.SearchOn() || monitor_ || !context_.monitorFactory) return false;
  monitor_ = context_.monitorFactory(*this);
  if (!monitor_ || !monitor_->Start()) {
    monitor_.reset();
    QMessageBox::warning(this, QStringLiteral("Skyvane"),
                         QStringLiteral("Begin monitor thread fail!"));
    return false;
  }
  return true;
}

void CHalvarView::StopMonitor() {
  handOver_.Close();
  if (monitor_) monitor_->Stop();
  monitor_.reset();
}

bool CHalvarView::MonitorRunning() const { return monitor_ && monitor_->Running(); }

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

// --- MonitorFrontEnd: the monitor thread's calls, carried to the UI thread. A
// queued call dies with the view, so none runs after it is gone.

void CHalvarView::ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                                 const AlarmRecord& alarms) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.live.emplace(row, header, alarms);
  }
  WakeUiThread();
}

void CHalvarView::ShowLampStates(const LampStates& lamps) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.lamps = lamps;
  }
  WakeUiThread();
}

void CHalvarView::ShowMaxMin(const MaxMinRecord& maxmin, const HeaderRecord& header) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.maxmin.emplace(maxmin, header);
  }
  WakeUiThread();
}

void CHalvarView::SetStatusText(const std::string& text) { handOver_.Deliver(text); }

void CHalvarView::SetTitle(const std::string& title) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.title = title;
  }
  WakeUiThread();
}

// Pane 0 shows it with the summary; standard error keeps it for the record.
void CHalvarView::ShowProblem(const std::string& text) {
  std::fprintf(stderr, "skyvane: %s\n", text.c_str());
}

void CHalvarView::ReleaseBlockedCalls() { handOver_.Close(); }

void CHalvarView::WakeUiThread() {
  QMetaObject::invokeMethod(this, "TakePending", Qt::QueuedConnection);
}

void CHalvarView::TakePending() {
  Pending taken;
  {
    std::lock_guard lock(pendingMutex_);
    taken = std::exchange(pending_, Pending{});
  }
  if (taken.live) {
    const auto& [row, header, alarms] = *taken.live;
    UpdateLivePanels(row, header, alarms);
  }
  if (taken.lamps) UpdateAlarmLamps(*taken.lamps);
  if (taken.maxmin) UpdateMaxMinPanels(taken.maxmin->first, taken.maxmin->second);
  if (taken.title) {
    if (QWidget* frame = window(); frame != nullptr && frame != this)
      frame->setWindowTitle(QString::fromStdString(*taken.title));
  }
}

}  // namespace skyvane
