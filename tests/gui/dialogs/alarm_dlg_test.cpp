// The Alarm dialog on the offscreen platform: the thresholds it shows, speeds
// and levels kept in step when a field is left, and the saved bytes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialog_rig.h"
#include "gui/dialogs/alarm_dlg.h"

namespace skyvane {
namespace {

using test::DialogRig;

QLineEdit* Edit(QWidget& dialog, const char* name) {
  auto* edit = dialog.findChild<QLineEdit*>(QString::fromUtf8(name));
  EXPECT_NE(edit, nullptr) << name;
  return edit;
}

QString UnitOf(QWidget& dialog, const char* name) {
  auto* label = dialog.findChild<QLabel*>(QString::fromUtf8(name) + "-unit");
  return label != nullptr ? label->text() : QStringLiteral("<none>");
}

void ShowActive(QWidget& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST(AlarmDialog, ShowsTheTestImageInHpaAndCelsius) {
  DialogRig rig;
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_TRUE(rig.messages.isEmpty());
  EXPECT_EQ(Edit(dlg, "indoor-temperature-high")->text(), "20.0");
  EXPECT_EQ(Edit(dlg, "indoor-temperature-low")->text(), "0.0");
  EXPECT_EQ(Edit(dlg, "outdoor-temperature-low")->text(), "-10.0");
  EXPECT_EQ(Edit(dlg, "relative-pressure-high")->text(), "1040.0");
  EXPECT_EQ(Edit(dlg, "time-hour")->text(), "13");
  EXPECT_EQ(Edit(dlg, "time-minute")->text(), "30");
  EXPECT_EQ(dlg.findChild<QComboBox*>("wind-direct")->currentText(), "N");
  EXPECT_EQ(UnitOf(dlg, "indoor-temperature-high"), "°C");
  EXPECT_EQ(UnitOf(dlg, "indoor-humidity-low"), "%");
  EXPECT_EQ(UnitOf(dlg, "wind-high"), "km/h");
  EXPECT_EQ(UnitOf(dlg, "gust-level"), "bft");
  EXPECT_EQ(UnitOf(dlg, "rain-high-24-hour"), "mm");
  EXPECT_EQ(UnitOf(dlg, "time-hour"), "");
  EXPECT_TRUE(dlg.findChild<QPushButton*>("save")->isEnabled());
}

TEST(AlarmDialog, FailedOpeningDisablesSave) {
  DialogRig rig;
  rig.station->RefuseReportsAfter(0);
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_EQ(rig.messages, (QStringList{"Read weather alarm data fail!", "Read weather setup data fail!"}));
  EXPECT_FALSE(dlg.findChild<QPushButton*>("save")->isEnabled());
  EXPECT_EQ(Edit(dlg, "indoor-temperature-high")->text(), "---");
}

TEST(AlarmDialog, LeavingAChangedSpeedOrLevelSetsItsPartner) {
  DialogRig rig;
  rig.Put(0x12, {0x01});  // m/s
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  ShowActive(dlg);
  QLineEdit* other = Edit(dlg, "time-hour");
  test::TypeAndLeave(Edit(dlg, "wind-high"), "20", other);
  EXPECT_EQ(Edit(dlg, "wind-level")->text(), "8");
  test::TypeAndLeave(Edit(dlg, "gust-level"), "3", other);
  EXPECT_EQ(Edit(dlg, "gust-high")->text(), "5.4");
  // Passing through a field without changing it leaves the partner alone.
  Edit(dlg, "wind-level")->setText("4");
  Edit(dlg, "wind-high")->setFocus();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Edit(dlg, "wind-level")->text(), "4");
}

TEST(AlarmDialog, BusyLinkGivesAnEmptyDialogWithoutSave) {
  DialogRig rig;
  rig.device->DeviceBusy().store(true);
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_EQ(rig.messages, QStringList{"Can't communicate with device!"});
  EXPECT_EQ(rig.sleeps, 3);
  EXPECT_FALSE(dlg.findChild<QPushButton*>("save")->isEnabled());
  EXPECT_EQ(Edit(dlg, "relative-pressure-high")->text(), "---");
  EXPECT_EQ(dlg.findChild<QComboBox*>("wind-direct")->currentIndex(), -1);
  EXPECT_TRUE(rig.device->DeviceBusy().load());
}

TEST(AlarmDialog, PartnersSetByLeavingAFieldAreSaved) {
  DialogRig rig;
  rig.Put(0x12, {0x01});  // m/s
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  ShowActive(dlg);
  QLineEdit* other = Edit(dlg, "time-hour");
  test::TypeAndLeave(Edit(dlg, "wind-high"), "20", other);
  test::TypeAndLeave(Edit(dlg, "gust-level"), "3", other);
  dlg.findChild<QPushButton*>("save")->click();
  ASSERT_EQ(dlg.result(), QDialog::Accepted) << rig.messages.join('|').toStdString();
  // Wind 20.0 m/s at level 8, gust 5.4 m/s at level 3.
  EXPECT_EQ(rig.Get(0x4C, 6), (std::vector<std::uint8_t>{8, 200, 0, 3, 54, 0}));
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x4C, {8, 200, 0, 3, 54, 0});
  expected[0x12] = 0x01;
  expected[0x1A] = 0xAA;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(AlarmDialog, SaveWritesRawValuesAndBcdTime) {
  DialogRig rig;
  rig.Put(0x3A, {0x00, 0x00});
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  Edit(dlg, "outdoor-temperature-low")->setText("-10.0");
  Edit(dlg, "time-hour")->setText("7");
  Edit(dlg, "time-minute")->setText("5");
  dlg.findChild<QComboBox*>("wind-direct")->setCurrentIndex(4);  // "E"
  dlg.findChild<QPushButton*>("save")->click();
  EXPECT_EQ(rig.questions, QStringList{"Do you want save?"});
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(rig.Get(0x3A, 2), (std::vector<std::uint8_t>{0x64, 0x80}));
  EXPECT_EQ(rig.Get(0x57, 2), (std::vector<std::uint8_t>{0x07, 0x05}));
  EXPECT_EQ(rig.Get(0x52, 1)[0], 4);
  // Nothing else changed but the mark: current pressures and unshown bytes as read.
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x3A, {0x64, 0x80});
  expected[0x57] = 0x07;
  expected[0x58] = 0x05;
  expected[0x52] = 4;
  expected[0x1A] = 0xAA;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(AlarmDialog, InHgPressureIsStoredInHundredths) {
  DialogRig rig;
  rig.Put(0x11, {0x40});
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_EQ(UnitOf(dlg, "relative-pressure-high"), "inHg");
  // The test image's thresholds read as hundredths of inHg are out of range; set all four.
  for (const char* name : {"absolute-pressure-high", "absolute-pressure-low", "relative-pressure-high",
                           "relative-pressure-low"}) {
    Edit(dlg, name)->setText("30.71");
  }
  dlg.findChild<QPushButton*>("save")->click();
  ASSERT_TRUE(rig.messages.isEmpty()) << rig.messages.join('|').toStdString();
  EXPECT_EQ(rig.Get(0x48, 2), (std::vector<std::uint8_t>{0xFF, 0x0B}));  // 3071
  std::vector<std::uint8_t> expected =
      DialogRig::TestImageWith(0x44, {0xFF, 0x0B, 0xFF, 0x0B, 0xFF, 0x0B, 0xFF, 0x0B});
  expected[0x11] = 0x40;
  expected[0x1A] = 0xAA;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(AlarmDialog, FailedFreshReadKeepsTheDialogOpenWithTheUsersValues) {
  DialogRig rig;
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  dlg.show();
  Edit(dlg, "indoor-temperature-high")->setText("25.0");
  rig.station->RefuseReportsAfter(0);
  dlg.findChild<QPushButton*>("save")->click();
  EXPECT_EQ(rig.messages, QStringList{"Read weather alarm data fail!"});
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(Edit(dlg, "indoor-temperature-high")->text(), "25.0");
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0, {}));

