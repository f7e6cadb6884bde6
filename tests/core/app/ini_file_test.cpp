#include "core/app/ini_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using test::ReadFileBytes;
using test::ScratchFolder;
using test::WriteFileBytes;

class IniFileTest : public ::testing::Test {
 protected:
  IniFile Ini(const std::string& contents) {
    WriteFileBytes(dir / "t.ini", contents);
    return IniFile(dir / "t.ini");
  }
  ScratchFolder dir;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGiveTheDefault) {
  IniFile missing(dir / "none.ini");
  EXPECT_EQ(missing.GetString("config", "language", "English", 20), "English");
  EXPECT_EQ(missing.GetUnsigned("communication", "UsbDeviceVid", 6465), 6465u);
  IniFile ini = Ini("[config]\nlanguage=German\n");
  EXPECT_EQ(ini.GetString("other", "language", "dflt", 20), "dflt");
  EXPECT_EQ(ini.GetString("config", "colour", "dflt", 20), "dflt");
  EXPECT_EQ(ini.GetUnsigned("config", "colour", 7), 7u);
  // Creating nothing by reading.
  EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));
}

TEST_F(IniFileTest, EmptyValueIsEmptyNotTheDefault) {
  IniFile ini = Ini("[about]\nsoftupdate=\ndescription=   \n");
  EXPECT_EQ(ini.GetString("about", "softupdate", "https://x", 50), "");
  EXPECT_EQ(ini.GetString("about", "description", "d", 50), "");
}

TEST_F(IniFileTest, NamesIgnoreLetterCaseAndBlanks) {
  IniFile ini = Ini("  [ CoMmUnIcAtIoN ]  \r\n  usbdevicevid =  1234 \r\nTESTFLAG\t=\tTrue\t\r\n");
  EXPECT_EQ(ini.GetUnsigned("communication", "UsbDeviceVid", 0), 1234u);
  EXPECT_EQ(ini.GetString("Communication", "TestFlag", "", 10), "True");
}

TEST_F(IniFileTest, ValuesAreCutToBufferSizeMinusOne) {
  IniFile ini = Ini("[a]\nk=0123456789ABCDEFGHIJKLMNOP\n");
  EXPECT_EQ(ini.GetString("a", "k", "", 20), "0123456789ABCDEFGHI");
  EXPECT_EQ(ini.GetString("a", "k", "", 10), "012345678");
  EXPECT_EQ(ini.GetString("a", "k", "", 1), "");
  EXPECT_EQ(ini.GetString("a", "k", "", 0), "");
  EXPECT_EQ(ini.GetString("a", "missing", "0123456789", 5), "0123");
}

TEST_F(IniFileTest, CutCountsCharactersAndNeverSplitsUtf8) {
  IniFile ini = Ini("[a]\nk=Gerät ß\n");
  EXPECT_EQ(ini.GetString("a", "k", "", 5), "Gerä");
  EXPECT_EQ(ini.GetString("a", "k", "", 6), "Gerät");
  EXPECT_EQ(CutToChars("æøå", 2), "æø");
}

TEST_F(IniFileTest, FirstMatchWinsAndQuotesAreRemoved) {
  IniFile ini = Ini("[s]\nk=first\nk=second\n[t]\nx=1\n[S]\nk=third\nq=\"quoted value\"\nr='x\"\n");
  EXPECT_EQ(ini.GetString("s", "k", "", 50), "first");
  EXPECT_EQ(ini.GetString("s", "q", "", 50), "quoted value");
  EXPECT_EQ(ini.GetString("s", "r", "", 50), "'x\"");
}

TEST_F(IniFileTest, IntegersReadTheirLeadingDigits) {
  IniFile ini = Ini("[c]\nabc=abc\nmix=42abc\nneg=-5\nplus=+7\nhex=0x1941\nhuge=99999999999999\nempty=\n");
  EXPECT_EQ(ini.GetUnsigned("c", "abc", 6465), 0u);
  EXPECT_EQ(ini.GetUnsigned("c", "mix", 1), 42u);
  EXPECT_EQ(ini.GetUnsigned("c", "neg", 1), 0u);
  EXPECT_EQ(ini.GetUnsigned("c", "plus", 1), 7u);
  EXPECT_EQ(ini.GetUnsigned("c", "hex", 1), 0u);
  EXPECT_EQ(ini.GetUnsigned("c", "huge", 1), UINT_MAX);
  EXPECT_EQ(ini.GetUnsigned("c", "empty", 6465), 6465u);
  EXPECT_EQ(LeadingUnsigned("  12 34"), 12u);
  EXPECT_EQ(LeadingUnsigned("4294967295"), 4294967295u);
  EXPECT_EQ(LeadingUnsigned("4294967296"), UINT_MAX);
}

TEST_F(IniFileTest, BrokenFilesNeverCrashAndGiveDefaults) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  IniFile binary = Ini(garbage);
  EXPECT_EQ(binary.GetString("config", "language", "English", 20), "English");
  EXPECT_EQ(binary.GetUnsigned("communication", "UsbDeviceVid", 6465), 6465u);

  IniFile broken = Ini("just words\n[config\nlanguage=German\n[about]\nno equals sign\nversion=V 2\n=empty name\n");
  // Keys below an unterminated header belong to no section.
  EXPECT_EQ(broken.GetString("config", "language", "English", 20), "English");
  EXPECT_EQ(broken.GetString("about", "version", "", 50), "V 2");
  EXPECT_EQ(broken.GetString("about", "no equals sign", "d", 50), "d");

  IniFile nul = Ini(std::string("[a]\nk=ab\0cd\n", 12));
  EXPECT_EQ(nul.GetString("a", "k", "", 50), "ab");

  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(IniFile(dir / "folder.ini").GetString("a", "k", "d", 50), "d");
  EXPECT_FALSE(IniFile(dir / "folder.ini").SetString("a", "k", "v"));
}

