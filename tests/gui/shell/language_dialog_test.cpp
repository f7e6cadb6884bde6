#include "gui/shell/language_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "core/app/app_settings.h"
#include "desktop_fixture.h"

namespace skyvane {
namespace {

struct LanguageDialogTest : ::testing::Test {
  test::DesktopRig rig{0};
  CLanguageDlg dialog{*rig.context};
  int restarts = 0;
  std::vector<std::chrono::milliseconds> sleeps;
  QComboBox* list() { return dialog.findChild<QComboBox*>("languageList"); }
  QString Button(const char* name) { return dialog.findChild<QPushButton*>(name)->text(); }
  void Pick(int index) {
    list()->setCurrentIndex(index);
    emit list()->activated(index);
  }
  void SetUp() override {
    dialog.SetRestart([this] { ++restarts; });
    dialog.SetBusySleep([this](std::chrono::milliseconds d) { sleeps.push_back(d); });
  }
  std::filesystem::path Ini() const { return rig.folder.path() / "Skyvane.ini"; }
};

TEST_F(LanguageDialogTest, OpensInTheCurrentLanguage) {
  EXPECT_EQ(list()->currentIndex(), 0);
  EXPECT_EQ(list()->count(), 3);
  EXPECT_EQ(list()->itemText(0), "English");
  EXPECT_EQ(list()->itemText(1), "German");
  EXPECT_EQ(list()->itemText(2), "Danish");
  EXPECT_EQ(dialog.windowTitle(), "Language");
  EXPECT_EQ(dialog.findChild<QGroupBox*>("languageGroup")->title(), "Language");
  EXPECT_EQ(Button("saveButton"), "Save");
  EXPECT_EQ(Button("cancelButton"), "Cancel");
  EXPECT_TRUE(dialog.findChild<QPushButton*>("saveButton")->isDefault());
  EXPECT_FALSE(list()->isEditable());
}

TEST_F(LanguageDialogTest, PickingALanguagePreviewsTheDialogInIt) {
  Pick(1);
  EXPECT_EQ(dialog.Selection(), 1);
  EXPECT_EQ(list()->currentIndex(), 1);
  EXPECT_EQ(list()->itemText(0), "Englisch");
  EXPECT_EQ(list()->itemText(1), "Deutsch");
  EXPECT_EQ(list()->itemText(2), "Danish");
  EXPECT_EQ(dialog.windowTitle(), "Sprache auswählen");
  EXPECT_EQ(dialog.findChild<QGroupBox*>("languageGroup")->title(), "Sprache");
  EXPECT_EQ(Button("saveButton"), "Speichern");
  EXPECT_EQ(Button("cancelButton"), "Beenden");
  Pick(2);
  EXPECT_EQ(list()->itemText(0), "Engelsk");
  EXPECT_EQ(list()->itemText(1), "Tysk");
  EXPECT_EQ(dialog.windowTitle(), "Sprog");
  EXPECT_EQ(Button("saveButton"), "Gem");
  EXPECT_EQ(Button("cancelButton"), "Annuller");
}

TEST_F(LanguageDialogTest, CancelChangesNothing) {
  Pick(1);
  QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  EXPECT_EQ(rig.settings.languageIndex, 0);
  EXPECT_EQ(restarts, 0);
}

TEST_F(LanguageDialogTest, NoToTheQuestionKeepsTheDialogOpen) {
  Pick(2);
  test::ModalAnswer answer(QMessageBox::No);
  dialog.OnSave();
  ASSERT_TRUE(answer.Seen());
  EXPECT_EQ(answer.Text(), "Do you want save and restart application?");
  EXPECT_EQ(answer.Title(), "Operation Notify");
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  EXPECT_EQ(restarts, 0);
  EXPECT_FALSE(rig.device->DeviceBusy().load());
}

TEST_F(LanguageDialogTest, SaveWritesTheKeyTakesTheLinkAndRestarts) {
  Pick(1);
  test::ModalAnswer answer(QMessageBox::Yes);
  dialog.OnSave();
  ASSERT_TRUE(answer.Seen());
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(sleeps.empty());
  EXPECT_TRUE(rig.device->DeviceBusy().load());  // kept: the program is restarting
  EXPECT_EQ(rig.settings.languageIndex, 1);
  EXPECT_EQ(rig.settings.language, "German");
  EXPECT_EQ(LoadSettings(rig.folder.path()).languageIndex, 1);
  EXPECT_NE(test::ReadFileBytes(Ini()).find("language=German"), std::string::npos);
}

TEST_F(LanguageDialogTest, SavingTheCurrentLanguageStillWritesAndRestarts) {
  test::ModalAnswer answer(QMessageBox::Yes);
  dialog.OnSave();
  EXPECT_EQ(restarts, 1);
  EXPECT_NE(test::ReadFileBytes(Ini()).find("language=English"), std::string::npos);
}

TEST_F(LanguageDialogTest, ABusyLinkIsWaitedForThreeTimesThenReported) {
  rig.device->DeviceBusy().store(true);  // the monitor holds the link
  Pick(2);
  test::ModalAnswer question(QMessageBox::Yes);
  std::unique_ptr<test::ModalAnswer> busy;
  dialog.SetBusySleep([&](std::chrono::milliseconds d) {
    sleeps.push_back(d);
    if (sleeps.size() == 3) busy = std::make_unique<test::ModalAnswer>(QMessageBox::Ok);
  });
  dialog.OnSave();
  ASSERT_EQ(sleeps.size(), 3u);
  for (auto d : sleeps) EXPECT_EQ(d, std::chrono::milliseconds(1000));
  ASSERT_TRUE(busy && busy->Seen());
  EXPECT_EQ(busy->Text(), "The device is busy! Please wait for a while.");
  EXPECT_EQ(busy->Title(), "Skyvane");
  EXPECT_EQ(restarts, 0);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  EXPECT_EQ(rig.settings.languageIndex, 0);
  EXPECT_TRUE(dialog.findChild<QPushButton*>("saveButton")->isEnabled());
}

TEST_F(LanguageDialogTest, ALinkFreedDuringTheWaitIsTaken) {
  rig.device->DeviceBusy().store(true);
  test::ModalAnswer question(QMessageBox::Yes);
  dialog.SetBusySleep([&](std::chrono::milliseconds d) {
    sleeps.push_back(d);
    if (sleeps.size() == 2) rig.device->DeviceBusy().store(false);
  });
  dialog.OnSave();
  EXPECT_EQ(sleeps.size(), 2u);
  EXPECT_EQ(restarts, 1);
  EXPECT_TRUE(rig.device->DeviceBusy().load());
}

TEST_F(LanguageDialogTest, ADialogClosedWhileWaitingForTheLinkChangesNothing) {
  rig.device->DeviceBusy().store(true);
  Pick(1);
  test::ModalAnswer question(QMessageBox::Yes);
  dialog.SetBusySleep([&](std::chrono::milliseconds d) {
    sleeps.push_back(d);
    dialog.reject();  // the window's close button during the wait
    rig.device->DeviceBusy().store(false);
  });
  dialog.OnSave();
  EXPECT_EQ(sleeps.size(), 1u);
  EXPECT_EQ(restarts, 0);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  EXPECT_EQ(rig.settings.languageIndex, 0);
  EXPECT_FALSE(rig.device->DeviceBusy().load());  // the link is free again
}

TEST(LanguageDialogGerman, TheQuestionIsAskedInTheRunningLanguage) {
  test::DesktopRig rig(1);
  CLanguageDlg dialog(*rig.context);
  int restarts = 0;
  dialog.SetRestart([&] { ++restarts; });
  test::ModalAnswer answer(QMessageBox::No);
  dialog.OnSave();
  EXPECT_EQ(answer.Text(), "Speichern und Programm neu starten?");
  EXPECT_EQ(answer.Title(), "Änderung speichern");
  EXPECT_EQ(restarts, 0);
}

}  // namespace
}  // namespace skyvane
