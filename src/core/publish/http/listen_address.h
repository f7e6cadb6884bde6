#pragma once
// Where the HTTP server listens: "PORT" (loopback), "HOST:PORT" or
// "[IPv6]:PORT", as given on the command line or in Skyvane.ini.
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

struct ListenAddress {
  std::string host = "127.0.0.1";
  int port = 0;  // 0: any free port
};

// False with a one-line reason when the text names no address.
bool ParseListenAddress(std::string_view text, ListenAddress& out, std::string& error);

// True for addresses only this machine can reach (127.0.0.0/8, ::1, "localhost").
bool IsLoopbackHost(std::string_view host);

// True when the Host header of a request names this server: localhost,
// 127.0.0.1, [::1], the listen address, or one of allowed (names or
// addresses, compared without regard to case), with or without a port. A page
// that reached the server through a name of its own (DNS rebinding) gets no
// data.
bool HostAllowed(std::string_view hostHeader, const ListenAddress& listen,
                 const std::vector<std::string>& allowed);

// The names of a comma-separated list ("weather.lan, 192.168.1.20"), blanks
// around each dropped, empty ones left out.
std::vector<std::string> SplitHostList(std::string_view text);

}  // namespace skyvane
