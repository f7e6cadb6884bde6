// The Max/Min dialog's rules: the test image in test mode, the busy link, read
// failures, and a value the repair takes from the current reading.
#include <gtest/gtest.h>

#include <ctime>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/dialogs/dialog_support.h"
#include "core/dialogs/scope_session.h"
#include "core/history/history_file.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

using namespace mm;
using test::DialogStation;

struct ScopeRig {
  FixedClock clock{test::LocalTime(2024, 5, 6, 7, 8, 9)};
  HistoryFile file{clock};
  TextTable text{0};
  int sleeps = 0;
  BusySleep Sleep() {
    return [this](std::chrono::milliseconds) { ++sleeps; };
  }
};

TEST(ScopeOpening, TestModeShowsTheTestImage) {
  ScopeRig rig;
  auto device = test::TestModeDevice();
  device->SetClock(rig.clock);
  ScopeSession session(*device, rig.file, rig.text, rig.Sleep());
  DialogMessages messages;
  ASSERT_TRUE(session.Open(messages));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(session.ValueText(kIndoorHumidityMax), "70 %");
  EXPECT_EQ(session.ValueText(kIndoorHumidityMin), "64 %");
  EXPECT_EQ(session.ValueText(kIndoorTempMax), "23.9 °C");
  EXPECT_EQ(session.ValueText(kOutdoorTempMin), "20.2 °C");
  EXPECT_EQ(session.ValueText(kRelPressureMax), "1013.1 Hpa");
  EXPECT_EQ(session.ValueText(kWindSpeedMax), "67.0 km/h");  // 18.6 m/s
  EXPECT_EQ(session.ValueText(kRainTotalMax), "4502.0 mm");
  for (const ScopeEntry& e : ScopeEntries()) {
    if (e.field == kIndoorTempMin) continue;
    EXPECT_EQ(session.TimeText(e.field), "01-01-2007 12:00") << e.field;
  }
  // The stored indoor minimum (432.1 °C) is no temperature: the repair shows
  // the current reading, at the current reading's time.
  EXPECT_EQ(session.ValueText(kIndoorTempMin), session.Current()[row::indoorTemperature] + " °C");
  EXPECT_NE(session.Current()[row::indoorTemperature], "---");
  EXPECT_EQ(session.TimeText(kIndoorTempMin), "06-05-2024 07:08");
  EXPECT_FALSE(device->DeviceBusy().load());
}

TEST(ScopeOpening, DisplayFormAndUnitsFollowLanguageAndHeader) {
  ScopeRig rig;
  DialogStation station;
  station.Put(0x11, {0x43});  // °F, °F, inHg
  station.device->SetClock(rig.clock);
  ScopeSession session(*station.device, rig.file, rig.text, rig.Sleep());
  DialogMessages messages;
  ASSERT_TRUE(session.Open(messages));
  EXPECT_EQ(session.ValueText(kIndoorTempMax), "75.0 °F");
  EXPECT_EQ(session.ValueText(kDewPointMin), "62.6 °F");
  EXPECT_EQ(session.ValueText(kAbsPressureMax), "29.81 inHg");
  EXPECT_EQ(session.ValueText(kOutdoorHumidityMax), "86 %");
}

TEST(ScopeOpening, BusyLinkClosesTheDialogAtOnce) {
  ScopeRig rig;
  DialogStation station;
  station.device->DeviceBusy().store(true);
  ScopeSession session(*station.device, rig.file, rig.text, rig.Sleep());
  DialogMessages messages;
  EXPECT_FALSE(session.Open(messages));
  EXPECT_EQ(messages, DialogMessages{Txt::CantCommunicateWithDevice});
  EXPECT_EQ(rig.sleeps, 3);
  EXPECT_EQ(station.Commands(0xA1), 0);
}

TEST(ScopeOpening, EveryFailedReadIsReportedAndTheDialogStillOpens) {
  ScopeRig rig;
  DialogStation station;
  station.station->RefuseReportsAfter(0);
  ScopeSession session(*station.device, rig.file, rig.text, rig.Sleep());
  DialogMessages messages;
  EXPECT_TRUE(session.Open(messages));
  EXPECT_EQ(messages, (DialogMessages{Txt::ReadScopeDataFail, Txt::ReadSetupDataFail,
                                      Txt::ReadSetupDataFail, Txt::ReadSetupDataFail}));
  EXPECT_EQ(session.ValueText(kRainHourMax), "--- mm");
  EXPECT_FALSE(station.device->DeviceBusy().load());
}

TEST(ScopeOpening, NeverSetTimesShowTheMarker) {
  ScopeRig rig;
  DialogStation station;
  station.Put(0x60 + 45, {0x00, 0x00, 0x00, 0x00, 0x00});  // indoor humidity max time
  ScopeSession session(*station.device, rig.file, rig.text, rig.Sleep());
  DialogMessages messages;
  ASSERT_TRUE(session.Open(messages));
  EXPECT_EQ(session.TimeText(kIndoorHumidityMax), "---");
  EXPECT_EQ(session.TimeText(kIndoorHumidityMin), "01-01-2007 12:00");
}

}  // namespace
}  // namespace skyvane
