// The Alarm dialog's rules against the virtual station holding the test image:
// the shown thresholds, speed and level in step, the checks in each unit, and
// the bytes each save leaves in station memory.
#include <gtest/gtest.h>

#include "core/dialogs/station_dialog_session.h"
#include "core/dialogs/dialog_support.h"

namespace skyvane {
namespace {

using test::DialogStation;
using namespace alm;

constexpr std::uint16_t kMark = 0x1A;

struct Opened {
  explicit Opened(std::uint16_t address = 0, std::vector<std::uint8_t> bytes = {}) {
    if (!bytes.empty()) station.Put(address, bytes);
    messages = session.Open();
    form = session.Form();
  }
  DialogStation station;
  AlarmSession session{*station.device, station.Sleep()};
  DialogMessages messages;
  AlarmForm form;
};

TEST(AlarmOpening, ShowsTheTestImageInHpaAndCelsius) {
  Opened o;
  EXPECT_TRUE(o.messages.empty());
  EXPECT_TRUE(o.session.SaveEnabled());
  EXPECT_EQ(o.form.text[kIndoorTempHigh], "20.0");
  EXPECT_EQ(o.form.text[kIndoorTempLow], "0.0");
  EXPECT_EQ(o.form.text[kOutdoorTempLow], "-10.0");
  EXPECT_EQ(o.form.text[kRelPressureHigh], "1040.0");
  EXPECT_EQ(o.form.text[kTimeHour], "13");
  EXPECT_EQ(o.form.text[kTimeMinute], "30");
  EXPECT_EQ(o.form.direction, 0);
  EXPECT_STREQ(AlarmDirections()[static_cast<std::size_t>(o.form.direction)], "N");
  EXPECT_EQ(o.form.text[kIndoorHumidityHigh], "65");
  EXPECT_EQ(o.form.text[kWindSpeedHigh], "18.0");
  EXPECT_EQ(o.form.text[kGustLevelHigh], "0");
  EXPECT_EQ(o.form.text[kRain24hHigh], "50.0");
  // The current pressures are no control of this dialog.
  EXPECT_EQ(o.form.text[kCurrentRelPressure], "");
  const HeaderRecord& h = o.session.Header();
  EXPECT_EQ(AlarmUnitText(AlarmInput::kIndoorTemperature, h), "°C");
  EXPECT_EQ(AlarmUnitText(AlarmInput::kWindSpeed, h), "km/h");
  EXPECT_EQ(AlarmUnitText(AlarmInput::kLevel, h), "bft");
  EXPECT_EQ(AlarmUnitText(AlarmInput::kHour, h), "");
}

TEST(AlarmOpening, BusyLinkAndFailedReads) {
  {
    DialogStation station;
    station.device->DeviceBusy().store(true);
    AlarmSession session(*station.device, station.Sleep());
    EXPECT_EQ(session.Open(), DialogMessages{Txt::CantCommunicateWithDevice});
    EXPECT_EQ(station.sleeps, 3);
    EXPECT_FALSE(session.SaveEnabled());
    EXPECT_EQ(session.Form().text[kIndoorTempHigh], "---");
    EXPECT_EQ(session.Form().direction, -1);
  }
  {
    DialogStation station;
    station.station->RefuseReportsAfter(0);
    AlarmSession session(*station.device, station.Sleep());
    EXPECT_EQ(session.Open(), (DialogMessages{Txt::ReadAlarmDataFail, Txt::ReadSetupDataFail}));
    EXPECT_FALSE(session.SaveEnabled());
  }
}

TEST(AlarmSave, UnchangedFormWritesTheBlockBackAsRead) {
  Opened o;
  FieldError error;
  ASSERT_TRUE(CheckAlarmForm(o.form, o.session.Header(), error)) << error.message;
  EXPECT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Image(), DialogStation::ImageWith(kMark, {0xAA}));
}

TEST(AlarmSave, OutdoorLowOfMinusTenIsWrittenSignAndMagnitude) {
  Opened o(0x3A, {0x00, 0x00});
  EXPECT_EQ(o.form.text[kOutdoorTempLow], "0.0");
  o.form.text[kOutdoorTempLow] = "-10.0";
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x3A, 2), (std::vector<std::uint8_t>{0x64, 0x80}));
}

TEST(AlarmSave, TimeAlarmIsWrittenAsBcd) {
  Opened o;
  o.form.text[kTimeHour] = "7";
  o.form.text[kTimeMinute] = "05";
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x57, 2), (std::vector<std::uint8_t>{0x07, 0x05}));
  o.form.text[kTimeHour] = "23";
  o.form.text[kTimeMinute] = "59";
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x57, 2), (std::vector<std::uint8_t>{0x23, 0x59}));
}