TEST_F(IniFileTest, SectionNamesInFileOrderOnceEach) {
  IniFile ini = Ini("\xEF\xBB\xBF[mqtt]\n[ upload:home ]\n;[commented]\n[broken\n[MQTT]\n[upload:aprs]\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"mqtt", "upload:home", "upload:aprs"}));
  EXPECT_TRUE(IniFile(dir / "none.ini").SectionNames().empty());
}

TEST_F(IniFileTest, ByteOrderMarkAndCommentsAreNotNames) {
  IniFile ini = Ini("\xEF\xBB\xBF[config]\n;language=Danish\nlanguage=German\n");
  EXPECT_EQ(ini.GetString("config", "language", "", 20), "German");
  EXPECT_EQ(ini.GetString("config", ";language", "none", 20), "none");
}

TEST_F(IniFileTest, WritingAKeyKeepsEveryOtherByte) {
  const std::string before =
      "; Skyvane settings\r\n[config]\r\nlanguage = English   \r\n\r\n[communication]\r\n"
      "UsbDeviceVid=6465\r\n  odd line without equals\r\n[about]\r\nversion=V1";
  IniFile ini = Ini(before);
  ASSERT_TRUE(ini.SetString("CONFIG", "Language", "German"));
  EXPECT_EQ(ReadFileBytes(ini.Path()),
            "; Skyvane settings\r\n[config]\r\nlanguage = German\r\n\r\n[communication]\r\n"
            "UsbDeviceVid=6465\r\n  odd line without equals\r\n[about]\r\nversion=V1");
  EXPECT_EQ(ini.GetString("config", "language", "", 20), "German");
}

TEST_F(IniFileTest, WritingAddsKeyToItsSectionWithTheFilesLineEnds) {
  IniFile ini = Ini("[about]\r\nversion=V1\r\n; note\r\n\r\n[config]\r\nlanguage=Danish");
  ASSERT_TRUE(ini.SetString("about", "copyright", "(C) me"));
  EXPECT_EQ(ReadFileBytes(ini.Path()),
            "[about]\r\nversion=V1\r\ncopyright=(C) me\r\n; note\r\n\r\n[config]\r\nlanguage=Danish");
  ASSERT_TRUE(ini.SetString("config", "extra", ""));
  EXPECT_EQ(ReadFileBytes(ini.Path()),
            "[about]\r\nversion=V1\r\ncopyright=(C) me\r\n; note\r\n\r\n[config]\r\nlanguage=Danish\r\nextra=\r\n");
  EXPECT_EQ(ini.GetString("config", "extra", "d", 10), "");
}

TEST_F(IniFileTest, WritingCreatesFileAndSection) {
  IniFile ini(dir / "new.ini");
  ASSERT_TRUE(ini.SetString("config", "language", "Danish"));
  EXPECT_EQ(ReadFileBytes(ini.Path()), "[config]\nlanguage=Danish\n");
  ASSERT_TRUE(ini.SetString("about", "version", "V"));
  EXPECT_EQ(ReadFileBytes(ini.Path()), "[config]\nlanguage=Danish\n\n[about]\nversion=V\n");
  EXPECT_EQ(ini.GetString("about", "version", "", 50), "V");
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(IniFileTest, WritingBelowABrokenHeaderStartsAProperSection) {
  IniFile ini = Ini("[config\nlanguage=German");
  ASSERT_TRUE(ini.SetString("config", "language", "Danish"));
  EXPECT_EQ(ReadFileBytes(ini.Path()), "[config\nlanguage=German\n\n[config]\nlanguage=Danish\n");
  EXPECT_EQ(ini.GetString("config", "language", "", 20), "Danish");
}

TEST_F(IniFileTest, WritesThatWouldBreakTheFileAreRefused) {
  const std::string before = "[a]\nk=v\n";
  IniFile ini = Ini(before);
  EXPECT_FALSE(ini.SetString("a", "k", "two\nlines"));
  EXPECT_FALSE(ini.SetString("a", "k=x", "v"));
  EXPECT_FALSE(ini.SetString("a]", "k", "v"));
  EXPECT_FALSE(ini.SetString("", "k", "v"));
  EXPECT_FALSE(ini.SetString("a", " k", "v"));
  EXPECT_EQ(ReadFileBytes(ini.Path()), before);
}

TEST_F(IniFileTest, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(IniFile(dir / "missing" / "t.ini").SetString("a", "k", "v"));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  WriteFileBytes(dir / "plain", "[a]\nk=v\n");
  EXPECT_FALSE(IniFile(dir / "plain" / "t.ini").SetString("a", "k", "v"));
  EXPECT_EQ(ReadFileBytes(dir / "plain"), "[a]\nk=v\n");
}

TEST_F(IniFileTest, WritingThroughASymlinkKeepsTheLink) {
  WriteFileBytes(dir / "real.ini", "[a]\nk=v\n");
  std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
  ASSERT_TRUE(IniFile(dir / "link.ini").SetString("a", "k", "w"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "real.ini"), "[a]\nk=w\n");
}

}  // namespace
}  // namespace skyvane
