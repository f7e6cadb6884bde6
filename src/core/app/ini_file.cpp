#include "core/app/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "core/app/posix_file.h"

namespace skyvane {
namespace {

enum class LineKind { Blank, Comment, Section, BrokenSection, Key, Other };

struct IniLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed
  std::size_t begin = 0;       // offset of the line's first byte
  std::size_t contentEnd = 0;  // offset just past the content (before "\r\n" or "\n")
  std::size_t valueBegin = 0;  // offset where a rewritten value starts (after '=' and blanks)
  std::size_t next = 0;        // offset of the following line
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<IniLine> SplitLines(std::string_view text) {
  std::vector<IniLine> lines;
  std::size_t pos = 0;
  // A byte-order mark (as some editors write) belongs to no name.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  while (pos < text.size()) {
    IniLine line;
    line.begin = pos;
    std::size_t nl = text.find('\n', pos);
    line.next = (nl == std::string_view::npos) ? text.size() : nl + 1;
    line.contentEnd = (nl == std::string_view::npos) ? text.size() : nl;
    if (line.contentEnd > pos && text[line.contentEnd - 1] == '\r') --line.contentEnd;
    std::string_view content = text.substr(pos, line.contentEnd - pos);
    std::string_view trimmed = Trim(content);
    if (trimmed.empty()) {
      line.kind = LineKind::Blank;
    } else if (trimmed.front() == ';' || trimmed.front() == '#') {
      line.kind = LineKind::Comment;
    } else if (trimmed.front() == '[') {
      std::size_t close = trimmed.find(']');
      if (close == std::string_view::npos) {
        line.kind = LineKind::BrokenSection;
      } else {
        line.kind = LineKind::Section;
        line.name = Trim(trimmed.substr(1, close - 1));
      }
    } else if (std::size_t eq = content.find('='); eq != std::string_view::npos) {
      line.kind = LineKind::Key;
      line.name = Trim(content.substr(0, eq));
      std::size_t v = eq + 1;
      while (v < content.size() && IsBlank(content[v])) ++v;
      line.valueBegin = pos + v;
      line.value = Trim(content.substr(eq + 1));
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

// Index of the first key line section/key, or -1.
int FindKey(const std::vector<IniLine>& lines, std::string_view section, std::string_view key) {
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const IniLine& line = lines[i];
    if (line.kind == LineKind::Section) {
      inSection = EqualsIgnoringCase(line.name, section);
    } else if (line.kind == LineKind::BrokenSection) {
      // Keys below a header we cannot read belong to no section we know.
      inSection = false;
    } else if (inSection && line.kind == LineKind::Key && EqualsIgnoringCase(line.name, key)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

enum class ReadResult { Ok, Missing, Unusable };

ReadResult ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  text.clear();
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return ReadResult::Missing;
  if (!std::filesystem::is_regular_file(status)) return ReadResult::Unusable;
  auto size = std::filesystem::file_size(path, ec);
  if (ec || size > IniFile::kMaxFileSize) return ReadResult::Unusable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadResult::Unusable;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return ReadResult::Unusable;
  return ReadResult::Ok;
}

// The stored value of section/key, or nothing when the file, section or key is missing.
std::optional<std::string> LookUp(const std::filesystem::path& path, std::string_view section,
                                  std::string_view key) {
  std::string text;
  if (ReadWholeFile(path, text) != ReadResult::Ok) return std::nullopt;
  std::vector<IniLine> lines = SplitLines(text);
  int index = FindKey(lines, section, key);
  if (index < 0) return std::nullopt;
  std::string_view value = lines[static_cast<std::size_t>(index)].value;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  // Values are C strings to every reader of this file format.
  value = value.substr(0, value.find('\0'));
  return std::string(value);
}

bool StorableName(std::string_view name, std::string_view forbidden) {
  if (Trim(name).empty() || Trim(name).size() != name.size()) return false;
  return name.find_first_of(forbidden) == std::string_view::npos;
}

std::string_view LineEndOf(std::string_view text) {
  std::size_t nl = text.find('\n');
  if (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r') return "\r\n";
  return "\n";
}

}  // namespace

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  std::string text;
  if (ReadWholeFile(path_, text) != ReadResult::Ok) return names;
  for (const IniLine& line : SplitLines(text)) {
    if (line.kind != LineKind::Section) continue;
    bool known = false;
    for (const std::string& name : names) known = known || EqualsIgnoringCase(name, line.name);
    if (!known) names.emplace_back(line.name);
  }
  return names;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

unsigned LeadingUnsigned(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  unsigned long long result = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    result = result * 10 + static_cast<unsigned>(text[i] - '0');
    if (result > UINT_MAX) return UINT_MAX;
  }
  return static_cast<unsigned>(result);
}

std::string CutToChars(std::string_view text, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation) {
      if (chars == maxChars) return std::string(text.substr(0, i));
      ++chars;
    }
  }
  return std::string(text);
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::size_t bufferSize) const {
  std::size_t maxChars = bufferSize == 0 ? 0 : bufferSize - 1;
  std::optional<std::string> value = LookUp(path_, section, key);
  return CutToChars(value ? std::string_view(*value) : defaultValue, maxChars);
}

unsigned IniFile::GetUnsigned(std::string_view section, std::string_view key, unsigned defaultValue) const {
  std::optional<std::string> value = LookUp(path_, section, key);
  if (!value || value->empty()) return defaultValue;
  return LeadingUnsigned(*value);
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) const {
  if (!StorableName(section, std::string_view("]\r\n\0", 4)) || !StorableName(key, std::string_view("=[;#\r\n\0", 7)) ||
      value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
    return false;
  }
  // Write through a symbolic link to the file it names.
  std::error_code ec;
  std::filesystem::path target = path_;
  if (std::filesystem::is_symlink(path_, ec)) {
    target = std::filesystem::canonical(path_, ec);
    if (ec) return false;
  }
  std::string text;
  ReadResult read = ReadWholeFile(target, text);
  if (read == ReadResult::Unusable) return false;
  mode_t mode = 0644;
  if (read == ReadResult::Ok) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;
  }

  std::vector<IniLine> lines = SplitLines(text);
  std::string_view eol = LineEndOf(text);
  std::string entry = std::string(key) + "=" + std::string(value);
  std::string updated;
  int index = FindKey(lines, section, key);
  if (index >= 0) {
    const IniLine& line = lines[static_cast<std::size_t>(index)];
    updated = text.substr(0, line.valueBegin) + std::string(value) + text.substr(line.contentEnd);
  } else {
    // Add the key after the last key of the first section of that name.
    std::optional<std::size_t> insertAt;
    bool inSection = false;
    for (const IniLine& line : lines) {
      if (line.kind == LineKind::Section || line.kind == LineKind::BrokenSection) {
        if (insertAt) break;
        inSection = line.kind == LineKind::Section && EqualsIgnoringCase(line.name, section);
        if (inSection) insertAt = line.next;
      } else if (inSection && line.kind == LineKind::Key) {
        insertAt = line.next;
      }
    }
    if (insertAt) {
      std::string before = text.substr(0, *insertAt);
      if (!before.empty() && before.back() != '\n') before += eol;
      updated = before + entry + std::string(eol) + text.substr(*insertAt);
    } else {
      updated = text;
      if (!lines.empty()) {
        if (updated.back() != '\n') updated += eol;
        if (lines.back().kind != LineKind::Blank) updated += eol;  // a blank line between sections
      }
      updated += "[" + std::string(section) + "]" + std::string(eol) + entry + std::string(eol);
    }
  }
  return ReplaceFileAtomically(target.string(), updated, mode).ok();
}

}  // namespace skyvane
