#include "core/app/app_settings.h"

#include <array>
#include <system_error>

#include "core/app/ini_file.h"

namespace skyvane {
namespace {

// A string key whose empty value is replaced by its default.
std::string ReadNonEmpty(const IniFile& ini, const char* section, const char* key, std::string_view def,
                         std::size_t buffer) {
  std::string value = ini.GetString(section, key, def, buffer);
  return value.empty() ? std::string(def) : value;
}

struct AboutTexts {
  std::string version, copyright, description, softUpdate;
};

// Version and copyright fall back to their defaults when empty; an empty
// description or softupdate stays empty.
AboutTexts ReadAbout(const IniFile& ini) {
  AboutTexts about;
  about.version = ReadNonEmpty(ini, "about", "version", kDefaultAboutVersion, kAboutBuffer);
  about.copyright = ReadNonEmpty(ini, "about", "copyright", kDefaultAboutCopyright, kAboutBuffer);
  about.description = ini.GetString("about", "description", kDefaultAboutDescription, kAboutBuffer);
  about.softUpdate = ini.GetString("about", "softupdate", kDefaultAboutSoftUpdate, kAboutBuffer);
  return about;
}

}  // namespace

bool AppSettings::SearchOn() const { return SearchSwitchOn(searchData); }
bool AppSettings::TestOn() const { return TestSwitchOn(testFlag); }

int LanguageIndexOf(std::string_view language) {
  struct Prefix {
    std::string_view letters;
    int index;
  };
  // Checked in this order; the first match wins.
  static constexpr std::array<Prefix, 6> kPrefixes{{
      {"Eng", 0}, {"ENU", 0}, {"Ger", 1}, {"DEU", 1}, {"Dan", 2}, {"DAN", 2}}};
  if (language.size() < 3) return 0;
  for (const Prefix& p : kPrefixes) {
    if (EqualsIgnoringCase(language.substr(0, 3), p.letters)) return p.index;
  }
  return 0;
}

const char* LanguageNameOf(int languageIndex) {
  switch (languageIndex) {
    case 1: return "German";
    case 2: return "Danish";
    default: return "English";
  }
}

bool SearchSwitchOn(std::string_view searchData) {
  return !(EqualsIgnoringCase(searchData, "false") || searchData == "0");
}

bool TestSwitchOn(std::string_view testFlag) { return EqualsIgnoringCase(testFlag, "true") || testFlag == "1"; }

AppSettings LoadSettings(const std::filesystem::path& folder) {
  AppSettings s;
  IniFile ini(folder / kSettingsFileName);
  s.language = ReadNonEmpty(ini, "config", "language", kDefaultLanguage, kLanguageBuffer);
  s.languageIndex = LanguageIndexOf(s.language);
  s.usbVendorId = ini.GetUnsigned("communication", "UsbDeviceVid", kDefaultUsbVendorId);
  s.usbProductId = ini.GetUnsigned("communication", "UsbDevicePid", kDefaultUsbProductId);
  s.searchData = ReadNonEmpty(ini, "communication", "SearchData", kDefaultSearchData, kSwitchBuffer);
  s.testFlag = ReadNonEmpty(ini, "communication", "TestFlag", kDefaultTestFlag, kSwitchBuffer);

  std::error_code ec;
  std::filesystem::path migration = folder / kAboutMigrationFileName;
  AboutTexts about;
  if (std::filesystem::exists(migration, ec)) {
    about = ReadAbout(IniFile(migration));
    bool stored = ini.SetString("about", "version", about.version);
    stored = ini.SetString("about", "copyright", about.copyright) && stored;
    stored = ini.SetString("about", "description", about.description) && stored;
    stored = ini.SetString("about", "softupdate", about.softUpdate) && stored;
    // Keep the only copy of the texts until Skyvane.ini holds them.
    if (stored) std::filesystem::remove(migration, ec);
  } else {
    about = ReadAbout(ini);
  }
  s.aboutVersion = about.version;
  s.aboutCopyright = about.copyright;
  s.aboutDescription = about.description;
  s.aboutSoftUpdate = about.softUpdate;
  return s;
}

bool SaveLanguage(const std::filesystem::path& folder, int languageIndex, AppSettings& settings) {
  const char* name = LanguageNameOf(languageIndex);
  if (!IniFile(folder / kSettingsFileName).SetString("config", "language", name)) return false;
  settings.language = name;
  settings.languageIndex = LanguageIndexOf(name);
  return true;
}

}  // namespace skyvane
