#include "core/app/text_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace skyvane {
namespace {

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 9;
    if (extra == 9 || i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

TEST(TextEntries, HoldAllEntriesInOrderWithThreeUtf8Texts) {
  auto entries = TextEntries();
  ASSERT_EQ(entries.size(), 177u);  // 171, the polling programs' messages and the desktop's station hint
  EXPECT_EQ(kTextEntryCount, 177u);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(entries[i].id), i);
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      std::string_view text = entries[i].text[static_cast<std::size_t>(lang)];
      EXPECT_FALSE(text.empty()) << "entry " << i << " language " << lang;
      EXPECT_TRUE(ValidUtf8(text)) << "entry " << i << " language " << lang;
    }
  }
  // First and last of each group sit where they belong.
  EXPECT_EQ(TextIn(Txt::ResetMinMaxDataFail, 0), "Reset min/max data fail!");
  EXPECT_EQ(TextIn(Txt::AskSave, 2), "Do you want gem?");
  EXPECT_EQ(TextIn(Txt::MainWindowTitle, 1), "Skyvane - Funk-Wetter-Station");
  EXPECT_EQ(TextIn(Txt::Weather, 2), "Vejr");
  EXPECT_EQ(TextIn(Txt::ChartBar3D, 1), "Balken3D");
  EXPECT_EQ(TextIn(Txt::AboutSkyvane, 2), "Om Skyvane");
  EXPECT_EQ(TextIn(Txt::Inch, 0), "inch");
  EXPECT_EQ(TextIn(Txt::Wireless, 0), "Wireless");
}

TEST(TextEntries, OnlyTwoEnglishTextsNameTwoEntriesAndGermanTellsThemApart) {
  std::map<std::string_view, int> count;
  for (const LocalizedText& e : TextEntries()) ++count[e.text[0]];
  std::map<std::string_view, int> shared;
  for (auto [text, n] : count) {
    if (n > 1) shared[text] = n;
  }
  EXPECT_EQ(shared, (std::map<std::string_view, int>{{"Language", 2}, {"Operation Notify", 2}}));

  EXPECT_EQ(TextIn(Txt::OperationNotify, 1), "Bestätigung");
  EXPECT_EQ(TextIn(Txt::OperationNotifyLanguage, 1), "Änderung speichern");
  EXPECT_EQ(TextIn(Txt::OperationNotify, 2), TextIn(Txt::OperationNotifyLanguage, 2));
  EXPECT_EQ(TextIn(Txt::OperationNotify, 2), "Betjening Bemårke");
  EXPECT_EQ(TextIn(Txt::LanguageTitle, 1), "Sprache auswählen");
  EXPECT_EQ(TextIn(Txt::LanguageLabel, 1), "Sprache");
  EXPECT_EQ(TextIn(Txt::LanguageLabel, 2), "Sprog");
}

TEST(TextEntries, ExactTextsWithUmlautsQuotesAndBlanks) {
  EXPECT_EQ(TextIn(Txt::CantCommunicateWithDevice, 1), "Can't communicate with Ger\xC3\xA4t!");
  EXPECT_EQ(TextIn(Txt::DeviceIsBusy, 2), "The enhed is busy! Please wait for a while.");
  EXPECT_EQ(TextIn(Txt::InitSetupDataFail, 2), "Init vejr ops?tning data fejl!");
  EXPECT_EQ(TextIn(Txt::AskInitSetup, 2), "Do you want init ops?tning?");
  EXPECT_EQ(TextIn(Txt::AskResetMinMax, 2), "Vil Du nulstille minimum og maximum værdierne?");
  EXPECT_EQ(TextIn(Txt::AskClearDeviceMemory, 1), "Wollen Sie den Speicher der Wetter Station leeren");
  EXPECT_EQ(TextIn(Txt::AskClearPcData, 1), "Wollen Sie die Daten auf dem PC löschen?");
  EXPECT_EQ(TextIn(Txt::NeedAdministratorPrivilege, 1),
            "You need administrator privilege to run this program for the first time!");
  EXPECT_EQ(TextIn(Txt::AskDeleteSelectedItems, 2), "Do you want to delete selected items?");
  EXPECT_EQ(TextIn(Txt::Gust, 1), "Windb\xC3\xB6\"");
  EXPECT_EQ(TextIn(Txt::OutdoorTemperature, 1), "au\xC3\x9F" "en Temperatur");
  EXPECT_EQ(TextIn(Txt::MonthRainfall, 2), "Måned Nedbør");
  EXPECT_EQ(TextIn(Txt::ChartHorizBar, 2), "Vandret Søjle");
  EXPECT_EQ(TextIn(Txt::DataSource, 0), "data source ");
  EXPECT_EQ(TextIn(Txt::Communicate, 0), "Comminucate");
  EXPECT_EQ(TextIn(Txt::ReadLower, 0), "read");
  EXPECT_EQ(TextIn(Txt::Read, 0), "Read");
  EXPECT_EQ(TextIn(Txt::HistoryLower, 0), "history");
  EXPECT_EQ(TextIn(Txt::ScopeLower, 0), "scope");
}

