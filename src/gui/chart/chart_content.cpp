#include "gui/chart/chart_content.h"

namespace skyvane {

std::optional<ChartSeriesClass> ChartSeriesClassFromNumber(int number) {
  switch (number) {
    case 0: return ChartSeriesClass::kLine;
    case 1: return ChartSeriesClass::kBar;
    case 2: return ChartSeriesClass::kHorizBar;
    case 3: return ChartSeriesClass::kArea;
    case 4: return ChartSeriesClass::kPoint;
    case 6: return ChartSeriesClass::kFastLine;
    case 10: return ChartSeriesClass::kArrow;
    case 14: return ChartSeriesClass::kVolume;
    case 16: return ChartSeriesClass::kBezier;
    case 19: return ChartSeriesClass::kPoint3D;
    case 23: return ChartSeriesClass::kBar3D;
    default: return std::nullopt;
  }
}

}  // namespace skyvane
