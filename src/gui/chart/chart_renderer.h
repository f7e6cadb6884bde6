#pragma once
// Paints a whole chart: background, header, legend, axes with labels and
// titles, the plotting area (with walls in 3D) and every series.
#include <QPainter>
#include <QRect>

#include "gui/chart/chart_content.h"
#include "gui/chart/chart_frame.h"

namespace skyvane {

// Lays the chart out in area: where the plot lies and how values map onto it.
PlotFrame LayoutChart(const ChartContent& content, const QRect& area);

void RenderChart(QPainter& p, const ChartContent& content, const QRect& area);

}  // namespace skyvane
