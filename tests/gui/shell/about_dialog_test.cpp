#include "gui/shell/about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QUrl>

#include "core/app/app_settings.h"
#include "core/app/text_table.h"
#include "gui/shell/link_label.h"
#include "support/scratch_folder.h"

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

TEST(CAboutDlg, LinksOnlyDocumentsThatExist) {
  test::ScratchFolder installed;
  test::ScratchFolder program;
  test::ScratchFolder bare;
  test::WriteFileBytes(installed / "README.md", "# Skyvane\n");
  test::WriteFileBytes(program / "README.md", "# Skyvane\n");
  const QString installedUrl = QUrl::fromLocalFile(QString::fromStdString((installed / "README.md").string())).toString();
  const QString besideUrl = QUrl::fromLocalFile(QString::fromStdString((program / "README.md").string())).toString();
  const QString programDir = QString::fromStdString(program.path().string());
  const QString bareDir = QString::fromStdString(bare.path().string());
  const std::string missing = "file://" + (bare / "doc/README.md").string();
  struct Case {
    std::string configured;
    QString folder;
    QString linked;
  };
  const Case cases[] = {
      {"https://example.org/skyvane", bareDir, "https://example.org/skyvane"},
      {installedUrl.toStdString(), bareDir, installedUrl},
      {missing, programDir, besideUrl},
      {missing, bareDir, ""},
      {missing, "", ""},
      {"", programDir, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(AboutLinkAddress(c.configured, c.folder), c.linked) << c.configured;

  // The dialog itself: a document that is not there leaves the row without a link.
  AppSettings settings;
  settings.aboutSoftUpdate = missing;
  TextTable text(0);
  CAboutDlg dialog(settings, text);
  EXPECT_TRUE(dialog.Link()->isHidden());
  settings.aboutSoftUpdate = installedUrl.toStdString();
  CAboutDlg shown(settings, text);
  EXPECT_FALSE(shown.Link()->isHidden());
  EXPECT_EQ(shown.Link()->Address(), installedUrl);
}

TEST(CAboutDlg, GermanTitle) {
  AppSettings settings;
  TextTable text(1);
  CAboutDlg dialog(settings, text);
  EXPECT_EQ(dialog.windowTitle(), "Skyvane Info");
}

}  // namespace
}  // namespace skyvane
