// The InfluxDB line protocol of the records and the configuration that says
// where they go.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/history/history_line.h"
#include "core/publish/influx/influx_setup.h"
#include "core/publish/influx/influx_writer.h"
#include "core/publish/influx/line_protocol.h"
#include "support/golden.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

// Every record of the golden data file as its point, then records with
// missing readings, without any reading and without a time.
TEST(LineProtocol, RecordsAsPointsMatchTheGoldenFile) {
  test::FixedZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  std::string out;
  std::ifstream file(test::GoldenFolder() / "Skyvane.dat");
  HistoryRow last;
  for (std::string line; std::getline(file, line);) {
    HistoryRow row;
    ASSERT_GT(ParseLine(row, line), 0) << line;
    out += RecordPoint(row, "weather", "skyvane") + "\n";
    last = row;
  }
  HistoryRow gaps = last;
  gaps[row::outdoorTemperature] = "---";
  gaps[row::windDir] = "16";
  gaps[row::rainTotal] = "";
  out += RecordPoint(gaps, "wx data,club", "roof=north 2") + "\n";
  HistoryRow none;
  none[row::recordTime] = last[row::recordTime];
  EXPECT_EQ(RecordPoint(none, "weather", "skyvane"), "") << "no field: no point";
  HistoryRow timeless = last;
  timeless[row::recordTime] = "2024-13-99";
  EXPECT_EQ(RecordPoint(timeless, "weather", "skyvane"), "");
  test::ExpectGolden("publish/points.txt", out);
}

TEST(LineProtocol, NamesAndPointLines) {
  const struct {
    std::string text;
    bool name;
    bool point;
  } cases[] = {
      {"weather", true, false},
      {"", false, false},
      {"#weather", false, false},
      {"_internal", false, false},
      {"wx\\", false, false},
      {"wx\tdata", false, false},
      {"wetter station,ü", true, false},
      {"w,station=a x=1 1700000000", true, true},
      {"w,station=a\\ b x=1 1700000000", false, true},
      {"w x=1 17000000.5", true, false},
      {"w x=1", true, false},
      {"w 1700000000", true, false},
      {" x=1 1700000000", true, false},
      {"w x=1 1700000000\nw x=2 1700000001", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLineProtocolName(c.text), c.name) << c.text;
    EXPECT_EQ(IsPointLine(c.text), c.point) << c.text;
  }
  EXPECT_EQ(EscapedMeasurement("a b,c=d"), "a\\ b\\,c=d");
  EXPECT_EQ(EscapedKey("a b,c=d"), "a\\ b\\,c\\=d");
}

TEST(InfluxSetup, AddressesAndSectionsGiveTheWriteAddressOrAReason) {
  test::ScratchFolder folder;
  test::WriteFileBytes(folder / "token", "s3cret\nsecond line\n");
  InfluxSettings v2;
  v2.org = "home";
  v2.bucket = "wx";
  v2.tokenFile = "token";
  InfluxSettings v1;
  v1.database = "wx";
  const struct {
    std::string url;
    InfluxSettings settings;
    std::string writeUrl;  // or the error
  } cases[] = {
      {"http://127.0.0.1:8086/?db=wx", {}, "http://127.0.0.1:8086/write?db=wx&precision=s"},
      {"http://db.example:8086", v1, "http://db.example:8086/write?db=wx&precision=s"},
      {"https://db.example/influx/?db=my%20wx", {}, "https://db.example/influx/write?db=my%20wx&precision=s"},
      {"http://[::1]:8428", v2, "http://[::1]:8428/api/v2/write?org=home&bucket=wx&precision=s"},
      {"http://vm:8428/?bucket=a+b", {}, "http://vm:8428/api/v2/write?bucket=a%20b&precision=s"},
      {"http://h:8086/?db=wx", v2, "give the Influx Database (1.x) or the Org and Bucket (2.x), not both"},
      {"http://h:8086", {}, "the Influx writing needs a Database (1.x) or a Bucket (2.x)"},
      {"http://h:8086/?org=home", {}, "the Influx writing needs a Database (1.x) or a Bucket (2.x)"},
      {"udp://h:8089/?db=wx", {}, "the Influx address 'udp://h:8089/?db=wx' is no http:// or https:// address"},
      {"http://user:pw@h/?db=wx", {},
       "the Influx address 'http://user:pw@h/?db=wx' names no host, or carries a user (give a TokenFile instead)"},
      {"http:///?db=wx", {}, "the Influx address 'http:///?db=wx' names no host, or carries a user (give a TokenFile instead)"},
      {"http://h/?db=wx&rp=x", {}, "the Influx address 'http://h/?db=wx&rp=x' may carry only db=, org= and bucket= in its query"},
      {"http://h/?db=%zz", {}, "the Influx address 'http://h/?db=%zz' may carry only db=, org= and bucket= in its query"},
  };
  for (const auto& c : cases) {
    InfluxOptions options;
    bool enabled = false;
    std::string error;
    const bool ok = MakeInfluxOptions(c.settings, c.url, nullptr, folder.path(), options, enabled, error);
    EXPECT_TRUE(enabled) << c.url;
    EXPECT_EQ(ok ? options.writeUrl : error, c.writeUrl) << c.url;
    if (ok) {
      EXPECT_EQ(options.token, c.settings.tokenFile.empty() ? "" : "s3cret") << c.url;
    }
  }
}

