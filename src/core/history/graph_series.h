#pragma once
// What the Graph window plots for each choice of its Series list: the left
// axis (range and title) and one or two series (legend title and row field),
// with the values of stored rows converted into the display units the station
// header names. Series 1 is drawn pure red, series 2 pure green.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/text_entry.h"
#include "core/history/history_table.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

class TextTable;

// The Series list, in list order.
enum class GraphChoice : int {
  kHumidity = 0,
  kIndoorTemperature = 1,
  kOutdoorTemperature = 2,
  kWindChill = 3,
  kPressure = 4,
  kWind = 5,
  kRain = 6,
};
inline constexpr int kGraphChoiceCount = 7;

struct GraphSeriesSpec {
  Txt title;        // legend text
  row::Field field; // the row field plotted
};

struct GraphChoiceSpec {
  // Left axis range in the stored (metric) unit.
  double axisMinimum;
  double axisMaximum;
  // The header field naming the display unit (hdr::kUnit...), or -1 for
  // humidity, which is always in percent.
  int unitField;
  int seriesCount;
  std::array<GraphSeriesSpec, 2> series;
};

// The choice of a Series list index; any index outside 0..6 is Humidity.
GraphChoice GraphChoiceOf(int index);
const GraphChoiceSpec& GraphChoiceSpecOf(GraphChoice choice);

// Colours as the chart takes them: blue-green-red with red in the low byte.
inline constexpr unsigned kGraphSeriesColours[2] = {0x0000FF, 0x00FF00};

struct GraphLeftAxis {
  double minimum = 0;
  double maximum = 0;
  std::string title;
};

// The left axis: the range converted to the display unit, and the title
// "<series text> (<Unit>:<unit text>)", "%" for humidity.
GraphLeftAxis GraphLeftAxisFor(GraphChoice choice, std::string_view seriesText, const TextTable& text,
                               const HeaderRecord& units);

// The plotted value of one stored field: the field converted into the display
// unit as a row conversion to display units writes it, read back as a number.
// Nothing when the converted text is empty, "---" or the integer -32767.
std::optional<double> GraphValue(GraphChoice choice, const std::string& stored, const HeaderRecord& units);

// The points of every row: x the chart time of recordTime, y per series the
// value or not-a-number where the row has none (a gap). Rows whose recordTime
// has 18 characters or fewer are left out.
struct GraphPoints {
  std::vector<double> x;
  std::array<std::vector<double>, 2> y;
  std::size_t size() const { return x.size(); }
};
GraphPoints CollectGraphPoints(const HistoryTable& rows, GraphChoice choice, const HeaderRecord& units);

}  // namespace skyvane