TEST(AlarmSave, PressuresAndRainInInchesAreStoredInHundredths) {
  // Header byte 0x11: inHg and inch; the block's thresholds already in those units.
  Opened o(0x11, {0x44});
  o.station.Put(0x48, {0xFF, 0x0B});  // relative high 30.71
  AlarmSession session(*o.station.device, o.station.Sleep());
  session.Open();
  AlarmForm form = session.Form();
  EXPECT_EQ(form.text[kRelPressureHigh], "30.71");
  form.text[kRelPressureHigh] = "30.5";
  form.text[kAbsPressureLow] = "29.92";
  form.text[kRainHourHigh] = "0.39";
  ASSERT_TRUE(session.Save(form).Written());
  EXPECT_EQ(o.station.Get(0x48, 2), (std::vector<std::uint8_t>{0xEA, 0x0B}));  // 3050
  EXPECT_EQ(o.station.Get(0x46, 2), (std::vector<std::uint8_t>{0xB0, 0x0B}));  // 2992
  EXPECT_EQ(o.station.Get(0x53, 2), (std::vector<std::uint8_t>{0x27, 0x00}));  // 39

  form.text[kRelPressureHigh] = "30.71";
  ASSERT_TRUE(session.Save(form).Written());
  EXPECT_EQ(o.station.Get(0x48, 2), (std::vector<std::uint8_t>{0xFF, 0x0B}));  // 3071
}

TEST(AlarmSpeedAndLevel, LeavingOneFieldRecomputesItsPartner) {
  Opened o(0x12, {0x01});  // wind unit m/s
  const HeaderRecord& h = o.session.Header();
  o.form.text[kWindSpeedHigh] = "20";
  AlarmSpeedFieldLeft(o.form, kWindSpeedHigh, h);
  EXPECT_EQ(o.form.text[kWindLevelHigh], "8");
  o.form.text[kWindLevelHigh] = "3";
  AlarmSpeedFieldLeft(o.form, kWindLevelHigh, h);
  EXPECT_EQ(o.form.text[kWindSpeedHigh], "5.4");

  o.form.text[kGustSpeedHigh] = "1.5";
  AlarmSpeedFieldLeft(o.form, kGustSpeedHigh, h);
  EXPECT_EQ(o.form.text[kGustLevelHigh], "1");
  o.form.text[kGustSpeedHigh] = "1.6";
  AlarmSpeedFieldLeft(o.form, kGustSpeedHigh, h);
  EXPECT_EQ(o.form.text[kGustLevelHigh], "2");
  o.form.text[kGustLevelHigh] = "12";
  AlarmSpeedFieldLeft(o.form, kGustLevelHigh, h);
  EXPECT_EQ(o.form.text[kGustSpeedHigh], "36.9");
  EXPECT_EQ(o.form.text[kWindLevelHigh], "3");  // the wind pair is not touched

  // Other fields have no partner.
  const AlarmForm before = o.form;
  AlarmSpeedFieldLeft(o.form, kIndoorTempHigh, h);
  EXPECT_EQ(o.form.text, before.text);

  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x4C, 6), (std::vector<std::uint8_t>{3, 54, 0, 12, 0x71, 0x01}));
}

TEST(AlarmSpeedAndLevel, FollowTheStationsWindUnit) {
  Opened o;  // km/h
  const HeaderRecord& h = o.session.Header();
  o.form.text[kWindLevelHigh] = "3";
  AlarmSpeedFieldLeft(o.form, kWindLevelHigh, h);
  EXPECT_EQ(o.form.text[kWindSpeedHigh], "19.4");  // 5.4 m/s
  o.form.text[kWindSpeedHigh] = "100";
  AlarmSpeedFieldLeft(o.form, kWindSpeedHigh, h);
  EXPECT_EQ(o.form.text[kWindLevelHigh], "10");
}

