#include "core/publish/upload/answer_text.h"

#include <cstdio>
#include <vector>

namespace skyvane {
namespace {

constexpr std::string_view kCutMark = "[cut]";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of text[at..] that spells key in any mix of the forms a server
// may use for it; 0 when it does not.
std::size_t EncodedMatch(const std::string& text, std::size_t at, const std::string& key) {
  std::size_t p = at;
  for (const char k : key) {
    if (p < text.size() && text[p] == k) {
      ++p;
    } else if (p < text.size() && text[p] == '+' && k == ' ') {
      ++p;
    } else if (p + 2 < text.size() && text[p] == '%' && HexDigit(text[p + 1]) >= 0 &&
               HexDigit(text[p + 2]) >= 0 &&
               static_cast<char>(HexDigit(text[p + 1]) * 16 + HexDigit(text[p + 2])) == k) {
      p += 3;
    } else {
      return 0;
    }
  }
  return p - at;
}

// The length of the UTF-8 sequence at text[at..] that a terminal shows as a
// character (C1 controls are no such character); 0 when there is none.
std::size_t ShownSequence(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4                         ? 4
                                                                                    : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  if (lead == 0xC2 && byte(at + 1) < 0xA0) return 0;
  return length;
}

}  // namespace

std::string WithoutPassword(std::string text, const std::string& password) {
  if (password.empty()) return text;
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (const std::size_t n = EncodedMatch(text, at, password); n > 0) {
      out += "***";
      at += n;
    } else {
      out += text[at++];
    }
  }
  return out;
}

std::string LoggedAnswer(std::string_view answer, const std::string& key) {
  const std::string masked = WithoutPassword(std::string(answer), key);
  std::vector<std::string> pieces;  // one shown character each
  std::size_t length = 0;
  for (std::size_t at = 0; at < masked.size();) {
    const auto c = static_cast<unsigned char>(masked[at]);
    std::size_t taken = c >= 0x80 ? ShownSequence(masked, at) : 0;
    if (taken > 0) {
      pieces.push_back(masked.substr(at, taken));
    } else if (c == '\\') {
      pieces.emplace_back("\\\\");
    } else if (c >= 0x20 && c < 0x7F) {
      pieces.emplace_back(1, static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      pieces.emplace_back(hex);
    }
    at += taken > 0 ? taken : 1;
    length += pieces.back().size();
  }
  const std::size_t room = length <= kLoggedAnswerLength ? length : kLoggedAnswerLength - kCutMark.size();
  std::string out;
  for (const std::string& piece : pieces) {
    if (out.size() + piece.size() > room) break;
    out += piece;
  }
  return length <= kLoggedAnswerLength ? out : out + std::string(kCutMark);
}

}  // namespace skyvane
