#pragma once
// AppSettings: the configuration read once at start-up from Skyvane.ini in the
// program folder. Missing keys take their defaults silently.
#include <filesystem>
#include <string>
#include <string_view>

namespace skyvane {

// File names inside the program folder.
inline constexpr const char* kSettingsFileName = "Skyvane.ini";
inline constexpr const char* kAboutMigrationFileName = "AboutWeather.ini";

inline constexpr const char* kDefaultLanguage = "English";
inline constexpr unsigned kDefaultUsbVendorId = 6465;    // 0x1941
inline constexpr unsigned kDefaultUsbProductId = 32801;  // 0x8021
inline constexpr const char* kDefaultSearchData = "true";
inline constexpr const char* kDefaultTestFlag = "false";
inline constexpr const char* kDefaultAboutVersion = "Skyvane Version 1.0";
inline constexpr const char* kDefaultAboutCopyright = "Copyright (C) 2026 Skyvane developers";
inline constexpr const char* kDefaultAboutDescription = "Software Update:";
// The README an install ships; a build that names no documentation folder has no link.
#ifdef SKYVANE_README_URL
inline constexpr const char* kDefaultAboutSoftUpdate = SKYVANE_README_URL;
#else
inline constexpr const char* kDefaultAboutSoftUpdate = "";
#endif

// Buffer sizes of the string keys (characters including the terminator).
inline constexpr std::size_t kLanguageBuffer = 20;
inline constexpr std::size_t kSwitchBuffer = 10;
inline constexpr std::size_t kAboutBuffer = 50;

struct AppSettings {
  std::string language = kDefaultLanguage;  // config/language
  int languageIndex = 0;                    // 0 English, 1 German, 2 Danish
  unsigned usbVendorId = kDefaultUsbVendorId;    // communication/UsbDeviceVid
  unsigned usbProductId = kDefaultUsbProductId;  // communication/UsbDevicePid
  std::string searchData = kDefaultSearchData;   // communication/SearchData
  std::string testFlag = kDefaultTestFlag;       // communication/TestFlag
  std::string aboutVersion = kDefaultAboutVersion;          // about/version
  std::string aboutCopyright = kDefaultAboutCopyright;      // about/copyright
  std::string aboutDescription = kDefaultAboutDescription;  // about/description
  std::string aboutSoftUpdate = kDefaultAboutSoftUpdate;    // about/softupdate (empty: no link)

  // Searching for station data is opt-out, test mode opt-in.
  bool SearchOn() const;
  bool TestOn() const;
};

// 0, 1 or 2 from the first three letters of a language name, ignoring case:
// Eng/ENU → 0, Ger/DEU → 1, Dan → 2; anything else (or shorter) → 0.
int LanguageIndexOf(std::string_view language);

// The name stored in the configuration for a language index ("English", "German", "Danish").
const char* LanguageNameOf(int languageIndex);

// Off only for "false" in any letter case or exactly "0".
bool SearchSwitchOn(std::string_view searchData);
// On only for "true" in any letter case or exactly "1".
bool TestSwitchOn(std::string_view testFlag);

// Reads Skyvane.ini of the folder. When AboutWeather.ini exists there, the
// About texts come from it instead and are copied into Skyvane.ini; the file
// is deleted once all four texts were stored.
AppSettings LoadSettings(const std::filesystem::path& folder);

// Stores the chosen language in Skyvane.ini and in settings (the Language
// dialog does this just before restarting). False when the file could not be
// written; settings then stay unchanged.
bool SaveLanguage(const std::filesystem::path& folder, int languageIndex, AppSettings& settings);

}  // namespace skyvane
