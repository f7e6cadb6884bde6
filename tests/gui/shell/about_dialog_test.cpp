#include "gui/shell/about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "core/app/app_settings.h"
#include "core/app/text_table.h"
#include "gui/shell/link_label.h"

namespace skyvane {
namespace {

QString LabelText(const CAboutDlg& dialog, const char* name) {
  return dialog.findChild<QLabel*>(name)->text();
}

TEST(CAboutDlg, ShowsTheTextsOfTheSettingsAndTheLink) {
  AppSettings settings;
  settings.aboutVersion = "Skyvane Version 2.5";
  settings.aboutCopyright = "Copyright (C) Somebody";
  settings.aboutDescription = "Software Update:";
  settings.aboutSoftUpdate = "https://example.org/skyvane";
  TextTable text(0);
  CAboutDlg dialog(settings, text);
  EXPECT_EQ(dialog.windowTitle(), "About Skyvane");
  EXPECT_EQ(LabelText(dialog, "aboutVersion"), "Skyvane Version 2.5");
  EXPECT_EQ(LabelText(dialog, "aboutCopyright"), "Copyright (C) Somebody");
  EXPECT_EQ(LabelText(dialog, "aboutDescription"), "Software Update:");
  EXPECT_FALSE(dialog.Link()->isHidden());
  EXPECT_EQ(dialog.Link()->text(), "https://example.org/skyvane");
  EXPECT_EQ(dialog.Link()->Address(), "https://example.org/skyvane");
  EXPECT_EQ(dialog.Link()->toolTip(), "https://example.org/skyvane");
}

TEST(CAboutDlg, AnEmptyAddressHidesTheLinkOnly) {
  AppSettings settings;
  settings.aboutSoftUpdate.clear();
  TextTable text(2);
  CAboutDlg dialog(settings, text);
  EXPECT_EQ(dialog.windowTitle(), "Om Skyvane");
  EXPECT_TRUE(dialog.Link()->isHidden());
  EXPECT_EQ(LabelText(dialog, "aboutVersion"), "Skyvane Version 1.0");
  EXPECT_FALSE(dialog.findChild<QLabel*>("aboutCopyright")->text().isEmpty());
}

TEST(CAboutDlg, GermanTitle) {
  AppSettings settings;
  TextTable text(1);
  CAboutDlg dialog(settings, text);
  EXPECT_EQ(dialog.windowTitle(), "Skyvane Info");
}

}  // namespace
}  // namespace skyvane
