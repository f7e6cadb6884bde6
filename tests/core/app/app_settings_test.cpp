#include "core/app/app_settings.h"

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using test::ReadFileBytes;
using test::ScratchFolder;
using test::WriteFileBytes;

class AppSettingsTest : public ::testing::Test {
 protected:
  AppSettings LoadWith(const std::string& ini) {
    WriteFileBytes(dir / "Skyvane.ini", ini);
    return LoadSettings(dir.path());
  }
  ScratchFolder dir;
};

TEST_F(AppSettingsTest, NoSettingsFileGivesEveryDefault) {
  AppSettings s = LoadSettings(dir.path());
  EXPECT_EQ(s.language, "English");
  EXPECT_EQ(s.languageIndex, 0);
  EXPECT_EQ(s.usbVendorId, 6465u);
  EXPECT_EQ(s.usbProductId, 32801u);
  EXPECT_EQ(s.searchData, "true");
  EXPECT_EQ(s.testFlag, "false");
  EXPECT_TRUE(s.SearchOn());
  EXPECT_FALSE(s.TestOn());
  EXPECT_EQ(s.aboutVersion, "Skyvane Version 1.0");
  EXPECT_EQ(s.aboutCopyright, kDefaultAboutCopyright);
  EXPECT_EQ(s.aboutDescription, "Software Update:");
  EXPECT_EQ(s.aboutSoftUpdate, kDefaultAboutSoftUpdate);
  EXPECT_LE(std::string(kDefaultAboutCopyright).size(), 49u);
  EXPECT_LE(std::string(kDefaultAboutSoftUpdate).size(), 49u);
  // The installed README, not a made-up web address.
  const std::string readme = kDefaultAboutSoftUpdate;
  EXPECT_EQ(readme.rfind("file:///", 0), 0u);
  EXPECT_EQ(readme.substr(readme.size() - 10), "/README.md");
  // Reading never creates the file.
  EXPECT_FALSE(std::filesystem::exists(dir / "Skyvane.ini"));
}

TEST_F(AppSettingsTest, KeysAreReadFromTheirSections) {
  AppSettings s = LoadWith(
      "[config]\nlanguage=Dansk\n[communication]\nUsbDeviceVid=1234\nUsbDevicePid=0x8021\n"
      "SearchData=FALSE\nTestFlag=TRUE\n[about]\nversion=V9\ncopyright=(C) us\ndescription=\nsoftupdate=\n");
  EXPECT_EQ(s.language, "Dansk");
  EXPECT_EQ(s.languageIndex, 2);
  EXPECT_EQ(s.usbVendorId, 1234u);
  EXPECT_EQ(s.usbProductId, 0u);  // leading digits only: "0"
  EXPECT_FALSE(s.SearchOn());
  EXPECT_TRUE(s.TestOn());
  EXPECT_EQ(s.aboutVersion, "V9");
  EXPECT_EQ(s.aboutCopyright, "(C) us");
  EXPECT_EQ(s.aboutDescription, "");
  EXPECT_EQ(s.aboutSoftUpdate, "");
}

TEST_F(AppSettingsTest, EmptyValuesFallBackWhereTheKeyDemands) {
  AppSettings s = LoadWith(
      "[config]\nlanguage=\n[communication]\nUsbDeviceVid=abc\nSearchData=\nTestFlag=\n"
      "[about]\nversion=\ncopyright=\n");
  EXPECT_EQ(s.language, "English");
  EXPECT_EQ(s.languageIndex, 0);
  EXPECT_EQ(s.usbVendorId, 0u);  // present but not a number: 0, not the default
  EXPECT_EQ(s.searchData, "true");
  EXPECT_EQ(s.testFlag, "false");
  EXPECT_EQ(s.aboutVersion, "Skyvane Version 1.0");
  EXPECT_EQ(s.aboutCopyright, kDefaultAboutCopyright);
}

TEST_F(AppSettingsTest, LongValuesAreCutToTheirBuffers) {
  AppSettings s = LoadWith(
      "[config]\nlanguage=German language with a long name\n[communication]\nTestFlag=truetruetrue\n"
      "[about]\nversion=" + std::string(60, 'v') + "\n");
  EXPECT_EQ(s.language, "German language wit");  // 19 characters
  EXPECT_EQ(s.languageIndex, 1);
  EXPECT_EQ(s.testFlag, "truetruet");  // 9 characters: not "true", so test mode stays off
  EXPECT_FALSE(s.TestOn());
  EXPECT_EQ(s.aboutVersion, std::string(49, 'v'));
}

