// The Setup dialog's rules against the virtual station holding the test image:
// what opening shows, the pressure unit switch, the checks, and the bytes each
// save leaves in station memory.
#include <gtest/gtest.h>

#include "core/dialogs/dialog_support.h"
#include "core/dialogs/station_dialog_session.h"

namespace skyvane {
namespace {

using setup::List;
using test::DialogStation;

constexpr std::uint16_t kMark = 0x1A;

// The test image after a save that changed nothing: only the settings-changed mark.
std::vector<std::uint8_t> Unchanged() { return DialogStation::ImageWith(kMark, {0xAA}); }

struct Opened {
  DialogStation station;
  SetupSession session{*station.device, station.Sleep()};
  DialogMessages messages = session.Open();
  SetupForm form = session.Form();
};

TEST(SetupOpening, FillsTheControlsFromTheTestImage) {
  Opened o;
  EXPECT_TRUE(o.messages.empty());
  EXPECT_TRUE(o.session.SaveEnabled());
  EXPECT_EQ(o.form.SelectedText(setup::kTimeZone), "+1");
  EXPECT_EQ(o.form.interval, "5");
  EXPECT_EQ(o.form.SelectedText(setup::kUnitIndoorTemperature), "°C");
  EXPECT_EQ(o.form.SelectedText(setup::kUnitPressure), "Hpa");
  EXPECT_EQ(o.form.SelectedText(setup::kUnitWindSpeed), "km/h");
  EXPECT_EQ(o.form.SelectedText(setup::kUnitRainfall), "mm");
  for (int l = setup::kDisplayFormat; l < setup::kListCount; ++l) EXPECT_EQ(o.form.selection[l], 0) << l;
  // Byte 0x15 = 0x04: only "Wind Direct"; bytes 0x16 and 0x17 arm everything else.
  EXPECT_FALSE(o.form.alarmEnable[0]);
  EXPECT_TRUE(o.form.alarmEnable[1]);
  for (int i = 2; i < 6; ++i) EXPECT_FALSE(o.form.alarmEnable[i]) << i;
  for (int i = 6; i < setup::kAlarmEnableCount; ++i) EXPECT_TRUE(o.form.alarmEnable[i]) << i;
  EXPECT_EQ(o.form.relative, "1013.2");
  EXPECT_EQ(o.form.absolute, "1009.5");
  EXPECT_EQ(o.form.shownPressureUnit, "Hpa");
  EXPECT_FALSE(o.station.device->DeviceBusy().load());
}

TEST(SetupOpening, LinkBusyForMoreThanThreeSecondsGivesAnEmptyDialog) {
  DialogStation station;
  station.device->DeviceBusy().store(true);  // the monitor holds the link
  SetupSession session(*station.device, station.Sleep());
  EXPECT_EQ(session.Open(), DialogMessages{Txt::CantCommunicateWithDevice});
  EXPECT_EQ(station.sleeps, 3);
  EXPECT_EQ(station.slept, std::chrono::milliseconds(3000));
  EXPECT_FALSE(session.SaveEnabled());
  EXPECT_EQ(station.Commands(0xA1), 0);
  const SetupForm form = session.Form();
  EXPECT_EQ(form.interval, "---");
  EXPECT_EQ(form.relative, "---");
  EXPECT_TRUE(station.device->DeviceBusy().load());  // still the monitor's
}

TEST(SetupOpening, ReadFailuresAreEachReportedAndDisableSaving) {
  DialogStation station;
  station.station->RefuseReportsAfter(0);
  SetupSession session(*station.device, station.Sleep());
  EXPECT_EQ(session.Open(), (DialogMessages{Txt::ReadSetupDataFail, Txt::ReadAlarmDataFail}));
  EXPECT_FALSE(session.SaveEnabled());
  EXPECT_FALSE(station.device->DeviceBusy().load());
}

TEST(SetupTimeZone, PlusOneSelectsItsEntryPlusThirteenNone) {
  Opened o;
  EXPECT_EQ(o.form.selection[setup::kTimeZone], 11);

  // Saving without an entry keeps the station's time zone byte.
  const std::uint8_t zones[] = {0x13, 0xFB};  // "+13", "-81"
  for (const std::uint8_t zone : zones) {
    DialogStation station;
    station.Put(0x18, {zone});
    SetupSession session(*station.device, station.Sleep());
    session.Open();
    const SetupForm form = session.Form();
    EXPECT_EQ(form.selection[setup::kTimeZone], -1) << int{zone};
    EXPECT_EQ(form.SelectedText(setup::kTimeZone), "");
    ASSERT_TRUE(session.Save(form).Written());
    EXPECT_EQ(station.Get(0x18, 1)[0], zone);
  }

  DialogStation station;
  station.Put(0x18, {0x13});
  SetupSession session(*station.device, station.Sleep());
  session.Open();
  SetupForm form = session.Form();

  form.selection[setup::kTimeZone] = 17;  // "-5"
  ASSERT_TRUE(session.Save(form).Written());
  EXPECT_EQ(station.Get(0x18, 1)[0], 0x85);
}

TEST(SetupPressureUnit, HpaToInHgAndBackConvertsBothFieldsTwice) {
  Opened o;
  ChangeSetupPressureUnit(o.form, 1);
  EXPECT_EQ(o.form.shownPressureUnit, "inHg");
  EXPECT_EQ(o.form.relative, "29.92");
  EXPECT_EQ(o.form.absolute, "29.81");
  PressureLimits limits = PressureLimitsIn(o.form.shownPressureUnit);
  EXPECT_FLOAT_EQ(limits.low, 14.765f);
  EXPECT_FLOAT_EQ(limits.high, 32.483f);

  ChangeSetupPressureUnit(o.form, 0);
  EXPECT_EQ(o.form.shownPressureUnit, "Hpa");
  EXPECT_EQ(o.form.relative, "1013.2");
  EXPECT_EQ(o.form.absolute, "1009.5");
  limits = PressureLimitsIn(o.form.shownPressureUnit);
  EXPECT_FLOAT_EQ(limits.low, 500.0f);
  EXPECT_FLOAT_EQ(limits.high, 1100.0f);

  // Selecting the shown unit again converts nothing.
  o.form.relative = "1000.04";
  ChangeSetupPressureUnit(o.form, 0);
  EXPECT_EQ(o.form.relative, "1000.04");
  ChangeSetupPressureUnit(o.form, 2);
  EXPECT_EQ(o.form.relative, "750.0");
  EXPECT_EQ(o.form.shownPressureUnit, "mmHg");
}

TEST(SetupChecks, IntervalAndPressureRanges) {
  Opened o;
  FieldError error;
  EXPECT_TRUE(CheckSetupForm(o.form, error));
  for (const char* bad : {"4", "241", "", "5.5", "abc", "10x"}) {
    SetupForm form = o.form;
    form.interval = bad;
    EXPECT_FALSE(CheckSetupForm(form, error)) << bad;
    EXPECT_EQ(error.control, setup::kInterval);
    EXPECT_EQ(error.message, "Please enter an integer between 5 and 240.");
  }
  for (const char* good : {"5", "240", " 30 "}) {
    SetupForm form = o.form;
    form.interval = good;
    EXPECT_TRUE(CheckSetupForm(form, error)) << good;
  }
  SetupForm form = o.form;
  form.relative = "499.9";
  EXPECT_FALSE(CheckSetupForm(form, error));
  EXPECT_EQ(error.control, setup::kRelative);
  EXPECT_EQ(error.message, "Please enter a number between 500 and 1100.");
  form.relative = "1100";
  EXPECT_TRUE(CheckSetupForm(form, error));

  ChangeSetupPressureUnit(form, 1);
  form.absolute = "33";
  EXPECT_FALSE(CheckSetupForm(form, error));
  EXPECT_EQ(error.control, setup::kAbsolute);
  EXPECT_EQ(error.message, "Please enter a number between 14.765 and 32.483.");
}

TEST(SetupSave, UnchangedUnitsLeaveEveryThresholdAsRead) {
  Opened o;
  const SaveOutcome outcome = o.session.Save(o.form);
  EXPECT_TRUE(outcome.Written());
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(o.station.Image(), Unchanged());
  EXPECT_FALSE(o.station.device->DeviceBusy().load());
}

TEST(SetupSave, EditedRelativePressureIsWrittenWithoutLeavingTheField) {
  Opened o;
  o.form.relative = "1020.0";  // typed, focus never moved
  ASSERT_TRUE(o.session.Save(o.form).Written());
  std::vector<std::uint8_t> expected = Unchanged();
  expected[0x20] = 0xD8;  // 10200
  expected[0x21] = 0x27;
  EXPECT_EQ(o.station.Image(), expected);
}

TEST(SetupSave, RainUnitMmToInchRewritesTheRainThresholdsInHundredths) {
  Opened o;
  o.form.selection[setup::kUnitRainfall] = 1;
  ASSERT_TRUE(o.session.Save(o.form).Written());
  std::vector<std::uint8_t> expected = Unchanged();
  expected[0x11] = 0x24;  // Hpa | inch
  expected[0x53] = 0x04;  // 1.0 mm = 0.04 inch
  expected[0x55] = 0xC5;  // 50.0 mm = 1.97 inch
  expected[0x56] = 0x00;
  EXPECT_EQ(o.station.Image(), expected);
}

TEST(SetupSave, PressureUnitChangeWritesPressuresAndThresholdsInTheNewUnitAndBack) {
  {
    Opened o;
    ChangeSetupPressureUnit(o.form, 1);
    ASSERT_TRUE(o.session.Save(o.form).Written());
    std::vector<std::uint8_t> expected = Unchanged();
    expected[0x11] = 0x40;  // inHg
    const std::vector<std::uint8_t> pressures{0xB0, 0x0B, 0xA5, 0x0B};  // 2992, 2981
    const std::vector<std::uint8_t> limits{0xFF, 0x0B, 0x13, 0x0B, 0xFF, 0x0B, 0x13, 0x0B};  // 3071, 2835
    std::copy(pressures.begin(), pressures.end(), expected.begin() + 0x20);
    std::copy(limits.begin(), limits.end(), expected.begin() + 0x44);
    EXPECT_EQ(o.station.Image(), expected);

    // A second dialog shows inHg and converts back to the original values.
    SetupSession again(*o.station.device, o.station.Sleep());
    ASSERT_TRUE(again.Open().empty());
    SetupForm form = again.Form();
    EXPECT_EQ(form.relative, "29.92");
    EXPECT_EQ(form.shownPressureUnit, "inHg");
    ChangeSetupPressureUnit(form, 0);
    ASSERT_TRUE(again.Save(form).Written());
    EXPECT_EQ(o.station.Image(), Unchanged());
  }
}

TEST(SetupSave, TemperatureAndWindUnitChangesRescaleTheirThresholds) {
  Opened o;
  o.form.selection[setup::kUnitIndoorTemperature] = 1;   // °F
  o.form.selection[setup::kUnitOutdoorTemperature] = 1;  // °F
  o.form.selection[setup::kUnitWindSpeed] = 0;           // km/h to m/s
  ASSERT_TRUE(o.session.Save(o.form).Written());
  const auto block = o.station.Get(0x30, 0x28);
  auto word = [&](int address) { return block[address - 0x30] | (block[address - 0x30 + 1] << 8); };
  EXPECT_EQ(word(0x32), 680);      // 20.0 °C = 68.0 °F
  EXPECT_EQ(word(0x34), 320);      // 0.0 °C
  EXPECT_EQ(word(0x38), 860);      // 30.0 °C
  EXPECT_EQ(word(0x3A), 140);      // -10.0 °C = 14.0 °F, positive now
  EXPECT_EQ(word(0x42), 140);      // dewpoint low -10.0 °C
  EXPECT_EQ(word(0x4D), 50);       // 18.0 km/h = 5.0 m/s
  EXPECT_EQ(word(0x50), 100);      // 36.0 km/h = 10.0 m/s
  EXPECT_EQ(block[0x4C - 0x30], 0x00);  // levels untouched
  EXPECT_EQ(o.station.Get(0x11, 2), (std::vector<std::uint8_t>{0x23, 0x01}));
}

TEST(SetupSave, WindUnitFromBeaufortTakesEachLevelsUpperBound) {
  // Wind high level 5 (10.7 m/s), gust high level 12 (36.9 m/s), stored × 10.
  struct Row {
    int position;
    int wind;
    int gust;
  };
  for (const Row& row : {Row{0, 107, 369},     // m/s
                         Row{1, 385, 1328},    // km/h
                         Row{2, 208, 717},     // knot
                         Row{3, 239, 825}}) {  // m/h: 23.9 and 82.5
    DialogStation station;
    station.Put(0x12, {0x10});  // bft
    station.Put(0x4C, {0x00, 50, 0x00, 0x00, 120, 0x00});
    SetupSession session(*station.device, station.Sleep());
    ASSERT_TRUE(session.Open().empty());
    SetupForm form = session.Form();
    ASSERT_EQ(form.SelectedText(setup::kUnitWindSpeed), "bft");
    form.selection[setup::kUnitWindSpeed] = row.position;
    ASSERT_TRUE(session.Save(form).Written());
    const auto block = station.Get(0x4C, 6);
    EXPECT_EQ(block[1] | (block[2] << 8), row.wind) << row.position;
    EXPECT_EQ(block[4] | (block[5] << 8), row.gust) << row.position;
    EXPECT_EQ(block[0], 0x00);  // levels untouched
  }
}

TEST(SetupSave, CheckBoxesDisplayChoicesAndIntervalReachTheHeader) {
  Opened o;
  o.form.alarmEnable[0] = true;    // time alarm
  o.form.alarmEnable[21] = false;  // dewpoint high
  o.form.selection[setup::kDisplayFormat] = 2;
  o.form.selection[setup::kDisplayRainfall] = 4;
  o.form.selection[setup::kDisplayPressure] = 1;
  o.form.interval = "30";
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x10, 9),
            (std::vector<std::uint8_t>{30, 0x20, 0x02, 0x81, 0x81, 0x06, 0xFF, 0x7F, 0x01}));
}

