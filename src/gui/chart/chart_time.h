#pragma once
// Date-time values of the chart: days since 1899-12-30 00:00 with the time of
// day as fraction, read as local wall-clock time.
#include <QDateTime>
#include <QString>

namespace skyvane {

// Nearest whole second; an invalid QDateTime for values out of range.
QDateTime ChartTimeToDateTime(double days);
double DateTimeToChartTime(const QDateTime& time);

// Writes the time with a label format: dd/d day, mm/m month, yyyy/yy year,
// hh/h hour, nn/n minute, ss/s second; text in quotes and every other
// character are copied.
QString FormatChartTime(double days, const QString& format);

}  // namespace skyvane
