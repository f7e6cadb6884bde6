#include "core/history/graph_series.h"

#include <cmath>
#include <limits>
#include <unordered_map>

#include "core/app/text_table.h"
#include "core/units/conversions.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using enum row::Field;

constexpr GraphChoiceSpec kChoices[kGraphChoiceCount] = {
    {0, 100, -1, 2, {{{Txt::IndoorHumidity, indoorHumidity}, {Txt::OutdoorHumidity, outdoorHumidity}}}},
    {-40, 60, hdr::kUnitIndoorTemp, 1, {{{Txt::IndoorTemperature, indoorTemperature}, {}}}},
    {-40, 60, hdr::kUnitOutdoorTemp, 2, {{{Txt::OutdoorTemperature, outdoorTemperature}, {Txt::Dewpoint, dewPoint}}}},
    {-40, 60, hdr::kUnitOutdoorTemp, 1, {{{Txt::Windchill, windChill}, {}}}},
    {900, 1050, hdr::kUnitPressure, 2,
     {{{Txt::AbsolutePressure, absolutePressure}, {Txt::RelativePressure, relativePressure}}}},
    {0, 50, hdr::kUnitWind, 2, {{{Txt::WindVelocity, windSpeed}, {Txt::GustVelocity, gustSpeed}}}},
    {0, 100, hdr::kUnitRain, 1, {{{Txt::TotalRain, rainTotal}, {}}}},
};

// A stored-unit number in the display unit, converted as the values are.
double AxisValue(GraphChoice choice, double metric, const std::string& unit) {
  const auto v = static_cast<float>(metric);
  switch (choice) {
    case GraphChoice::kHumidity: return metric;
    case GraphChoice::kIndoorTemperature:
    case GraphChoice::kOutdoorTemperature:
    case GraphChoice::kWindChill: return TemperatureFromStation(v, 1.0f, unit);
    case GraphChoice::kPressure: return PressureFromStation(v, 1.0f, unit);
    case GraphChoice::kWind: return WindSpeedFromStation(v, 1.0f, unit);
    case GraphChoice::kRain: return RainFromStation(v, 1.0f, unit);
  }
  return metric;
}

// The field's text in the display unit, as the row conversion writes it.
std::string DisplayText(GraphChoice choice, const std::string& stored, const std::string& unit) {
  switch (choice) {
    case GraphChoice::kHumidity: return HumidityTextFromStation(stored, 1.0f, unit::kPercent);
    case GraphChoice::kIndoorTemperature:
    case GraphChoice::kOutdoorTemperature:
    case GraphChoice::kWindChill: return TemperatureTextFromStation(stored, 1.0f, unit);
    case GraphChoice::kPressure: return PressureTextFromStation(stored, 1.0f, unit);
    case GraphChoice::kWind: return WindSpeedTextFromStation(stored, 1.0f, unit);
    case GraphChoice::kRain: return RainTextFromStation(stored, 1.0f, unit);
  }
  return stored;
}

const std::string& UnitOf(const GraphChoiceSpec& spec, const HeaderRecord& units) {
  static const std::string kPercentText = unit::kPercent;
  return spec.unitField < 0 ? kPercentText : units[spec.unitField];
}

// More than 18 characters: a full "%Y-%m-%d %H:%M:%S" time.
constexpr std::size_t kShortestPlottedTime = 19;

}  // namespace

GraphChoice GraphChoiceOf(int index) {
  return index >= 0 && index < kGraphChoiceCount ? static_cast<GraphChoice>(index) : GraphChoice::kHumidity;
}

const GraphChoiceSpec& GraphChoiceSpecOf(GraphChoice choice) { return kChoices[static_cast<int>(choice)]; }

GraphLeftAxis GraphLeftAxisFor(GraphChoice choice, std::string_view seriesText, const TextTable& text,
                               const HeaderRecord& units) {
  const GraphChoiceSpec& spec = GraphChoiceSpecOf(choice);
  const std::string& unit = UnitOf(spec, units);
  GraphLeftAxis axis;
  axis.minimum = AxisValue(choice, spec.axisMinimum, unit);
  axis.maximum = AxisValue(choice, spec.axisMaximum, unit);
  axis.title = std::string(seriesText) + " (" + std::string(text.Text(Txt::Unit)) + ":" + unit + ")";
  return axis;
}

std::optional<double> GraphValue(GraphChoice choice, const std::string& stored, const HeaderRecord& units) {
  const std::string shown = DisplayText(choice, stored, UnitOf(GraphChoiceSpecOf(choice), units));
  if (shown.empty() || shown == kNoValue || IntegerValue(shown) == -32767) return std::nullopt;
  return NumericValue(shown);
}

GraphPoints CollectGraphPoints(const HistoryTable& rows, GraphChoice choice, const HeaderRecord& units) {
  const GraphChoiceSpec& spec = GraphChoiceSpecOf(choice);
  const double gap = std::numeric_limits<double>::quiet_NaN();
  GraphPoints points;
  points.x.reserve(rows.size());
  for (int s = 0; s < spec.seriesCount; ++s) points.y[s].reserve(rows.size());
  // Stored values repeat a lot (a year of pressures holds a few hundred
  // different texts), so each text is converted once. The keys point into rows.
  std::unordered_map<std::string_view, double> known[2];
  std::string time, value;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string_view recordTimeText = rows.Field(i, recordTime);
    if (recordTimeText.size() < kShortestPlottedTime) continue;
    time.assign(recordTimeText);
    points.x.push_back(TimestampToChartTime(time));
    for (int s = 0; s < spec.seriesCount; ++s) {
      const std::string_view stored = rows.Field(i, spec.series[s].field);
      auto [at, added] = known[s].try_emplace(stored, gap);
      if (added) {
        value.assign(stored);
        at->second = GraphValue(choice, value, units).value_or(gap);
      }
      points.y[s].push_back(at->second);
    }
  }
  return points;
}

}  // namespace skyvane
