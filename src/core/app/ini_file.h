#pragma once
// IniFile: a Windows-style INI file read and written with the private-profile
// rules, so that configuration files move freely between Windows and Linux.
//
// Reading:
//  - a missing file, section or key yields the default;
//  - section and key names compare without regard to ASCII letter case;
//  - names and values are trimmed of blanks and tabs; one pair of matching
//    quotes ('...' or "...") around a value is removed;
//  - the first matching key wins (sections of the same name are searched in
//    file order);
//  - a string is cut to bufferSize - 1 characters (UTF-8 sequences are never
//    split), the default included;
//  - lines without '=', comment lines (';' or '#') and keys below a broken
//    section header (no closing ']') are never matched.
// Writing one key rewrites only that key's line (or adds one line, and the
// section header when the section is missing); every other byte of the file
// stays as it was. The file is replaced atomically, so a failed write leaves
// the old file intact.
// Each call reads the file afresh; nothing is cached.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

// True when the texts are equal but for the case of ASCII letters (the rule
// for section and key names, and for the configuration's switch words).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

class IniFile {
 public:
  // Files larger than this are not configuration files: reads give defaults,
  // writes are refused.
  static constexpr std::uintmax_t kMaxFileSize = 1024 * 1024;

  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }

  // The value of section/key cut to bufferSize - 1 characters; a key present
  // with nothing after '=' gives the empty text, not the default.
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize) const;

  // The value read as its leading decimal digits (an optional '+' first):
  // "42abc" gives 42, "abc" and "-5" give 0, values beyond the range give the
  // largest unsigned value. A missing key or an empty value gives the default.
  unsigned GetUnsigned(std::string_view section, std::string_view key, unsigned defaultValue) const;

  // The names of the file's sections in file order, each once (the first
  // spelling of a name that comes again in another letter case).
  std::vector<std::string> SectionNames() const;

  // Sets section/key to value, creating the file and the section when needed.
  // False when the file cannot be read or written, or when a name or the value
  // could not be stored as one line (line breaks, '=' in a key, ']' in a section).
  bool SetString(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  std::filesystem::path path_;
};

// The leading-digits rule of GetUnsigned, for other readers of numeric texts.
unsigned LeadingUnsigned(std::string_view text);

// Cuts text to at most maxChars UTF-8 characters.
std::string CutToChars(std::string_view text, std::size_t maxChars);

}  // namespace skyvane
