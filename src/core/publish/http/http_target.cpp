#include "core/publish/http/http_target.h"

namespace skyvane {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%XX" and '+' (a blank) decoded; false for a '%' without two hex digits.
bool Decode(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] != '%') {
      out += text[i];
    } else {
      const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
      const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
      if (low < 0) return false;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return true;
}

}  // namespace

bool ParseTarget(std::string_view raw, HttpTarget& target, std::string& error) {
  target = HttpTarget();
  const std::size_t mark = raw.find('?');
  const std::string_view path = raw.substr(0, mark);
  if (path.empty() || path.front() != '/' || path.find('%') != std::string_view::npos ||
      path.find("..") != std::string_view::npos || path.find('\\') != std::string_view::npos) {
    error = "no such path";
    return false;
  }
  target.path = std::string(path);
  if (mark == std::string_view::npos) return true;
  target.hasQuery = true;
  std::string_view query = raw.substr(mark + 1);
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    std::string name, value;
    if (!Decode(pair.substr(0, eq), name) ||
        (eq != std::string_view::npos && !Decode(pair.substr(eq + 1), value))) {
      error = "the query does not decode: a '%' must be followed by two hex digits";
      return false;
    }
    target.params.emplace_back(std::move(name), std::move(value));
  }
  return true;
}

}  // namespace skyvane
