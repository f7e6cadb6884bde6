#pragma once
// Paints one series in the manner of its class.
#include <QPainter>

#include "gui/chart/chart_content.h"
#include "gui/chart/chart_frame.h"

namespace skyvane {

void PaintSeries(QPainter& p, const ChartSeries& series, const PlotFrame& frame, const SeriesSlot& slot);

// Bar-like classes stand side by side when several are shown.
bool IsBarClass(ChartSeriesClass kind);

}  // namespace skyvane
