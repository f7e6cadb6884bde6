// The Setup dialog on the offscreen platform: its controls after opening, the
// pressure unit list, the checks, and the bytes a save leaves in the station.
#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialog_rig.h"
#include "gui/dialogs/setup_dlg.h"

namespace skyvane {
namespace {

using test::DialogRig;

template <class W>
W* Child(QWidget& dialog, const char* name) {
  W* widget = dialog.findChild<W*>(QString::fromUtf8(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

TEST(SetupDialog, ShowsTheTestImageAfterOpening) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_TRUE(rig.messages.isEmpty());
  EXPECT_EQ(dlg.windowTitle(), "Setup");
  EXPECT_EQ(Child<QComboBox>(dlg, "time-zone")->currentText(), "+1");
  EXPECT_EQ(Child<QComboBox>(dlg, "time-zone")->count(), 25);
  EXPECT_EQ(Child<QLineEdit>(dlg, "interval")->text(), "5");
  EXPECT_EQ(Child<QComboBox>(dlg, "unit-indoor-temperature")->currentText(), "°C");
  EXPECT_EQ(Child<QComboBox>(dlg, "unit-indoor-temperature")->count(), 2);
  EXPECT_EQ(Child<QComboBox>(dlg, "unit-pressure")->currentText(), "Hpa");
  EXPECT_EQ(Child<QComboBox>(dlg, "unit-wind-speed")->currentText(), "km/h");
  EXPECT_EQ(Child<QComboBox>(dlg, "display-format")->currentText(), "Full Date");
  EXPECT_EQ(Child<QComboBox>(dlg, "display-rainfall")->count(), 5);
  EXPECT_FALSE(Child<QCheckBox>(dlg, "alarm-enable-time")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(dlg, "alarm-enable-wind-direct")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(dlg, "alarm-enable-dewpoint-high")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-relative")->text(), "1013.2");
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-absolute")->text(), "1009.5");
  EXPECT_TRUE(Child<QLineEdit>(dlg, "pressure-absolute")->isReadOnly());
  EXPECT_FALSE(Child<QLineEdit>(dlg, "pressure-absolute")->hasFrame());
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-absolute")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(Child<QLabel>(dlg, "pressure-relative-unit")->text(), "Hpa");
  EXPECT_TRUE(Child<QPushButton>(dlg, "save")->isEnabled());
}

TEST(SetupDialog, BusyLinkGivesAnEmptyDialogWithoutSave) {
  DialogRig rig;
  rig.device->DeviceBusy().store(true);
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_EQ(rig.messages, QStringList{"Can't communicate with device!"});
  EXPECT_EQ(rig.sleeps, 3);
  EXPECT_FALSE(Child<QPushButton>(dlg, "save")->isEnabled());
  EXPECT_EQ(Child<QLineEdit>(dlg, "interval")->text(), "---");
}

TEST(SetupDialog, PressureUnitChangesConvertBothFieldsEachTime) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  auto* unitList = Child<QComboBox>(dlg, "unit-pressure");
  unitList->setCurrentIndex(1);
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-relative")->text(), "29.92");
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-absolute")->text(), "29.81");
  EXPECT_EQ(Child<QLabel>(dlg, "pressure-absolute-unit")->text(), "inHg");
  unitList->setCurrentIndex(0);
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-relative")->text(), "1013.2");
  EXPECT_EQ(Child<QLabel>(dlg, "pressure-relative-unit")->text(), "Hpa");
  // The limits followed: 1013.2 is a valid Hpa pressure again.
  EXPECT_EQ(dlg.Form().shownPressureUnit, "Hpa");
}

TEST(SetupDialog, SaveAsksThenWritesTheStation) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  dlg.show();
  Child<QComboBox>(dlg, "unit-rainfall")->setCurrentIndex(1);  // inch
  Child<QLineEdit>(dlg, "pressure-relative")->setText("1020.0");  // the field keeps the focus
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.questions, QStringList{"Do you want save?"});
  EXPECT_EQ(rig.captions, QStringList{"Operation Notify"});
  EXPECT_TRUE(rig.messages.isEmpty()) << rig.messages.join('|').toStdString();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x1A, {0xAA});
  expected[0x11] = 0x24;
  expected[0x20] = 0xD8;
  expected[0x21] = 0x27;
  expected[0x53] = 0x04;
  expected[0x55] = 0xC5;
  expected[0x56] = 0x00;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(SetupDialog, NoAnswerAndFailedChecksWriteNothing) {
  DialogRig rig;
  rig.answer = false;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  dlg.show();
  Child<QCheckBox>(dlg, "alarm-enable-time")->setChecked(true);
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.questions.size(), 1);
  EXPECT_TRUE(dlg.isVisible());

