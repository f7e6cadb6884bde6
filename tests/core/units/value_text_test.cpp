#include "core/units/value_text.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <stdlib.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace skyvane {
namespace {

TEST(ValueReadingTest, IntegerValueReadsTheLeadingInteger) {
  EXPECT_EQ(IntegerValue("  -284xyz"), -284);
  EXPECT_EQ(IntegerValue("+12"), 12);
  EXPECT_EQ(IntegerValue("55.7"), 55);
  EXPECT_EQ(IntegerValue("---"), 0);
  EXPECT_EQ(IntegerValue(""), 0);
  EXPECT_EQ(IntegerValue("99999999999999"), 2147483647);
  EXPECT_EQ(IntegerValue("-99999999999999"), -2147483648LL);
}

TEST(ValueReadingTest, NumericValueReadsTheLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(NumericValue(" 1003.700012"), 1003.700012);
  EXPECT_DOUBLE_EQ(NumericValue("-39.2 °C"), -39.2);
  EXPECT_DOUBLE_EQ(NumericValue("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(NumericValue("12e"), 12.0);
  EXPECT_DOUBLE_EQ(NumericValue("1.5e2"), 150.0);
  EXPECT_DOUBLE_EQ(NumericValue("1e-999"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("21,5"), 21.0);
  for (const char* word : {"inf", "-inf", "nan", "---", "", "."}) EXPECT_EQ(NumericValue(word), 0.0) << word;
}

// The data file's own numbers take a short way: it must give the very double
// the C library reads from the text, to the last bit.
TEST(ValueReadingTest, NumericValueReadsPlainDecimalsExactly) {
  std::vector<std::string> texts = {"0.0", "-0.0", "12", "-7", ".5", "5.", "0.05", "-1.25",
                                    "12.34", "1.234", "99999999999999.9", "999999999999999",
                                    "99999999999999999.9", "-98765432109876543210.5"};
  char buf[32];
  for (int k = -20000; k < 400000; k += 7) {
    std::snprintf(buf, sizeof buf, "%d.%d", k / 10, std::abs(k % 10));
    texts.push_back(buf);
  }
  const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  ASSERT_NE(c, static_cast<locale_t>(0));
  for (const std::string& t : texts) {
    const double value = NumericValue(t);
    const double expected = ::strtod_l(t.c_str(), nullptr, c);
    EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << t << " " << value;
  }
  ::freelocale(c);
}

TEST(ValueReadingTest, SentinelsOfEachQuantity) {
  for (Quantity q : {Quantity::kTemperature, Quantity::kWindSpeed, Quantity::kRain,
                     Quantity::kPressure, Quantity::kHumidity, Quantity::kDirection}) {
    EXPECT_FALSE(IsValidReading("", q));
    EXPECT_FALSE(IsValidReading("---", q));
    EXPECT_TRUE(IsValidReading("5", q));
  }
  for (Quantity q : {Quantity::kTemperature, Quantity::kWindSpeed, Quantity::kRain}) {
    EXPECT_FALSE(IsValidReading("-32767", q));
    EXPECT_FALSE(IsValidReading("-32767.4", q));
    EXPECT_TRUE(IsValidReading("-32766", q));
    EXPECT_TRUE(IsValidReading("0", q));
  }
  EXPECT_FALSE(IsValidReading("-32767", Quantity::kPressure));
  EXPECT_FALSE(IsValidReading("0", Quantity::kPressure));
  EXPECT_FALSE(IsValidReading("0.9", Quantity::kPressure));
  EXPECT_TRUE(IsValidReading("1", Quantity::kPressure));
  EXPECT_FALSE(IsValidReading("255", Quantity::kHumidity));
  EXPECT_FALSE(IsValidReading("-1", Quantity::kHumidity));
  EXPECT_TRUE(IsValidReading("0", Quantity::kHumidity));
  EXPECT_TRUE(IsValidReading("254", Quantity::kHumidity));
  EXPECT_TRUE(IsValidReading("256", Quantity::kHumidity));
  EXPECT_FALSE(IsValidReading("-1", Quantity::kDirection));
  EXPECT_FALSE(IsValidReading("16", Quantity::kDirection));
  EXPECT_TRUE(IsValidReading("0", Quantity::kDirection));
  EXPECT_TRUE(IsValidReading("15", Quantity::kDirection));
}

TEST(ValueTextTest, Temperature) {
  EXPECT_EQ(TemperatureTextFromStation("215", 0.1f, "°F"), "70.7");
  EXPECT_EQ(TemperatureTextFromStation("215", 0.1f, "°C"), "21.5");
  EXPECT_EQ(TemperatureText("70.7", 1.0f, "°F", "°C"), "21.5");
  EXPECT_EQ(TemperatureTextFromStation("-392", 0.1f, "°C"), "-39.2");
  for (const char* missing : {"-32767", "---", ""}) {
    EXPECT_EQ(TemperatureTextFromStation(missing, 0.1f, "°F"), "---") << missing;
  }
}

TEST(ValueTextTest, Humidity) {
  EXPECT_EQ(HumidityTextFromStation("255", 1.0f, "%"), "---");
  EXPECT_EQ(HumidityTextFromStation("-3", 1.0f, "%"), "---");
  EXPECT_EQ(HumidityTextFromStation("55.7", 1.0f, "%"), "55");
  EXPECT_EQ(HumidityText("45", 1.0f, "°C", "Hpa"), "45");  // units play no part
  EXPECT_EQ(HumidityText("57", 0.1f, "%", "%"), "5");       // truncated toward zero
  EXPECT_EQ(HumidityText("0", 1.0f, "%", "%"), "0");
}

TEST(ValueTextTest, Pressure) {
  EXPECT_EQ(PressureTextFromStation("10132", 0.1f, "inHg"), "29.92");
  EXPECT_EQ(PressureTextFromStation("10132", 0.1f, "mmHg"), "759.9");
  EXPECT_EQ(PressureTextFromStation("10132", 0.1f, "Hpa"), "1013.2");
  EXPECT_EQ(PressureTextFromStation("1003.700012", 1.0f, "Hpa"), "1003.7");
  EXPECT_EQ(PressureTextFromStation("0", 0.1f, "inHg"), "---");
  EXPECT_EQ(PressureTextFromStation("-32767", 0.1f, "Hpa"), "---");
  // Two decimals whenever the result is in inHg, also when left there.
  EXPECT_EQ(PressureText("2992", 0.01f, "inHg", "inHg"), "29.92");
  EXPECT_EQ(PressureText("2992", 0.01f, "inHg", "unknown"), "29.92");
  EXPECT_EQ(PressureText("29.92", 1.0f, "inHg", "Hpa"), "1013.2");
  EXPECT_EQ(PressureText("29.92", 1.0f, "inHg", "mmHg"), "760.0");
}

TEST(ValueTextTest, WindSpeed) {
  EXPECT_EQ(WindSpeedTextFromStation("123", 0.1f, "bft"), "6");
  EXPECT_EQ(WindSpeedTextFromStation("123", 0.1f, "km/h"), "44.3");
  EXPECT_EQ(WindSpeedTextFromStation("12.3", 1.0f, "m/s"), "12.3");
  EXPECT_EQ(WindSpeedTextFromStation("13.9", 1.0f, "bft"), "7");
  EXPECT_EQ(WindSpeedTextFromStation("20.8", 1.0f, "bft"), "9");
  EXPECT_EQ(WindSpeedText("6", 1.0f, "bft", "m/s"), "13.8");
  EXPECT_EQ(WindSpeedTextFromStation("-32767", 0.1f, "bft"), "---");
}

TEST(ValueTextTest, Rain) {
  EXPECT_EQ(RainTextFromStation("254", 0.1f, "inch"), "1.00");
  EXPECT_EQ(RainTextFromStation("254", 0.1f, "mm"), "25.4");
  EXPECT_EQ(RainText("1.00", 1.0f, "inch", "mm"), "25.4");
  EXPECT_EQ(RainText("100", 0.01f, "inch", "inch"), "1.00");
  EXPECT_EQ(RainText("100", 0.01f, "inch", "cm"), "1.00");
  EXPECT_EQ(RainTextFromStation("-32767", 0.1f, "mm"), "---");
}

TEST(ValueTextTest, Direction) {
  EXPECT_EQ(DirectionNameText("13"), "NWW");
  EXPECT_EQ(DirectionNameText("3"), "NEE");
  EXPECT_EQ(DirectionNameText("5"), "SEE");
  EXPECT_EQ(DirectionNameText("11"), "SWW");
  EXPECT_EQ(DirectionNameText("0"), "N");
  EXPECT_EQ(DirectionNameText("15"), "NNW");
  for (const char* bad : {"16", "-1", "", "---"}) {
    EXPECT_EQ(DirectionNameText(bad), "---") << bad;
    EXPECT_EQ(DirectionCodeText(bad), "---") << bad;
  }
  EXPECT_EQ(DirectionCodeText("07"), "7");
}

TEST(ValueTextTest, NoTextEverHoldsInfinityOrNan) {
  EXPECT_EQ(TemperatureTextFromStation("1e39", 1.0f, "°C"), "---");
  EXPECT_EQ(PressureTextFromStation("1e400", 1.0f, "Hpa"), "---");
  EXPECT_EQ(WindSpeedTextFromStation("1e39", 1.0f, "m/s"), "---");
  EXPECT_EQ(RainTextFromStation("-1e39", 1.0f, "mm"), "---");
  EXPECT_EQ(FormatFixed(1.0 / 0.0, 1), "---");
  EXPECT_EQ(WholeNumberText(-1.0 / 0.0), "---");
}

TEST(ValueTextTest, FormatsIgnoreTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  bool commaLocale = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "da_DK.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name)) {
      commaLocale = true;
      break;
    }
  }
  if (!commaLocale) GTEST_SKIP() << "no locale with a decimal comma installed";
  const std::string text = TemperatureTextFromStation("215", 0.1f, "°C");
  const double value = NumericValue("21.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(text, "21.5");
  EXPECT_DOUBLE_EQ(value, 21.5);
}

TEST(ValueTextTest, FixedAndWholeNumbers) {
  EXPECT_EQ(FormatFixed(1003.7000122, 6), "1003.700012");
  EXPECT_EQ(FormatFixed(0.25, 1), "0.2");  // exact ties round to even, as printf does
  EXPECT_EQ(WholeNumberText(-0.5), "0");
  EXPECT_EQ(WholeNumberText(6.99), "6");
}

}  // namespace
}  // namespace skyvane
