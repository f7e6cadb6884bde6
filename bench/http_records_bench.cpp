// The HTTP API's record queries on the one-day and the ten-year file at five
// minutes, timed over a real connection to the server: a month of whole
// records as JSON and as CSV, and the dashboard's year chart (seven keys,
// thinned to 1000 points).
//
// The files are written by the generator into $SKYVANE_BENCH_DIR (default
// /tmp/skyvane-bench-history) when they are not there yet.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bench_files.h"
#include "core/app/clock.h"
#include "core/publish/http/http_server.h"
#include "history_gen.h"

namespace skyvane::bench {
namespace {

constexpr const char* kFiles[] = {"oneday.dat", "tenyears.dat"};
constexpr int kDays[] = {1, 3650};

// One server per file, kept for the whole run.
struct Served {
  FixedClock clock{GeneratedEnd() + 300};
  DataFileReader data{clock};
  std::unique_ptr<StoredReading> current;
  std::unique_ptr<HttpServer> server;
};

int PortFor(int which) {
  static std::unique_ptr<Served> served[2];
  if (!served[which]) {
    auto s = std::make_unique<Served>();
    if (!s->data.Open(GeneratedFile(kFiles[which], kDays[which]))) std::abort();
    s->current = std::make_unique<StoredReading>(s->data);
    s->server = std::make_unique<HttpServer>(*s->current, s->data, s->clock);
    std::string error;
    if (!s->server->Start(ListenAddress{"127.0.0.1", 0}, error)) std::abort();
    served[which] = std::move(s);
  }
  return served[which]->server->port();
}

// GET path on a fresh connection; the bytes of the whole answer.
std::size_t Fetch(int port, const std::string& path) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) std::abort();
  const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  if (::send(fd, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size())) std::abort();
  std::size_t total = 0;
  char buffer[1 << 16];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) total += static_cast<std::size_t>(n);
  ::close(fd);
  return total;
}

std::string Since(int days) {
  std::string from = StampText(GeneratedEnd() - days * 86400);
  from[10] = 'T';
  return from;
}

void Query(benchmark::State& state, const std::string& query) {
  const int which = static_cast<int>(state.range(0));
  const int port = PortFor(which);
  std::size_t bytes = 0;
  for (auto _ : state) bytes = Fetch(port, "/api/records?" + query);
  state.counters["KiB"] = static_cast<double>(bytes) / 1024;
  state.SetLabel(kFiles[which]);
}

void BM_RecordsMonthJson(benchmark::State& state) { Query(state, "from=" + Since(30)); }
BENCHMARK(BM_RecordsMonthJson)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RecordsMonthCsv(benchmark::State& state) { Query(state, "from=" + Since(30) + "&format=csv"); }
BENCHMARK(BM_RecordsMonthCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RecordsYearChart(benchmark::State& state) {
  Query(state, "from=" + Since(365) +
                   "&keys=outdoor_temperature,dewpoint,outdoor_humidity,relative_pressure,wind_speed,gust_speed,"
                   "rain_total&max=1000");
}
BENCHMARK(BM_RecordsYearChart)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyvane::bench

BENCHMARK_MAIN();
