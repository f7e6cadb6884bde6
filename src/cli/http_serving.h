#pragma once
// The HTTP server of `run` and `serve`: where it listens (--http ADDR or the
// key Listen of section [http] in Skyvane.ini, the option winning) and the
// server itself over the program folder's data file.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/publish/http/current_source.h"
#include "core/publish/http/data_file_reader.h"
#include "core/publish/http/http_server.h"
#include "core/publish/http/listen_address.h"

namespace skyvane {

class ProgramCounters;

// Takes "--http ADDR" / "--http=ADDR" out of args, else the configured
// address; nothing when neither names one. False (with a message on ctx.err)
// for an address that does not parse.
bool HttpAddress(CliContext& ctx, std::vector<std::string>& args, std::optional<ListenAddress>& address);

// The server over the folder's data file, its live values from current.
class CliHttpServer {
 public:
  explicit CliHttpServer(CliContext& ctx) : ctx_(ctx), data_(ctx.clock) {}
  // Opens the data file for reading and starts serving; reports where on
  // ctx.err, with a warning when the address is reachable from the network.
  // Requests must name the server in their Host header: a loopback name, the
  // listen address, or one of the key AllowedHosts of section [http].
  // counters: the logger's own for /metrics; null in a program that does not poll.
  bool Start(const ListenAddress& address, CurrentSource& current,
             const ProgramCounters* counters = nullptr);
  DataFileReader& data() { return data_; }
  // The port served on; 0 before Start.
  int port() const { return server_ ? server_->port() : 0; }
  void Stop() {
    if (server_) server_->Stop();
  }

 private:
  CliContext& ctx_;
  DataFileReader data_;
  std::unique_ptr<HttpServer> server_;
};

}  // namespace skyvane
