#include "gui/controls/reading_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "core/units/value_text.h"

namespace skyvane {

bool HasGaugeReading(std::string_view text) { return !text.empty() && text != kNoValue; }

float GaugeReadingValue(std::string_view text) {
  const double v = NumericValue(std::string(text));
  if (std::isnan(v)) return 0;
  return static_cast<float>(std::clamp<double>(v, -FLT_MAX, FLT_MAX));
}

int GaugeReadingInteger(std::string_view text) { return IntegerValue(std::string(text)); }

}  // namespace skyvane
