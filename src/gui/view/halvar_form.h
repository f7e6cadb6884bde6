#pragma once
// The widgets of the main form: group boxes, value fields, Min/Max fields, the
// painted gauges and the 23 alarm lamps, laid out to stretch with the window.
#include <QLabel>
#include <array>

#include "gui/view/alarm_lamp.h"
#include "gui/view/form_captions.h"

namespace skyvane {

class CThermometerCtrl;
class CBarGraphCtrl;
class CLevelBarCtrl;
class CCompassCtrl;

// The live value fields, in the order the view fills them.
namespace live {
enum Field : int {
  kIndoorHumidity,
  kIndoorTemperature,
  kOutdoorHumidity,
  kOutdoorTemperature,
  kAbsPressure,
  kWindSpeed,
  kGustSpeed,
  kDirectionText,  // hidden
  kRainTotal,
  kRelPressure,
  kDewPoint,
  kWindChill,
  kRainHour,
  kRain24h,
  kRainWeek,
  kRainMonth,
  kWindLevelText,  // hidden
  kGustLevelText,  // hidden
  kCount
};
}  // namespace live

constexpr int kMaxMinFieldCount = 23;  // max/min record fields 3..25, in that order
constexpr int kRainBarCount = 5;       // hour, 24 hours, week, month, total

struct HalvarForm {
  std::array<QLabel*, live::kCount> live{};
  std::array<QLabel*, kMaxMinFieldCount> maxmin{};  // index i shows max/min field 3 + i
  std::array<AlarmLamp*, kLampCount> lamps{};       // index i is lamp i + 1
  CThermometerCtrl* indoorThermometer = nullptr;
  CThermometerCtrl* outdoorThermometer = nullptr;
  CLevelBarCtrl* windLevel = nullptr;
  CLevelBarCtrl* gustLevel = nullptr;
  std::array<CBarGraphCtrl*, kRainBarCount> rain{};
  CCompassCtrl* compass = nullptr;
};

// Builds the form into view (which gets the layout) with the captions of one language.
HalvarForm BuildHalvarForm(QWidget* view, const FormCaptions& captions,
                           const LampPictures& pictures);

}  // namespace skyvane
