#pragma once
// The two ways out: an HTTP GET (libcurl) and an APRS-IS conversation over
// TCP, each bounded by a timeout so that a dead network never hangs.
#include <chrono>
#include <string>

namespace skyvane {

struct UploadAnswer {
  bool ok = false;
  std::string text;  // what the server said, or why nothing was said
};

// GETs url?query; ok when the server answers 200 with a body that does not
// say otherwise ("success" is what the protocol's servers answer).
UploadAnswer HttpGet(const std::string& url, const std::string& query, std::chrono::seconds timeout);

// Connects, sends the login line, waits for the server's "# logresp" line,
// sends the packet line, and closes.
UploadAnswer AprsSend(const std::string& host, int port, const std::string& login,
                      const std::string& packet, std::chrono::seconds timeout);

}  // namespace skyvane