  rig.answer = true;
  Child<QLineEdit>(dlg, "interval")->setText("241");
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.messages, QStringList{"Please enter an integer between 5 and 240."});
  EXPECT_EQ(rig.questions.size(), 1);  // not asked again
  Child<QLineEdit>(dlg, "interval")->setText("5");
  Child<QComboBox>(dlg, "unit-pressure")->setCurrentIndex(1);
  Child<QLineEdit>(dlg, "pressure-relative")->setText("33");
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.messages.last(), "Please enter a number between 14.765 and 32.483.");
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0, {}));

  Child<QPushButton>(dlg, "cancel")->click();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0, {}));
}

TEST(SetupDialog, TimeZoneWithoutEntryKeepsTheStations) {
  DialogRig rig;
  rig.Put(0x18, {0x13});  // "+13"
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  EXPECT_EQ(Child<QComboBox>(dlg, "time-zone")->currentIndex(), -1);
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x18, {0x13});
  expected[0x1A] = 0xAA;
  EXPECT_EQ(rig.Image(), expected);
}

TEST(SetupDialog, SavingUnchangedUnitsWritesBackOnlyTheMark) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(rig.messages.isEmpty()) << rig.messages.join('|').toStdString();
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0x1A, {0xAA}));
}

TEST(SetupDialog, LimitsFollowEachPressureUnitChange) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  auto* unitList = Child<QComboBox>(dlg, "unit-pressure");
  auto* relative = Child<QLineEdit>(dlg, "pressure-relative");
  unitList->setCurrentIndex(1);
  relative->setText("35");
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.messages.last(), "Please enter a number between 14.765 and 32.483.");
  unitList->setCurrentIndex(0);
  EXPECT_EQ(relative->text(), "1185.2");  // 35 inHg
  Child<QPushButton>(dlg, "save")->click();
  EXPECT_EQ(rig.messages.last(), "Please enter a number between 500 and 1100.");
  EXPECT_EQ(rig.messages.size(), 2);
  EXPECT_TRUE(rig.questions.isEmpty());
  EXPECT_EQ(rig.Image(), DialogRig::TestImageWith(0, {}));
}

TEST(SetupDialog, ARelativePressureLeftAndThenConvertedIsWrittenInTheNewUnit) {
  DialogRig rig;
  CSetupDlg dlg(*rig.device, rig.text, nullptr, rig.prompts);
  dlg.Open();
  dlg.show();
  QApplication::setActiveWindow(&dlg);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
  auto* unitList = Child<QComboBox>(dlg, "unit-pressure");
  test::TypeAndLeave(Child<QLineEdit>(dlg, "pressure-relative"), "1020.0", unitList);
  unitList->setCurrentIndex(1);  // inHg
  EXPECT_EQ(Child<QLineEdit>(dlg, "pressure-relative")->text(), "30.12");
  Child<QPushButton>(dlg, "save")->click();
  ASSERT_EQ(dlg.result(), QDialog::Accepted) << rig.messages.join('|').toStdString();
  std::vector<std::uint8_t> expected = DialogRig::TestImageWith(0x1A, {0xAA});
  expected[0x11] = 0x40;  // inHg
  // Current pressures in hundredths of inHg: 3012 and 2981.
  const std::vector<std::uint8_t> pressures{0xC4, 0x0B, 0xA5, 0x0B};
  // Thresholds 1040.0 and 960.0 hPa rescaled: 3071 and 2835.
  const std::vector<std::uint8_t> limits{0xFF, 0x0B, 0x13, 0x0B, 0xFF, 0x0B, 0x13, 0x0B};
  std::copy(pressures.begin(), pressures.end(), expected.begin() + 0x20);
  std::copy(limits.begin(), limits.end(), expected.begin() + 0x44);
  EXPECT_EQ(rig.Image(), expected);
}

TEST(SetupDialog, CaptionsAndMessagesFollowTheLanguage) {
  DialogRig german(1);
  german.device->DeviceBusy().store(true);
  CSetupDlg dlg(*german.device, german.text, nullptr, german.prompts);
  dlg.Open();
  EXPECT_EQ(dlg.windowTitle(), "Einstellungen");
  EXPECT_EQ(Child<QPushButton>(dlg, "save")->text(), "Speichern");
  EXPECT_EQ(Child<QCheckBox>(dlg, "alarm-enable-dewpoint-high")->text(), "Taupunkt Hoch");
  EXPECT_EQ(Child<QComboBox>(dlg, "display-axis")->itemText(1), "24 Stunden");
  EXPECT_EQ(german.messages, QStringList{"Can't communicate with Gerät!"});

  DialogRig danish(2);
  CSetupDlg dk(*danish.device, danish.text, nullptr, danish.prompts);
  EXPECT_EQ(dk.windowTitle(), "Opsætning");
  EXPECT_EQ(Child<QPushButton>(dk, "cancel")->text(), "Annuller");
  EXPECT_EQ(Child<QComboBox>(dk, "unit-pressure")->itemText(1), "inHg");
}

}  // namespace
}  // namespace skyvane
