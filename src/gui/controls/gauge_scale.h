#pragma once
// Scale fitting of the thermometer and the bar graph: the base scale grows in
// whole steps until the value fits on it.

namespace skyvane {

// More steps than this are never added: a wild value must not hang the user
// interface in the fitting loop or in painting thousands of labels.
inline constexpr int kMaxExtraDivisions = 1000;
// Base scales have 1 to this many divisions.
inline constexpr int kMaxBaseDivisions = 1000;

struct ThermometerScale {
  float min = 0;
  float max = 0;
  int divisions = 0;
};

struct BarGraphScale {
  float max = 0;
  int divisions = 0;
};

// A base scale needs 1 to kMaxBaseDivisions divisions and a positive finite span.
bool IsValidThermometerBase(float min, float max, int divisions);
bool IsValidBarGraphBase(float max, int divisions);

// Extends the top, then the bottom, by the base step until value lies on the
// scale. The base must be valid.
ThermometerScale FitThermometerScale(float baseMin, float baseMax, int baseDivisions, float value);

// Extends the top by the base step until value fits; once the divisions reach
// twice the base count they are folded back to twice the base count and the
// top is raised to the next multiple of that many steps. The base must be valid.
BarGraphScale FitBarGraphScale(float baseMax, int baseDivisions, float value);

}  // namespace skyvane
