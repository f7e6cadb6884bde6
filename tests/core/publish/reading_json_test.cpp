// The reading as JSON, against a golden file: every record of the golden data
// file as a record message, and live readings with lamps and missing values.
#include "core/publish/reading_json.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "core/history/history_line.h"
#include "support/golden.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

TEST(ReadingJson, RecordsAndReadingsMatchTheGoldenFile) {
  // A zone with summer time, so that the offset follows the date of each time.
  test::FixedZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  std::string out;
  std::ifstream file(test::GoldenFolder() / "Skyvane.dat");
  std::string line;
  HistoryRow last;
  while (std::getline(file, line)) {
    HistoryRow row;
    ASSERT_GT(ParseLine(row, line), 0) << line;
    out += RecordJson(row) + "\n";
    last = row;
  }

  LampStates lamps{};
  lamps[0] = LampState::kArmed;
  lamps[lamp::kRain24hHigh - 1] = LampState::kTriggered;
  out += CurrentReadingJson(last, lamps, test::LocalTime(2024, 1, 15, 12, 30, 5)) + "\n";

  // Nothing read yet: every number null, the lamps off.
  HistoryRow empty;
  out += CurrentReadingJson(empty, LampStates{}, test::LocalTime(2024, 7, 1)) + "\n";

  // Odd texts: a direction code off the compass, a value with blanks around it,
  // zero with a sign, a time that is no time, an address that is no number.
  HistoryRow odd = last;
  odd[row::windDir] = "16";
  odd[row::outdoorTemperature] = "  -0.0 ";
  odd[row::indoorHumidity] = "4x";
  odd[row::recordTime] = "2024-13-99";
  odd[row::stationAddress] = "zz";
  odd[row::directionName] = "---";
  out += RecordJson(odd) + "\n";

  // A first reading whose rain windows cannot be computed yet, from a process
  // that does not know the lamps.
  HistoryRow first = last;
  for (int f : {row::rain24h, row::rainWeek, row::rainMonth, row::rainTotal}) first[f] = "---";
  out += CurrentReadingJson(first, std::nullopt, test::LocalTime(2024, 5, 6, 7, 8, 9)) + "\n";
  test::ExpectGolden("publish/readings.jsonl", out);
}

// A value the row does not have is null in every JSON, never a made-up 0.
TEST(ReadingJson, AMissingValueIsNullInTheReadingAndInARecord) {
  const std::pair<std::string, std::string> cases[] = {
      {"---", "null"}, {"  ---  ", "null"}, {"", "null"}, {"-", "null"}, {"--.-", "null"},
      {"0.0", "0"},    {" 3.0", "3"},       {"4.5x", "null"},
  };
  for (const auto& [text, value] : cases) {
    HistoryRow stored;
    stored[row::rain24h] = text;
    for (const std::string& json : {CurrentReadingJson(stored, LampStates{}, 0), RecordJson(stored)}) {
      EXPECT_NE(json.find("\"rain_24h\":" + value + ","), std::string::npos) << "'" << text << "' " << json;
    }
  }
}

TEST(ReadingJson, StringsAndNumbersAreValidJson) {
  EXPECT_EQ(JsonString("a\"b\\c\n\x01°"), "\"a\\\"b\\\\c\\n\\u0001°\"");
  EXPECT_EQ(JsonNumber(1009.2), "1009.2");
  EXPECT_EQ(JsonNumber(-0.0), "0");
  EXPECT_EQ(JsonNumber(337.5), "337.5");
  EXPECT_EQ(JsonNumber(std::strtod("nan", nullptr)), "null");
}

}  // namespace
}  // namespace skyvane
