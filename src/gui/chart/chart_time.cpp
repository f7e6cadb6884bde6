#include "gui/chart/chart_time.h"

#include <cmath>

namespace skyvane {

namespace {

// 1899-12-30, built at compile time: a QDate made at start-up would still be
// invalid for charts whose times are computed during static initialisation.
constexpr QDate kEpoch = QDate::fromJulianDay(2415019);
constexpr qint64 kSecondsPerDay = 86400;
// Far beyond any weather record, well inside QDate's range.
constexpr double kMaxDays = 3.0e6;

QString Padded(int value, int width) { return QString::number(value).rightJustified(width, u'0'); }

}  // namespace

QDateTime ChartTimeToDateTime(double days) {
  if (!std::isfinite(days) || std::fabs(days) > kMaxDays) return {};
  const qint64 seconds = std::llround(days * kSecondsPerDay);
  qint64 day = seconds / kSecondsPerDay;
  qint64 rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --day;
  }
  return QDateTime(kEpoch.addDays(day), QTime(0, 0).addSecs(static_cast<int>(rest)));
}

double DateTimeToChartTime(const QDateTime& time) {
  const qint64 day = kEpoch.daysTo(time.date());
  return static_cast<double>(day) + time.time().msecsSinceStartOfDay() / (1000.0 * kSecondsPerDay);
}

QString FormatChartTime(double days, const QString& format) {
  const QDateTime t = ChartTimeToDateTime(days);
  if (!t.isValid()) return {};
  const QDate d = t.date();
  const QTime tm = t.time();
  QString out;
  qsizetype i = 0;
  while (i < format.size()) {
    const QChar c = format[i];
    if (c == u'"' || c == u'\'') {
      const qsizetype end = format.indexOf(c, i + 1);
      const qsizetype stop = end < 0 ? format.size() : end;
      out += format.mid(i + 1, stop - i - 1);
      i = stop + 1;
      continue;
    }
    qsizetype run = 1;
    while (i + run < format.size() && format[i + run].toLower() == c.toLower()) ++run;
    switch (c.toLower().unicode()) {
      case 'd': out += run >= 2 ? Padded(d.day(), 2) : QString::number(d.day()); break;
      case 'm': out += run >= 2 ? Padded(d.month(), 2) : QString::number(d.month()); break;
      case 'y': out += run >= 3 ? Padded(d.year(), 4) : Padded(d.year() % 100, 2); break;
      case 'h': out += run >= 2 ? Padded(tm.hour(), 2) : QString::number(tm.hour()); break;
      case 'n': out += run >= 2 ? Padded(tm.minute(), 2) : QString::number(tm.minute()); break;
      case 's': out += run >= 2 ? Padded(tm.second(), 2) : QString::number(tm.second()); break;
      default: out += QString(run, c); break;
    }
    i += run;
  }
  return out;
}

}  // namespace skyvane
