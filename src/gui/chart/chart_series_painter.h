#pragma once
// Paints one series in the manner of its class.
#include <QPainter>

#include "gui/chart/chart_content.h"
#include "gui/chart/chart_frame.h"

namespace skyvane {

// Paints the part of the series that belongs to pass.
void PaintSeries(QPainter& p, const ChartSeries& series, const PlotFrame& frame, const SeriesSlot& slot,
                 ChartPass pass);

// Fill of bar and area bodies: the series colour, partly transparent so that
// a series behind shows through.
QColor BodyColour(const QColor& colour);

// Bar-like classes stand side by side when several are shown.
bool IsBarClass(ChartSeriesClass kind);

}  // namespace skyvane