  rig.station->AcceptReports();
  dlg.findChild<QPushButton*>("save")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x32, {0xFA, 0x00});  // 25.0
  expected[0x1A] = 0xAA;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(AlarmDialog, ChecksNameTheRangeAndWriteNothing) {
  DialogRig rig;
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  Edit(dlg, "time-hour")->setText("24");
  dlg.findChild<QPushButton*>("save")->click();
  EXPECT_EQ(rig.messages, QStringList{"Please enter an integer between 0 and 23."});
  Edit(dlg, "time-hour")->setText("23");
  Edit(dlg, "gust-high")->setText("180.1");
  dlg.findChild<QPushButton*>("save")->click();
  EXPECT_EQ(rig.messages.last(), "Please enter a number between 0 and 180.");
  EXPECT_TRUE(rig.questions.isEmpty());
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0, {}));
}

TEST(AlarmDialog, DanishCaptions) {
  DialogRig rig(2);
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  EXPECT_EQ(dlg.findChild<QPushButton*>("save")->text(), "Gem");
  bool found = false;
  for (auto* label : dlg.findChildren<QLabel*>()) found = found || label->text() == "Høj     24 Timer";
  EXPECT_TRUE(found);
}

TEST(AlarmDialog, GermanCaptions) {
  DialogRig rig(1);
  CAlarmDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  EXPECT_EQ(dlg.findChild<QPushButton*>("save")->text(), "Speichern");
  EXPECT_EQ(dlg.findChild<QPushButton*>("cancel")->text(), "Beenden");
  QStringList labels;
  for (auto* label : dlg.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("Hoch     Stunde"));
  EXPECT_TRUE(labels.contains("Tief"));
  EXPECT_FALSE(labels.contains("High"));
}

}  // namespace
}  // namespace skyvane