TEST(AlarmChecks, RangesInTheStationsUnits) {
  Opened o;
  const HeaderRecord& h = o.session.Header();
  struct Case {
    int field;
    const char* text;
    const char* message;  // null: accepted
  };
  const char* kHour = "Please enter an integer between 0 and 23.";
  const char* kPercent = "Please enter an integer between 0 and 100.";
  const char* kLevel = "Please enter an integer between 0 and 12.";
  const char* kCelsius = "Please enter a number between -40 and 60.";
  const char* kHpa = "Please enter a number between 500 and 1100.";
  const char* kKmh = "Please enter a number between 0 and 180.";
  const char* kMm = "Please enter a number between 0 and 1000.";
  for (const Case& c : std::initializer_list<Case>{
           {kTimeHour, "23", nullptr}, {kTimeHour, "24", kHour}, {kTimeHour, "-1", kHour},
           {kTimeHour, "1.5", kHour}, {kTimeMinute, "60", "Please enter an integer between 0 and 59."},
           {kIndoorHumidityLow, "100", nullptr}, {kIndoorHumidityLow, "101", kPercent},
           {kOutdoorHumidityHigh, "", kPercent}, {kWindLevelHigh, "13", kLevel},
           {kIndoorTempHigh, "60", nullptr}, {kIndoorTempHigh, "60.1", kCelsius},
           {kDewPointLow, "-40", nullptr}, {kDewPointLow, "-40.1", kCelsius},
           {kWindChillHigh, "---", kCelsius}, {kAbsPressureLow, "499.9", kHpa},
           {kRelPressureHigh, "1100", nullptr}, {kGustSpeedHigh, "180", nullptr},
           {kGustSpeedHigh, "180.1", kKmh}, {kWindSpeedHigh, "-0.1", kKmh},
           {kRain24hHigh, "1000", nullptr}, {kRainHourHigh, "1e4", kMm}, {kRainHourHigh, "nan", kMm}}) {
    AlarmForm form = o.form;
    form.text[static_cast<std::size_t>(c.field)] = c.text;
    FieldError error;
    const bool ok = CheckAlarmForm(form, h, error);
    if (c.message == nullptr) {
      EXPECT_TRUE(ok) << c.field << " " << c.text << ": " << error.message;
    } else {
      EXPECT_FALSE(ok) << c.field << " " << c.text;
      EXPECT_EQ(error.control, c.field) << c.text;
      EXPECT_EQ(error.message, c.message) << c.field << " " << c.text;
    }
  }
}

TEST(AlarmChecks, LimitsFollowTheOtherUnits) {
  HeaderRecord h;
  h[hdr::kUnitIndoorTemp] = "°F";
  h[hdr::kUnitPressure] = "inHg";
  h[hdr::kUnitWind] = "bft";
  h[hdr::kUnitRain] = "inch";
  EXPECT_EQ(NumberRangeMessage(AlarmInputLimits(AlarmInput::kIndoorTemperature, h).low,
                               AlarmInputLimits(AlarmInput::kIndoorTemperature, h).high),
            "Please enter a number between -40 and 140.");
  const InputLimits p = AlarmInputLimits(AlarmInput::kPressure, h);
  EXPECT_EQ(NumberRangeMessage(p.low, p.high), "Please enter a number between 14.765 and 32.483.");
  const InputLimits w = AlarmInputLimits(AlarmInput::kWindSpeed, h);
  EXPECT_EQ(NumberRangeMessage(w.low, w.high), "Please enter a number between 0 and 12.");
  const InputLimits r = AlarmInputLimits(AlarmInput::kRain, h);
  EXPECT_EQ(NumberRangeMessage(r.low, r.high), "Please enter a number between 0 and 39.37.");
}

TEST(AlarmSave, FailedFreshReadWritesNothingAndKeepsTheValues) {
  Opened o;
  o.form.text[kIndoorTempHigh] = "25.0";
  o.station.station->RefuseReportsAfter(0);
  const SaveOutcome outcome = o.session.Save(o.form);
  EXPECT_EQ(outcome.result, SaveResult::kFailed);
  EXPECT_EQ(outcome.messages, DialogMessages{Txt::ReadAlarmDataFail});
  EXPECT_EQ(o.station.Commands(0xA0), 0);
  EXPECT_EQ(o.station.Image(), DialogStation::ImageWith(0, {}));
  EXPECT_FALSE(o.station.device->DeviceBusy().load());

  // The station answers again: the same values save, the pressures kept.
  o.station.station->AcceptReports();
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x20, 4), (std::vector<std::uint8_t>{0x94, 0x27, 0x6F, 0x27}));
  EXPECT_EQ(o.station.Get(0x32, 2), (std::vector<std::uint8_t>{0xFA, 0x00}));
}

TEST(AlarmSave, BusyLinkAndFailedWrite) {
  {
    Opened o;
    o.station.device->DeviceBusy().store(true);
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.result, SaveResult::kLinkBusy);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::CantCommunicateWithDevice});
    EXPECT_EQ(o.station.sleeps, 3);
  }
  {
    Opened o;
    o.station.station->RefuseReportsAfter(2);  // the fresh read goes through, the write does not
    const SaveOutcome outcome = o.session.Save(o.form);
    EXPECT_EQ(outcome.result, SaveResult::kFailed);
    EXPECT_EQ(outcome.messages, DialogMessages{Txt::SaveAlarmDataFail});
    EXPECT_EQ(o.station.Get(kMark, 1)[0], 0x00);
  }
}

TEST(AlarmSave, DirectionWithoutSelectionKeepsTheStationsPoint) {
  Opened o(0x52, {0x1F});  // no compass point
  EXPECT_EQ(o.form.direction, -1);
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x52, 1)[0], 0x1F);
  o.form.direction = 15;  // "NNW"
  ASSERT_TRUE(o.session.Save(o.form).Written());
  EXPECT_EQ(o.station.Get(0x52, 1)[0], 15);
}

}  // namespace
}  // namespace skyvane
