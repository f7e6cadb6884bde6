#pragma once
// Where the HTTP server listens: "PORT" (loopback), "HOST:PORT" or
// "[IPv6]:PORT", as given on the command line or in Skyvane.ini.
#include <string>
#include <string_view>

namespace skyvane {

struct ListenAddress {
  std::string host = "127.0.0.1";
  int port = 0;  // 0: any free port
};

// False with a one-line reason when the text names no address.
bool ParseListenAddress(std::string_view text, ListenAddress& out, std::string& error);

// True for addresses only this machine can reach (127.0.0.0/8, ::1, "localhost").
bool IsLoopbackHost(std::string_view host);

}  // namespace skyvane