TEST(TextEntries, FormatsAreTheSameInEveryLanguage) {
  for (Txt entry : {Txt::ChartDateTimeFormat, Txt::TimestampFormat, Txt::DatePickerFormat}) {
    EXPECT_EQ(TextIn(entry, 1), TextIn(entry, 0));
    EXPECT_EQ(TextIn(entry, 2), TextIn(entry, 0));
  }
  EXPECT_EQ(TextIn(Txt::ChartDateTimeFormat, 0), "dd-mm-yyyy hh:nn:ss");
  EXPECT_EQ(TextIn(Txt::TimestampFormat, 0), "%d-%m-%Y %H:%M");
  EXPECT_EQ(TextIn(Txt::DatePickerFormat, 0), "dd-MM-yyy");
}

TEST(TextEntries, LanguageNamesTranslateExceptDanish) {
  for (int lang = 0; lang < 3; ++lang) EXPECT_EQ(TextIn(Txt::Danish, lang), "Danish");
  EXPECT_EQ(TextIn(Txt::English, 1), "Englisch");
  EXPECT_EQ(TextIn(Txt::German, 1), "Deutsch");
  EXPECT_EQ(TextIn(Txt::English, 2), "Engelsk");
  EXPECT_EQ(TextIn(Txt::German, 2), "Tysk");
}

TEST(TextEntries, FurtherEntriesHaveTheirOwnGermanAndDanish) {
  int translated = 0;
  for (auto i = static_cast<std::size_t>(Txt::Inch); i < kTextEntryCount; ++i) {
    const LocalizedText& e = TextEntries()[i];
    if (e.text[1] != e.text[0] && e.text[2] != e.text[0]) ++translated;
  }
  // Words like "mm", "OK", "System" and "Version" are the same in all three.
  EXPECT_GE(translated, 70);
  EXPECT_EQ(TextIn(Txt::Device, 1), "Gerät");
  EXPECT_EQ(TextIn(Txt::Device, 2), "Enhed");
  EXPECT_EQ(TextIn(Txt::DataSource, 1).back(), ' ');
}

TEST(TextTable, TextFollowsTheLanguageIndexAtEachCall) {
  TextTable table(1);
  EXPECT_EQ(table.Text(Txt::CantCommunicateWithDevice), "Can't communicate with Gerät!");
  EXPECT_EQ(table.Text(Txt::OperationNotifyLanguage), "Änderung speichern");
  table.SetLanguageIndex(2);
  EXPECT_EQ(table.Text(Txt::CantCommunicateWithDevice), "Can't communicate with enhed!");
  EXPECT_EQ(table.TextIn(Txt::Save, 1), "Speichern");
  EXPECT_EQ(table.LayoutFor(LayoutWindow::MainMenu), 298);
  table.SetLanguageIndex(0);
  EXPECT_EQ(table.Text(Txt::Cancel), "Cancel");
  EXPECT_EQ(table.LayoutFor(LayoutWindow::SetupDialog), 289);
}

TEST(TextTable, IndexOutsideTheThreeLanguagesGivesEnglish) {
  TextTable table(7);
  EXPECT_EQ(table.LanguageIndex(), 0);
  table.SetLanguageIndex(-1);
  EXPECT_EQ(table.Text(Txt::Cancel), "Cancel");
  EXPECT_EQ(TextIn(Txt::Cancel, 3), "Cancel");
  EXPECT_EQ(TextIn(static_cast<Txt>(200), 0), "");
}

TEST(LayoutIds, EachWindowHasItsThreeLanguageVariants) {
  EXPECT_EQ(LayoutIdIn(LayoutWindow::MainMenu, 1), 131);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::MainForm, 2), 294);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::SetupDialog, 1), 298);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::AlarmDialog, 2), 315);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::MaxMinDialog, 1), 318);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::HistoryWindow, 0), 291);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::GraphWindow, 2), 311);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::ExportDialog, 1), 306);
  EXPECT_EQ(LayoutIdIn(LayoutWindow::ExportDialog, 5), 207);
}

}  // namespace
}  // namespace skyvane
