#pragma once
// The read-only HTTP server of the logger: the dashboard page at "/", its
// script, style and chart library, the API under /api (current, records,
// events, health, summary, extremes, today) and the climate reports under
// /reports. Nothing else is served and nothing is ever written: there
// is no file-system path behind any URL. Runs on an event loop of its own
// (libmicrohttpd): an idle or slow client costs a socket, never a thread, and
// a request must arrive whole within a deadline. Answers only requests whose
// Host names this server, so that a web page cannot reach it through a name
// of its own (DNS rebinding).
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/app/clock.h"
#include "core/climate/climate_types.h"
#include "core/publish/http/current_source.h"
#include "core/publish/http/data_file_reader.h"
#include "core/publish/http/listen_address.h"

namespace skyvane {

struct HttpServerLimits {
  int threads = 2;                   // event loops
  unsigned connections = 512;        // open at once; more are refused at once
  unsigned perClient = 256;          // open at once from one address
  std::size_t streams = 4;           // event streams open at once; more get 503
  std::size_t records = 2;           // /api/records answers at once; more get 503
  std::chrono::seconds timeout{5};   // a connection that says and takes nothing
  std::chrono::milliseconds deadline{10000};  // from connecting (or the last answer) to a whole request
  std::size_t headerBytes = 8192;    // the request's header lines in all; more get 431
  std::size_t headerCount = 64;      // header lines; more get 431
  std::chrono::milliseconds heartbeat{15000};  // a comment on an idle event stream
};

class HttpServer {
 public:
  // allowedHosts: names the Host header may give beside the loopback ones
  // and the listen address.
  HttpServer(CurrentSource& current, DataFileReader& data, const Clock& clock,
             HttpServerLimits limits = {}, std::vector<std::string> allowedHosts = {});
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds the address and serves on a thread of its own. False with a one-line
  // reason when the address cannot be bound.
  bool Start(const ListenAddress& address, std::string& error);
  // The degree-day bases and station name of the climate answers; call
  // before Start.
  void SetClimateOptions(const climate::ClimateOptions& options);
  // The port served on (the one chosen for port 0); 0 before Start.
  int port() const;
  // Ends the event streams, stops serving and waits for the server's threads.
  void Stop();

  struct Impl;  // for the server's callbacks

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace skyvane
