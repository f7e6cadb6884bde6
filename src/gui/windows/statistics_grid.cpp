#include "gui/windows/statistics_grid.h"

#include <string>
#include <utility>

#include "core/units/value_text.h"

namespace skyvane {

namespace {

using climate::Extreme;
using climate::Measure;
using climate::Summary;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The unit each column's values are in; the others have none.
std::optional<Measure> MeasureOf(int column) {
  switch (column) {
    case statcol::kTemperatureHigh:
    case statcol::kTemperatureLow:
    case statcol::kTemperatureMean: return Measure::kTemperature;
    case statcol::kHumidityHigh:
    case statcol::kHumidityLow:
    case statcol::kHumidityMean: return Measure::kHumidity;
    case statcol::kPressureHigh:
    case statcol::kPressureLow:
    case statcol::kPressureMean: return Measure::kPressure;
    case statcol::kWindMean:
    case statcol::kGustHigh: return Measure::kWindSpeed;
    case statcol::kDirection: return Measure::kDirection;
    case statcol::kRain:
    case statcol::kWettestDay: return Measure::kRain;
    case statcol::kHeatingDegreeDays:
    case statcol::kCoolingDegreeDays: return Measure::kDegreeDays;
    default: return std::nullopt;
  }
}

QString Value(Measure m, const std::optional<double>& v, const climate::ReportUnits& u) {
  return Q(climate::ValueText(m, v, u));
}

// When an extreme was reached: the clock time in a day's row, the date in a
// month's or year's.
QString When(const Extreme& e, bool day) {
  if (!e.value) return QString::fromLatin1(kNoValue);
  return Q(day ? climate::ClockText(e.time) : e.time.substr(0, 10));
}

QStringList SummaryRow(const Summary& s, bool day, const climate::ReportUnits& u) {
  QStringList row{Q(s.date),
                  QString::number(s.records),
                  Value(Measure::kTemperature, s.temperatureHigh.value, u),
                  When(s.temperatureHigh, day),
                  Value(Measure::kTemperature, s.temperatureLow.value, u),
                  When(s.temperatureLow, day),
                  Value(Measure::kTemperature, s.temperatureMean, u),
                  Value(Measure::kHumidity, s.humidityHigh.value, u),
                  Value(Measure::kHumidity, s.humidityLow.value, u),
                  Value(Measure::kHumidity, s.humidityMean, u),
                  Value(Measure::kPressure, s.pressureHigh.value, u),
                  Value(Measure::kPressure, s.pressureLow.value, u),
                  Value(Measure::kPressure, s.pressureMean, u),
                  Value(Measure::kWindSpeed, s.windSpeedMean, u),
                  Value(Measure::kWindSpeed, s.gustHigh.value, u),
                  When(s.gustHigh, day),
                  Value(Measure::kDirection,
                        s.directionDominant ? std::optional<double>(*s.directionDominant) : std::nullopt, u),
                  Value(Measure::kRain, s.rain, u),
                  Value(Measure::kDegreeDays, s.heatingDegreeDays, u),
                  Value(Measure::kDegreeDays, s.coolingDegreeDays, u)};
  if (day) return row;
  row << Value(Measure::kRain, s.wettestDay.value, u)
      << (s.wettestDay.value ? Q(s.wettestDay.time) : QString::fromLatin1(kNoValue))
      << QString::number(s.rainDays02) << QString::number(s.rainDays1) << QString::number(s.rainDays10);
  return row;
}

QString RecordCell(Measure m, const Extreme& e, const climate::ReportUnits& u) {
  if (!e.value) return QString::fromLatin1(kNoValue);
  return Value(m, e.value, u) + QLatin1Char(' ') + Q(climate::UnitText(m, u)) +
         QStringLiteral("  ") + Q(e.time.substr(0, 16));
}

}  // namespace

CellGrid SummaryGrid(climate::Period period, const std::vector<Summary>& summaries,
                     const climate::ReportUnits& units, const StatisticsCaptions& captions) {
  const bool day = period == climate::Period::kDay;
  CellGrid grid;
  const int columns = day ? statcol::kDayColumns : statcol::kCount;
  for (int col = 0; col < columns; ++col) {
    QString header = captions.columns[static_cast<std::size_t>(col)];
    if (const auto m = MeasureOf(col)) header += QStringLiteral(" (") + Q(climate::UnitText(*m, units)) + QLatin1Char(')');
    grid.headers << header;
  }
  grid.rows.reserve(summaries.size());
  for (const Summary& s : summaries) grid.rows.push_back(SummaryRow(s, day, units));
  return grid;
}

CellGrid RecordsGrid(const climate::RecordsTable& records, const climate::ReportUnits& units,
                     const StatisticsCaptions& captions) {
  CellGrid grid;
  for (const QString& span : captions.spans) grid.headers << span;
  for (const QString& row : captions.recordRows) grid.rowHeaders << row;
  const climate::Records* spans[] = {&records.allTime, &records.thisYear, &records.thisMonth};
  const std::pair<Measure, Extreme climate::Records::*> rows[kRecordRowCount] = {
      {Measure::kTemperature, &climate::Records::temperatureHigh},
      {Measure::kTemperature, &climate::Records::temperatureLow},
      {Measure::kWindSpeed, &climate::Records::gustHigh},
      {Measure::kRain, &climate::Records::wettestDay},
      {Measure::kPressure, &climate::Records::pressureHigh},
      {Measure::kPressure, &climate::Records::pressureLow}};
  for (const auto& [measure, member] : rows) {
    QStringList row;
    for (const climate::Records* span : spans) row << RecordCell(measure, span->*member, units);
    grid.rows.push_back(row);
  }
  return grid;
}

int CCellGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.rows.size());
}

int CCellGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.headers.size());
}

QVariant CCellGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.parent().isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= grid_.rows.size()) return {};
  if (role == Qt::DisplayRole) return grid_.rows[row].value(index.column());
  if (role == Qt::TextAlignmentRole) {
    // Numbers line up on the right; dates and record texts start on the left.
    const bool text = index.column() == 0 || !grid_.rowHeaders.isEmpty();
    return QVariant::fromValue(Qt::Alignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
  }
  return {};
}

QVariant CCellGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  const QStringList& headers = orientation == Qt::Horizontal ? grid_.headers : grid_.rowHeaders;
  if (section < 0 || section >= headers.size()) return {};
  return headers[section];
}

void CCellGridModel::SetGrid(CellGrid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
}

}  // namespace skyvane
