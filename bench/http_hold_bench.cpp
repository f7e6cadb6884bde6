// What the HTTP server holds on loopback, printed as figures (a plain program,
// not timed by Google Benchmark): /api/health from new clients while 200
// connections dribble a header byte a second; 50 keep-alive clients asking
// /api/current; a request on a reused connection against one on a new
// connection; the server's peak RSS above idle while it answers ten years of
// records as JSON and as CSV, and whether the answer holds every record.
//
// The ten-year file is written by the generator into $SKYVANE_BENCH_DIR
// (default /tmp/skyvane-bench-history) when it is not there yet.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_files.h"
#include "core/app/clock.h"
#include "core/publish/http/http_server.h"

namespace skyvane::bench {
namespace {

using Clock_ = std::chrono::steady_clock;

int Connect(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Sends one keep-alive GET and reads its answer (with a Content-Length);
// the status, 0 when the connection failed.
int Ask(int fd, const std::string& path) {
  const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size())) return 0;
  std::string got;
  char buffer[8192];
  for (;;) {
    const std::size_t head = got.find("\r\n\r\n");
    if (head != std::string::npos) {
      const std::size_t at = got.find("Content-Length: ");
      if (at != std::string::npos && got.size() >= head + 4 + std::stoul(got.substr(at + 16))) break;
    }
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return 0;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return std::atoi(got.c_str() + 9);
}

double Ms(Clock_::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double P99(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

long RssKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

void HealthUnderDribble(int port) {
  std::vector<int> slow;
  for (int i = 0; i < 200; ++i) slow.push_back(Connect(port));
  const std::string request = "GET /api/health HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: dribble\r\n";
  std::atomic<bool> done{false};
  std::thread dribbler([&] {
    for (std::size_t at = 0; !done; at = (at + 1) % request.size()) {
      for (int fd : slow) ::send(fd, request.data() + at, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
      for (int i = 0; i < 10 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  std::this_thread::sleep_for(std::chrono::seconds(2));
  std::vector<double> times;
  int ok = 0;
  for (int i = 0; i < 50; ++i) {
    const auto start = Clock_::now();
    const int fd = Connect(port);
    ok += fd >= 0 && Ask(fd, "/api/health") == 200;
    times.push_back(Ms(Clock_::now() - start));
    if (fd >= 0) ::close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  done = true;
  dribbler.join();
  for (int fd : slow) ::close(fd);
  std::printf("200 dribbling connections: /api/health from new clients %d/50 answered, p99 %.2f ms\n", ok, P99(times));
}

void KeepAliveClients(int port) {
  std::vector<std::vector<double>> times(50);
  std::atomic<int> busy{0}, failed{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 50; ++c) {
    clients.emplace_back([&, c] {
      const int fd = Connect(port);
      for (int i = 0; i < 40; ++i) {
        const auto start = Clock_::now();
        const int status = fd >= 0 ? Ask(fd, "/api/current") : 0;
        times[static_cast<std::size_t>(c)].push_back(Ms(Clock_::now() - start));
        if (status == 503) ++busy;
        if (status == 0) ++failed;
      }
      if (fd >= 0) ::close(fd);
    });
  }
  for (std::thread& t : clients) t.join();
  std::vector<double> all;
  for (const auto& v : times) all.insert(all.end(), v.begin(), v.end());
  std::printf("50 keep-alive clients x 40 /api/current: p99 %.2f ms, %d answered 503, %d failed\n", P99(all),
              busy.load(), failed.load());
}

void ReusedAgainstNew(int port) {
  constexpr int kTimes = 300;
  const int kept = Connect(port);
  Ask(kept, "/api/current");
  auto start = Clock_::now();
  for (int i = 0; i < kTimes; ++i) Ask(kept, "/api/current");
  const double reused = Ms(Clock_::now() - start) / kTimes;
  ::close(kept);
  start = Clock_::now();
  for (int i = 0; i < kTimes; ++i) {
    const int fd = Connect(port);
    Ask(fd, "/api/current");
    ::close(fd);
  }
  const double fresh = Ms(Clock_::now() - start) / kTimes;
  std::printf("/api/current: %.3f ms on a reused connection, %.3f ms on a new one\n", reused, fresh);
}

void TenYears(int port, const char* query, const char* name) {
  const long idle = RssKiB();
  std::atomic<long> peak{idle};
  std::atomic<bool> done{false};
  std::thread sampler([&] {
    while (!done) {
      peak = std::max(peak.load(), RssKiB());
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  const int fd = Connect(port);
  const std::string request = std::string("GET /api/records?") + query + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string head;
  long long lines = 0, bytes = 0;
  char buffer[1 << 16];
  const auto start = Clock_::now();
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
    if (head.size() < 4096) head.append(buffer, static_cast<std::size_t>(std::min<ssize_t>(n, 4096)));
    lines += std::count(buffer, buffer + n, '\n');
    bytes += n;
  }
  const double seconds = Ms(Clock_::now() - start) / 1000;
  ::close(fd);
  done = true;
  sampler.join();
  const std::size_t at = head.find("X-Records-Found: ");
  const long long found = at == std::string::npos ? -1 : std::stoll(head.substr(at + 17));
  std::printf("ten years as %s: %.1f MiB in %.1f s, peak RSS %.1f MiB above idle, %lld records found, "
              "about %lld lines of records\n",
              name, static_cast<double>(bytes) / 1048576, seconds, static_cast<double>(peak - idle) / 1024, found,
              lines);
}

}  // namespace
}  // namespace skyvane::bench

int main() {
  using namespace skyvane;
  FixedClock clock{bench::GeneratedEnd() + 300};
  DataFileReader data{clock};
  if (!data.Open(bench::GeneratedFile("tenyears.dat", 3650))) return 1;
  StoredReading current(data);
  HttpServer server(current, data, clock);
  std::string error;
  if (!server.Start(ListenAddress{"127.0.0.1", 0}, error)) return 1;
  bench::HealthUnderDribble(server.port());
  bench::KeepAliveClients(server.port());
  bench::ReusedAgainstNew(server.port());
  bench::TenYears(server.port(), "from=2010-01-01", "JSON");
  bench::TenYears(server.port(), "from=2010-01-01&format=csv", "CSV");
  server.Stop();
  return 0;
}
