#include "core/units/conversions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace skyvane {
namespace {

std::string Text(const char* format, float v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, static_cast<double>(v));
  return buffer;
}

TEST(ConversionsTest, TemperatureBothWaysAndScale) {
  EXPECT_EQ(ConvertTemperature(0, 1.0f, "°C", "°F"), 32.0f);
  EXPECT_EQ(Text("%.1f", ConvertTemperature(215, 0.1f, "°C", "°F")), "70.7");
  EXPECT_EQ(Text("%.1f", ConvertTemperature(-400, 0.1f, "°C", "°F")), "-40.0");
  EXPECT_EQ(Text("%.1f", ConvertTemperature(212, 1.0f, "°F", "°C")), "100.0");
  EXPECT_EQ(Text("%.1f", TemperatureFromStation(60, 1.0f, "°F")), "140.0");
}

struct Pair {
  float value;
  const char* from;
  const char* to;
  double expected;
};

TEST(ConversionsTest, EveryPressurePair) {
  const std::vector<Pair> pairs = {
      {1000, "Hpa", "inHg", 29.53},  {1000, "Hpa", "mmHg", 750.0},  {30, "inHg", "Hpa", 1015.92},
      {30, "inHg", "mmHg", 762.0},   {750, "mmHg", "Hpa", 999.9},   {750, "mmHg", "inHg", 29.5275},
  };
  for (const Pair& p : pairs) {
    EXPECT_NEAR(ConvertPressure(p.value, 1.0f, p.from, p.to), p.expected, 1e-3) << p.from << p.to;
  }
  EXPECT_EQ(Text("%.2f", ConvertPressure(10132, 0.1f, "Hpa", "inHg")), "29.92");
  EXPECT_EQ(Text("%.1f", PressureFromStation(10132, 0.1f, "mmHg")), "759.9");
}

TEST(ConversionsTest, EveryWindPair) {
  const std::vector<Pair> pairs = {
      {10, "m/s", "km/h", 36.0},    {10, "m/s", "knot", 19.428},  {10, "m/s", "m/h", 22.37},
      {100, "km/h", "m/s", 27.78},  {100, "km/h", "knot", 53.97}, {100, "km/h", "m/h", 62.14},
      {100, "knot", "m/s", 51.47},  {100, "knot", "km/h", 185.3}, {100, "knot", "m/h", 115.14},
      {100, "m/h", "m/s", 44.7},    {100, "m/h", "km/h", 160.93}, {100, "m/h", "knot", 86.85},
  };
  for (const Pair& p : pairs) {
    EXPECT_NEAR(ConvertWindSpeed(p.value, 1.0f, p.from, p.to), p.expected, 1e-3) << p.from << p.to;
  }
  EXPECT_EQ(Text("%.1f", WindSpeedFromStation(123, 0.1f, "km/h")), "44.3");
}

TEST(ConversionsTest, EveryRainPair) {
  EXPECT_NEAR(ConvertRain(254, 0.1f, "mm", "inch"), 1.0, 1e-4);
  EXPECT_NEAR(ConvertRain(2, 1.0f, "inch", "mm"), 50.8, 1e-4);
  EXPECT_EQ(Text("%.2f", RainFromStation(254, 0.1f, "inch")), "1.00");
}

TEST(ConversionsTest, SameOrUnknownUnitsOnlyScale) {
  for (const char* u : {"°C", "°F", "x"}) EXPECT_EQ(ConvertTemperature(215, 0.1f, u, u), 21.5f);
  EXPECT_EQ(ConvertPressure(10132, 0.1f, "hPa", "inHg"), 1013.2f);  // lower-case h is unknown
  EXPECT_EQ(ConvertPressure(10132, 0.1f, "Hpa", ""), 1013.2f);
  EXPECT_EQ(ConvertTemperature(215, 0.1f, "°C", "Hpa"), 21.5f);      // a unit of another quantity
  EXPECT_EQ(ConvertWindSpeed(50, 0.1f, "mph", "m/s"), 5.0f);
  EXPECT_EQ(ConvertWindSpeed(50, 0.1f, "m/s", "mph"), 5.0f);
  EXPECT_EQ(ConvertRain(25, 0.1f, "mm", "in"), 2.5f);
  // The scaled value is single precision: 215 × 0.1 is exactly the float 21.5.
  EXPECT_EQ(ScaledValue(215, 0.1f), 21.5f);
}

