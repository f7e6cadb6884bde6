#include "core/publish/http/http_target.h"

#include "core/app/url_text.h"

namespace skyvane {

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
    if (!UrlDecoded(pair.substr(0, eq), name) ||
        (eq != std::string_view::npos && !UrlDecoded(pair.substr(eq + 1), value))) {
      error = "the query does not decode: a '%' must be followed by two hex digits";
      return false;
    }
    target.params.emplace_back(std::move(name), std::move(value));
  }
  return true;
}

}  // namespace skyvane
