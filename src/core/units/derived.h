#pragma once
// Quantities the program computes from a reading. Inputs are single precision,
// the arithmetic is double, results are rounded to single precision.
#include <string>

namespace skyvane {

// Dew point in °C of a temperature in °C and a relative humidity in %. A humidity
// of 0 % or less has no dew point: the result is then NaN, never a number.
float DewPoint(float temperatureC, float humidityPercent);

// Wind chill in °C; the temperature itself above 33 °C or below 1.8 m/s of wind.
float WindChill(float temperatureC, float windMetresPerSecond);

// Rain in mm of a rain counter (0.3 mm per count).
float RainFromCounter(float ticks);

// Relative pressure of an absolute pressure, shifted by the station's present
// difference between its relative and absolute pressure (all hPa).
float RelativePressure(float absolute, float absoluteNow, float relativeNow);

// Compass-point name of a direction code 0..15 (0 = north, clockwise); empty for
// any other code.
std::string DirectionName(int code);

}  // namespace skyvane