TEST(ConversionsTest, SpeedsToBeaufort) {
  EXPECT_EQ(ConvertWindSpeed(15, 0.1f, "m/s", "bft"), 1.0f);
  EXPECT_EQ(ConvertWindSpeed(16, 0.1f, "m/s", "bft"), 2.0f);
  EXPECT_EQ(ConvertWindSpeed(100, 1.0f, "km/h", "bft"), 10.0f);  // 27.78 m/s
  EXPECT_EQ(ConvertWindSpeed(20, 1.0f, "knot", "bft"), 5.0f);    // 10.29 m/s
  EXPECT_EQ(ConvertWindSpeed(40, 1.0f, "m/h", "bft"), 8.0f);     // 17.88 m/s
  EXPECT_EQ(ConvertWindSpeed(400, 1.0f, "m/s", "bft"), 12.0f);
  EXPECT_EQ(ConvertWindSpeed(7, 1.0f, "bft", "bft"), 7.0f);
}

TEST(ConversionsTest, BeaufortToSpeeds) {
  EXPECT_EQ(Text("%.1f", ConvertWindSpeed(12, 1.0f, "bft", "m/s")), "36.9");
  EXPECT_EQ(ConvertWindSpeed(13, 1.0f, "bft", "m/s"), 0.0f);
  EXPECT_EQ(ConvertWindSpeed(-1, 1.0f, "bft", "m/s"), 0.0f);
  EXPECT_EQ(Text("%.1f", ConvertWindSpeed(6.9f, 1.0f, "bft", "m/s")), "13.8");  // level truncated
  EXPECT_NEAR(ConvertWindSpeed(6, 1.0f, "bft", "km/h"), 13.8 * 3.6, 1e-4);
  EXPECT_NEAR(ConvertWindSpeed(6, 1.0f, "bft", "knot"), 13.8 * 1.9428, 1e-4);
  EXPECT_NEAR(ConvertWindSpeed(6, 1.0f, "bft", "m/h"), 13.8 * 2.237, 1e-4);
  EXPECT_EQ(ConvertWindSpeed(6, 1.0f, "bft", "furlong"), 6.0f);
}

// Each pair is (last n of a level, first n of the next), in tenths of m/s.
const int kBoundaries[12][2] = {{2, 3},     {15, 16},   {33, 34},   {54, 55},
                                {79, 80},   {107, 108}, {138, 139}, {171, 172},
                                {207, 208}, {244, 245}, {284, 285}, {326, 327}};

TEST(BeaufortTest, EveryBoundaryHowEverTheSpeedWasComputed) {
  for (int level = 0; level < 12; ++level) {
    for (int side = 0; side < 2; ++side) {
      const int n = kBoundaries[level][side];
      const int expected = level + side;
      char text[16];
      std::snprintf(text, sizeof text, "%.1f", n / 10.0);
      EXPECT_EQ(BeaufortLevel(ScaledValue(n, 0.1f)), expected) << n;
      EXPECT_EQ(BeaufortLevel(static_cast<float>(std::stod(text))), expected) << text;
      EXPECT_EQ(BeaufortLevel(static_cast<float>(n * 0.1)), expected) << n;
      EXPECT_EQ(BeaufortLevel(static_cast<float>(n) / 10.0f), expected) << n;
    }
  }
}

TEST(BeaufortTest, ReadBackSpeedsDoNotDropALevel) {
  EXPECT_EQ(BeaufortLevel(13.9f), 7);
  EXPECT_EQ(BeaufortLevel(20.8f), 9);
  EXPECT_EQ(BeaufortLevel(13.89f), 6);  // below 13.9 it still is level 6
}

TEST(BeaufortTest, OutsideTheScale) {
  EXPECT_EQ(BeaufortLevel(-1.0f), 0);
  EXPECT_EQ(BeaufortLevel(0.0f), 0);
  EXPECT_EQ(BeaufortLevel(1e30f), 12);
}

TEST(BeaufortTest, UpperBounds) {
  const char* expected[] = {"0.2",  "1.5",  "3.3",  "5.4",  "7.9",  "10.7", "13.8",
                            "17.1", "20.7", "24.4", "28.4", "32.6", "36.9"};
  for (int level = 0; level <= 12; ++level) {
    EXPECT_EQ(Text("%.1f", BeaufortUpperBound(level)), expected[level]);
    EXPECT_EQ(BeaufortLevel(BeaufortUpperBound(level)), level);
  }
  EXPECT_EQ(BeaufortUpperBound(13), 0.0f);
  EXPECT_EQ(BeaufortUpperBound(-1), 0.0f);
}

}  // namespace
}  // namespace skyvane
