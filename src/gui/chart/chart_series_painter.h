#pragma once
// Paints one series in the manner of its class.
#include <QPainter>

#include <vector>

#include "gui/chart/chart_content.h"
#include "gui/chart/chart_frame.h"

namespace skyvane {

// Paints the part of the series that belongs to pass.
void PaintSeries(QPainter& p, const ChartSeries& series, const PlotFrame& frame, const SeriesSlot& slot,
                 ChartPass pass);

// Paints the bodies of all series of a flat chart, in an order that keeps
// each series in view where another overlaps it.
void PaintFlatBodies(QPainter& p, const std::vector<ChartSeries>& series, const PlotFrame& frame,
                     const std::vector<SeriesSlot>& seriesSlots);

// Bar-like classes stand side by side when several are shown.
bool IsBarClass(ChartSeriesClass kind);

}  // namespace skyvane
