// The Max/Min ("Scope") dialog on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/app/clock.h"
#include "core/history/history_file.h"
#include "dialogs/dialog_rig.h"
#include "gui/dialogs/maxmin_dlg.h"

namespace skyvane {
namespace {

using test::DialogRig;

QString Field(QWidget& dialog, const std::string& name) {
  auto* edit = dialog.findChild<QLineEdit*>(QString::fromStdString(name));
  return edit != nullptr ? edit->text() : QStringLiteral("<none>");
}

TEST(MaxMinDialog, TestModeShowsTheTestImage) {
  DialogRig rig(0, true);
  FixedClock clock;
  HistoryFile file(clock);
  CMaxMinDlg dlg(*rig.device, file, rig.text, nullptr, rig.prompts);
  ASSERT_TRUE(dlg.Open());
  EXPECT_TRUE(rig.messages.isEmpty());
  EXPECT_EQ(dlg.windowTitle(), "Scope");
  EXPECT_EQ(Field(dlg, "indoor-humidity-maximum"), "70 %");
  EXPECT_EQ(Field(dlg, "indoor-humidity-maximum-time"), "01-01-2007 12:00");
  EXPECT_EQ(Field(dlg, "outdoor-humidity-minimum"), "48 %");
  EXPECT_EQ(Field(dlg, "gust-maximum"), "170.6 km/h");
  EXPECT_EQ(Field(dlg, "rain-maximum-24-hours"), "24.4 mm");
  EXPECT_EQ(Field(dlg, "rain-maximum-total-time"), "01-01-2007 12:00");
  EXPECT_TRUE(dlg.findChild<QLineEdit*>("wind-maximum")->isReadOnly());
  // Every time field but one shows the test image's time; the indoor minimum
  // (432.1 °C) is no temperature and shows the current reading and its time.
  int times = 0;
  for (auto* edit : dlg.findChildren<QLineEdit*>()) {
    if (!edit->objectName().endsWith("-time")) continue;
    ++times;
    EXPECT_TRUE(edit->isReadOnly());
    if (edit->objectName() == "indoor-temperature-minimum-time") {
      EXPECT_NE(edit->text(), "01-01-2007 12:00");
      EXPECT_EQ(edit->text().size(), 16);
    } else {
      EXPECT_EQ(edit->text(), "01-01-2007 12:00") << edit->objectName().toStdString();
    }
  }
  EXPECT_EQ(times, 23);
  EXPECT_NE(Field(dlg, "indoor-temperature-minimum"), "432.1 °C");
  EXPECT_TRUE(Field(dlg, "indoor-temperature-minimum").endsWith(" °C"));
  dlg.show();
  dlg.findChild<QPushButton*>("ok")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(MaxMinDialog, BusyLinkClosesItBeforeItShows) {
  DialogRig rig;
  rig.device->DeviceBusy().store(true);
  FixedClock clock;
  HistoryFile file(clock);
  CMaxMinDlg dlg(*rig.device, file, rig.text, nullptr, rig.prompts);
  EXPECT_EQ(dlg.Run(), QDialog::Rejected);
  EXPECT_EQ(rig.messages, QStringList{"Can't communicate with device!"});
  EXPECT_EQ(rig.sleeps, 3);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(Field(dlg, "indoor-humidity-maximum"), "");
}

TEST(MaxMinDialog, EachFailedReadIsShownAndTheDialogStillOpens) {
  DialogRig rig;
  rig.station->RefuseReportsAfter(0);
  FixedClock clock;
  HistoryFile file(clock);
  CMaxMinDlg dlg(*rig.device, file, rig.text, nullptr, rig.prompts);
  ASSERT_TRUE(dlg.Open());
  EXPECT_EQ(rig.messages, (QStringList{"Read weather scope data fail!", "Read weather setup data fail!",
                                       "Read weather setup data fail!", "Read weather setup data fail!"}));
  EXPECT_EQ(Field(dlg, "rain-maximum-hour"), "--- mm");
  EXPECT_EQ(Field(dlg, "indoor-humidity-maximum"), "--- %");
  EXPECT_FALSE(rig.device->DeviceBusy().load());
}

TEST(MaxMinDialog, GermanLayout) {
  DialogRig rig(1, true);
  FixedClock clock;
  HistoryFile file(clock);
  CMaxMinDlg dlg(*rig.device, file, rig.text, nullptr, rig.prompts);
  EXPECT_EQ(dlg.windowTitle(), "Zeitstempel");
}

TEST(MaxMinDialog, DanishLayout) {
  DialogRig rig(2, true);
  FixedClock clock;
  HistoryFile file(clock);
  CMaxMinDlg dlg(*rig.device, file, rig.text, nullptr, rig.prompts);
  EXPECT_EQ(dlg.windowTitle(), "Oversigt Min/Max");
  QStringList labels;
  for (auto* label : dlg.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("Maksimum"));
  EXPECT_TRUE(labels.contains("Tid"));
  EXPECT_FALSE(labels.contains("Maximum"));
}

}  // namespace
}  // namespace skyvane