TEST(SetupSave, BusyLinkAndFailedExchangesKeepTheDialogOpen) {
  {
    Opened o;
    o.station.device->DeviceBusy().store(true);
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.result, SaveResult::kLinkBusy);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::CantCommunicateWithDevice});
    EXPECT_EQ(o.station.sleeps, 3);
    EXPECT_EQ(o.station.Image(), DialogStation::ImageWith(0, {}));
  }
  {
    Opened o;
    o.station.station->RefuseReportsAfter(0);
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.result, SaveResult::kFailed);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::ReadSetupDataFail});
  }
  {
    Opened o;
    o.station.station->RefuseReportsAfter(1);  // the header is read, the alarm block is not
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::ReadAlarmDataFail});
    EXPECT_EQ(o.station.Image(), DialogStation::ImageWith(0, {}));
  }
  {
    Opened o;
    o.form.selection[setup::kUnitRainfall] = 1;
    // Two reads (three commands), the header write (command and four data
    // reports); then the alarm write is refused.
    o.station.station->RefuseReportsAfter(8);
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.result, SaveResult::kFailed);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::SaveAlarmDataFail});
    EXPECT_EQ(o.station.Get(0x11, 1)[0], 0x24);                                   // header written
    EXPECT_EQ(o.station.Get(0x53, 4), (std::vector<std::uint8_t>{0x0A, 0, 0xF4, 0x01}));  // block not
    EXPECT_FALSE(o.station.device->DeviceBusy().load());
  }
}

}  // namespace
}  // namespace skyvane
