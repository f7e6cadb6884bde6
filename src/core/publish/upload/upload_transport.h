#pragma once
// The two ways out: an HTTP GET (libcurl) and an APRS-IS conversation over
// TCP, each bounded by a timeout so that a dead network never hangs, and each
// given up at once when the stop signal is raised.
#include <chrono>
#include <string>

#include "core/publish/upload/transfer_stop.h"

namespace skyvane {

struct UploadAnswer {
  bool ok = false;
  std::string text;  // what the server said, or why nothing was said
};

// GETs url?query; ok when the server answers 200 with a body that does not
// say otherwise ("success" is what the protocol's servers answer).
UploadAnswer HttpGet(const std::string& url, const std::string& query, std::chrono::seconds timeout,
                     const TransferStop& stop);

struct AprsExchange {
  std::string host;  // a name or an address (IPv4 or IPv6, without brackets)
  int port = 0;
  std::string login;
  std::string packet;
  // A login the server must verify (it drops an unverified login's packets).
  bool needsVerification = false;
};

// Connects, sends the login line, waits for the server's "# logresp" line,
// sends the packet line (unless the login needed verification and the server
// answered "unverified"), and closes.
UploadAnswer AprsSend(const AprsExchange& exchange, std::chrono::seconds timeout, const TransferStop& stop);

// host:port, an IPv6 address in brackets.
std::string HostAndPort(const std::string& host, int port);

}  // namespace skyvane
