#include "gui/controls/gauge_scale.h"

#include <cmath>

namespace skyvane {

bool IsValidThermometerBase(float min, float max, int divisions) {
  return divisions >= 1 && divisions <= kMaxBaseDivisions && std::isfinite(min) && std::isfinite(max) && max > min &&
         std::isfinite((max - min) / static_cast<float>(divisions)) &&
         (max - min) / static_cast<float>(divisions) > 0;
}

bool IsValidBarGraphBase(float max, int divisions) {
  return divisions >= 1 && divisions <= kMaxBaseDivisions && std::isfinite(max) && max > 0 &&
         max / static_cast<float>(divisions) > 0;
}

ThermometerScale FitThermometerScale(float baseMin, float baseMax, int baseDivisions, float value) {
  ThermometerScale s{baseMin, baseMax, baseDivisions};
  const float step = (baseMax - baseMin) / static_cast<float>(baseDivisions);
  int added = 0;
  while (s.max < value && added < kMaxExtraDivisions) {
    s.max += step;
    ++s.divisions;
    ++added;
  }
  while (s.min > value && added < kMaxExtraDivisions) {
    s.min -= step;
    ++s.divisions;
    ++added;
  }
  return s;
}

BarGraphScale FitBarGraphScale(float baseMax, int baseDivisions, float value) {
  BarGraphScale s{baseMax, baseDivisions};
  const float step = baseMax / static_cast<float>(baseDivisions);
  int added = 0;
  while (s.max < value && added < kMaxExtraDivisions) {
    s.max += step;
    ++s.divisions;
    ++added;
  }
  const int twice = 2 * baseDivisions;
  if (s.divisions >= twice) {
    const int r = s.divisions % twice;
    s.divisions = twice;
    s.max += static_cast<float>(twice - r) * step;
  }
  return s;
}

}  // namespace skyvane
