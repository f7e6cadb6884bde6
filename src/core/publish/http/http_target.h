#pragma once
// The target of a request as the client sent it ("/api/records?from=..."):
// its path, matched as it is, and its query parameters decoded.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skyvane {

struct HttpTarget {
  std::string path;
  bool hasQuery = false;  // a '?' was there, even with nothing after it
  std::vector<std::pair<std::string, std::string>> params;  // in the order given
};

// False with a one-line reason for a path with encoded or relative pieces
// (no path behind a URL is ever decoded) or a query that does not decode.
bool ParseTarget(std::string_view raw, HttpTarget& target, std::string& error);

}  // namespace skyvane
