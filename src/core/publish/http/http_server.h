#pragma once
// The read-only HTTP server of the logger: the dashboard page at "/", its
// script, style and chart library, and the API under /api (current, records,
// events, health). Nothing else is served and nothing is ever written: there
// is no file-system path behind any URL. Runs on threads of its own; a slow
// or hostile client costs at most one of a bounded number of them, for at
// most the read or write timeout.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "core/app/clock.h"
#include "core/publish/http/current_source.h"
#include "core/publish/http/data_file_reader.h"
#include "core/publish/http/listen_address.h"

namespace skyvane {

struct HttpServerLimits {
  int threads = 8;                 // requests served at once
  std::size_t queued = 32;         // connections waiting beyond those; more get 503
  std::size_t streams = 4;         // event streams open at once; more get 503
  std::chrono::seconds timeout{5};  // reading a request, writing a response, idle keep-alive
  std::chrono::milliseconds heartbeat{15000};  // a comment on an idle event stream
};

class HttpServer {
 public:
  HttpServer(CurrentSource& current, DataFileReader& data, const Clock& clock,
             HttpServerLimits limits = {});
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds the address and serves on a thread of its own. False with a one-line
  // reason when the address cannot be bound.
  bool Start(const ListenAddress& address, std::string& error);
  // The port served on (the one chosen for port 0); 0 before Start.
  int port() const;
  // Ends the event streams, stops serving and waits for the server's threads.
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace skyvane
