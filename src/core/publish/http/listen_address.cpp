#include "core/publish/http/listen_address.h"

#include <arpa/inet.h>

#include <charconv>
#include <strings.h>

namespace skyvane {

bool ParseListenAddress(std::string_view text, ListenAddress& out, std::string& error) {
  std::string_view host = "127.0.0.1";
  std::string_view port = text;
  if (!text.empty() && text.front() == '[') {
    const std::size_t close = text.find("]:");
    if (close == std::string_view::npos) {
      error = "'" + std::string(text) + "' is no address: write [IPv6]:PORT";
      return false;
    }
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (host.find(':') != std::string_view::npos) {
      error = "'" + std::string(text) + "' is no address: write an IPv6 address as [ADDR]:PORT";
      return false;
    }
  }
  int number = -1;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (port.empty() || ec != std::errc() || end != port.data() + port.size() || number < 0 ||
      number > 65535) {
    error = "'" + std::string(text) + "' is no address: the port must be a number from 0 to 65535";
    return false;
  }
  if (host.empty()) {
    error = "'" + std::string(text) + "' is no address: the host is missing";
    return false;
  }
  out.host = std::string(host);
  out.port = number;
  return true;
}

bool IsLoopbackHost(std::string_view host) {
  if (host == "localhost") return true;
  const std::string text(host);
  in_addr v4{};
  if (inet_pton(AF_INET, text.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  if (inet_pton(AF_INET6, text.c_str(), &v6) == 1) return IN6_IS_ADDR_LOOPBACK(&v6);
  return false;
}

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The host of a Host header without its port: "[::1]:80" gives "[::1]".
std::string_view HostPart(std::string_view header) {
  if (!header.empty() && header.front() == '[') {
    const std::size_t close = header.find(']');
    if (close == std::string_view::npos) return {};
    const std::string_view rest = header.substr(close + 1);
    return rest.empty() || rest.front() == ':' ? header.substr(0, close + 1) : std::string_view();
  }
  const std::size_t colon = header.find(':');
  return colon == std::string_view::npos ? header : header.substr(0, colon);
}

}  // namespace

bool HostAllowed(std::string_view hostHeader, const ListenAddress& listen,
                 const std::vector<std::string>& allowed) {
  const std::string_view host = HostPart(hostHeader);
  if (host.empty()) return false;
  const std::string listening =
      listen.host.find(':') != std::string::npos ? "[" + listen.host + "]" : listen.host;
  for (std::string_view name : {std::string_view("localhost"), std::string_view("127.0.0.1"),
                                std::string_view("[::1]"), std::string_view(listening)}) {
    if (SameName(host, name)) return true;
  }
  for (const std::string& name : allowed) {
    if (SameName(host, name)) return true;
  }
  return false;
}

std::vector<std::string> SplitHostList(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    std::string_view name = text.substr(0, comma);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return names;
}

}  // namespace skyvane
