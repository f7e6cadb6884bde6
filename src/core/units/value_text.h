#pragma once
// Readings travel as text. These operations read a value text as a number, decide
// whether it is a valid reading, and write it in a chosen unit with the program's
// fixed formats ("%.1f", "%.2f", "%d"). Anything that is not a valid reading, and
// any result that is no finite number, is written as the marker "---".
#include <string>
#include <string_view>

namespace skyvane {

inline constexpr const char* kNoValue = "---";

// The decimal integer at the start of a text: leading blanks and a sign allowed,
// reading stops at the first other character, no digits gives 0. Values beyond
// the int range are clamped.
int IntegerValue(const std::string& text);

// The decimal number at the start of a text (digits, fraction, exponent); no
// digits gives 0. Words such as "inf" or "nan" are no number.
double NumericValue(std::string_view text);

// The quantities whose readings have their own invalid values.
enum class Quantity {
  kTemperature,  // -32767
  kWindSpeed,    // -32767
  kRain,         // -32767 (rain amounts and the rain counter)
  kPressure,     // -32767 and 0
  kHumidity,     // below 0, and 255
  kDirection,    // below 0 or above 15
};

// Not empty, not "---", and its integer value no invalid value of the quantity.
bool IsValidReading(const std::string& text, Quantity quantity);

// The number with a fixed count of decimals ("%.1f" is 1, "%f" is 6), always with
// a full stop; "---" when the number is not finite.
std::string FormatFixed(double value, int decimals);

// The number truncated toward zero as a whole number ("%d"); "---" when not finite.
std::string WholeNumberText(double value);

std::string TemperatureText(const std::string& value, float scale, const std::string& fromUnit,
                            const std::string& toUnit);
std::string HumidityText(const std::string& value, float scale, const std::string& fromUnit,
                         const std::string& toUnit);
std::string PressureText(const std::string& value, float scale, const std::string& fromUnit,
                         const std::string& toUnit);
std::string WindSpeedText(const std::string& value, float scale, const std::string& fromUnit,
                          const std::string& toUnit);
std::string RainText(const std::string& value, float scale, const std::string& fromUnit,
                     const std::string& toUnit);

// The same from the station's base unit.
std::string TemperatureTextFromStation(const std::string& value, float scale,
                                       const std::string& toUnit);
std::string HumidityTextFromStation(const std::string& value, float scale,
                                    const std::string& toUnit);
std::string PressureTextFromStation(const std::string& value, float scale,
                                    const std::string& toUnit);
std::string WindSpeedTextFromStation(const std::string& value, float scale,
                                     const std::string& toUnit);
std::string RainTextFromStation(const std::string& value, float scale, const std::string& toUnit);

// Direction code 0..15 as "%d", and its compass-point name.
std::string DirectionCodeText(const std::string& value);
std::string DirectionNameText(const std::string& value);

}  // namespace skyvane