TEST(LanguageIndexOf, ComparesTheFirstThreeLettersInOrder) {
  for (const char* name : {"English", "english", "ENGLISH UK", "Enu", "ENU", "French", "", "En", "De", "DA", "Da"}) {
    EXPECT_EQ(LanguageIndexOf(name), 0) << name;
  }
  for (const char* name : {"German", "Ger", "germany", "Deutsch", "deutsch", "DEU"}) {
    EXPECT_EQ(LanguageIndexOf(name), 1) << name;
  }
  for (const char* name : {"Danish", "dan", "Dansk", "DAN"}) {
    EXPECT_EQ(LanguageIndexOf(name), 2) << name;
  }
}

TEST(Switches, SearchIsOptOutAndTestIsOptIn) {
  for (const char* text : {"TRUE", "true", "True", "1"}) EXPECT_TRUE(TestSwitchOn(text)) << text;
  for (const char* text : {"yes", "on", "", "0", " 1", "01", "1 ", "true ", "false"}) {
    EXPECT_FALSE(TestSwitchOn(text)) << '"' << text << '"';
  }
  for (const char* text : {"FALSE", "false", "fAlSe", "0"}) EXPECT_FALSE(SearchSwitchOn(text)) << text;
  for (const char* text : {"no", "off", "", "00", " 0", "false ", "true"}) {
    EXPECT_TRUE(SearchSwitchOn(text)) << '"' << text << '"';
  }
}

TEST_F(AppSettingsTest, MigrationWithOnlyAVersionLine) {
  WriteFileBytes(dir / "Skyvane.ini", "[config]\nlanguage=German\n");
  WriteFileBytes(dir / "AboutWeather.ini", "[about]\nversion=Weather 2.5\n");
  AppSettings s = LoadSettings(dir.path());
  EXPECT_EQ(s.aboutVersion, "Weather 2.5");
  EXPECT_EQ(s.aboutCopyright, kDefaultAboutCopyright);
  EXPECT_FALSE(std::filesystem::exists(dir / "AboutWeather.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "Skyvane.ini"),
            std::string("[config]\nlanguage=German\n\n[about]\nversion=Weather 2.5\ncopyright=") +
                kDefaultAboutCopyright + "\ndescription=Software Update:\nsoftupdate=" + kDefaultAboutSoftUpdate +
                "\n");
  // The next start reads the texts from Skyvane.ini.
  AppSettings again = LoadSettings(dir.path());
  EXPECT_EQ(again.aboutVersion, "Weather 2.5");
  EXPECT_EQ(again.aboutSoftUpdate, kDefaultAboutSoftUpdate);
  EXPECT_EQ(again.languageIndex, 1);
}

TEST_F(AppSettingsTest, MigrationCopiesAnEmptySoftUpdateAndReplacesOldTexts) {
  WriteFileBytes(dir / "Skyvane.ini", "[about]\nsoftupdate=https://old.example\nversion=Old\n");
  WriteFileBytes(dir / "AboutWeather.ini", "[About]\nSoftUpdate=\nDescription=\n");
  AppSettings s = LoadSettings(dir.path());
  EXPECT_EQ(s.aboutSoftUpdate, "");
  EXPECT_EQ(s.aboutDescription, "");
  EXPECT_EQ(s.aboutVersion, "Skyvane Version 1.0");
  AppSettings again = LoadSettings(dir.path());
  EXPECT_EQ(again.aboutSoftUpdate, "");
  EXPECT_EQ(again.aboutDescription, "");
  EXPECT_EQ(again.aboutVersion, "Skyvane Version 1.0");
}

TEST_F(AppSettingsTest, MigrationKeepsItsFileWhenSettingsCannotBeWritten) {
  std::filesystem::create_directory(dir / "Skyvane.ini");  // cannot be read or replaced
  WriteFileBytes(dir / "AboutWeather.ini", "[about]\nversion=Only copy\n");
  AppSettings s = LoadSettings(dir.path());
  EXPECT_EQ(s.aboutVersion, "Only copy");
  EXPECT_EQ(s.language, "English");
  EXPECT_EQ(ReadFileBytes(dir / "AboutWeather.ini"), "[about]\nversion=Only copy\n");
}

TEST_F(AppSettingsTest, SaveLanguageWritesOnlyTheLanguageKey) {
  WriteFileBytes(dir / "Skyvane.ini", "[communication]\r\nTestFlag=1\r\n[config]\r\nlanguage=English\r\n");
  AppSettings s = LoadSettings(dir.path());
  ASSERT_TRUE(SaveLanguage(dir.path(), 1, s));
  EXPECT_EQ(s.language, "German");
  EXPECT_EQ(s.languageIndex, 1);
  EXPECT_EQ(ReadFileBytes(dir / "Skyvane.ini"), "[communication]\r\nTestFlag=1\r\n[config]\r\nlanguage=German\r\n");
  EXPECT_EQ(LoadSettings(dir.path()).languageIndex, 1);
}

}  // namespace
}  // namespace skyvane
