#include "core/publish/http/listen_address.h"

#include <arpa/inet.h>

#include <charconv>

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

}  // namespace skyvane