TEST(InfluxSetup, TheSectionNamesTheStationAndAnUnusableNameOrTokenIsRefused) {
  test::ScratchFolder folder;
  test::WriteFileBytes(folder / "Skyvane.ini",
                       "[mqtt]\nNode=garden\n[influx]\nUrl=http://127.0.0.1:8086\nDatabase=wx\n"
                       "Measurement=outside\n");
  InfluxSettings settings = LoadInfluxSettings(folder.path());
  InfluxOptions options;
  bool enabled = false;
  std::string error;
  ASSERT_TRUE(MakeInfluxOptions(settings, std::nullopt, "from-env", folder.path(), options, enabled, error)) << error;
  EXPECT_EQ(options.station, "garden") << "the MQTT node when [influx] names none";
  EXPECT_EQ(options.measurement, "outside");
  EXPECT_EQ(options.token, "from-env");
  EXPECT_EQ(options.queueFile, folder / "Skyvane.influx-queue");
  EXPECT_TRUE(MakeInfluxOptions(settings, "", nullptr, folder.path(), options, enabled, error));
  EXPECT_FALSE(enabled) << "an empty --influx switches nothing on";

  settings.node = "#roof";
  EXPECT_FALSE(MakeInfluxOptions(settings, std::nullopt, nullptr, folder.path(), options, enabled, error));
  EXPECT_EQ(error, "the Influx Node '#roof' is no name for a station");
  settings.node = "roof";
  settings.tokenFile = "missing";
  EXPECT_FALSE(MakeInfluxOptions(settings, std::nullopt, nullptr, folder.path(), options, enabled, error));
  EXPECT_NE(error.find("cannot read the Influx token file " + (folder / "missing").string()), std::string::npos) << error;
}

TEST(InfluxQueue, ItsFileKeepsOnlyPointsAndNamesWhatItSetAside) {
  test::ScratchFolder folder;
  const auto path = folder / "Skyvane.influx-queue";
  test::WriteFileBytes(path, "=7\n+1 weather,station=a x=1 1700000000\n+2 {\"outdoor_temperature\":1}\n");
  RecordQueue queue(path, 10, InfluxQueueKind());
  std::vector<std::string> notes;
  EXPECT_TRUE(queue.Open(notes));
  ASSERT_EQ(queue.Size(), 1u);
  EXPECT_EQ(queue.After(0, 5)[0].payload, "weather,station=a x=1 1700000000");
  EXPECT_EQ(queue.LastSequence(), 7);
  EXPECT_EQ(notes, std::vector<std::string>{
                       "the Influx queue Skyvane.influx-queue had 1 record(s) that are no point of line protocol, "
                       "set aside; the file as it was is kept as Skyvane.influx-queue.corrupt; the 1 record(s) it "
                       "still held are queued and the data file is untouched"});
}

}  // namespace
}  // namespace skyvane
