#pragma once
// The ways out: an HTTP GET or POST (libcurl) and an APRS-IS conversation
// over TCP, each bounded by a timeout so that a dead network never hangs, and each
// given up at once when the stop signal is raised.
#include <chrono>
#include <string>
#include <vector>

#include "core/publish/upload/transfer_stop.h"

namespace skyvane {

struct UploadAnswer {
  bool ok = false;
  std::string text;  // what the server said, or why nothing was said
};

struct HttpExchangeResult {
  bool stopped = false;   // the stop signal ended it
  long status = 0;        // 0: no answer (error says why)
  std::string body;       // the answer's first 4096 bytes
  std::string error;
};

// GETs url, or POSTs body to it when post is set; headers are "Name: value"
// lines. Only http and https.
HttpExchangeResult HttpExchange(const std::string& url, const std::string* post,
                                const std::vector<std::string>& headers,
                                std::chrono::seconds timeout, const TransferStop& stop);

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
