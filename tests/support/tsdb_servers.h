#pragma once
// Real time-series databases for the tests, each on free loopback ports in a
// scratch folder of its own: Debian's InfluxDB 1.x (influxd),
// VictoriaMetrics and Prometheus. A test skips when the program is not installed.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/publish/upload/transfer_stop.h"
#include "core/publish/upload/upload_transport.h"
#include "core/publish/upload/wu_protocol.h"
#include "support/mqtt_broker.h"
#include "support/scratch_folder.h"

namespace skyvane::test {

inline constexpr const char* kInfluxdPath = "/usr/bin/influxd";
inline constexpr const char* kVictoriaMetricsPath = "/usr/bin/victoria-metrics";
inline constexpr const char* kPrometheusPath = "/usr/bin/prometheus";

// A server program started with its output in log, killed at the end.
class SpawnedServer {
 public:
  SpawnedServer(std::vector<std::string> args, std::filesystem::path log, int port)
      : args_(std::move(args)), log_(std::move(log)), port_(port) {}
  ~SpawnedServer() { Stop(); }
  SpawnedServer(const SpawnedServer&) = delete;
  SpawnedServer& operator=(const SpawnedServer&) = delete;

  // True once it accepts connections on its port.
  bool Start() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log_.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (auto& a : args_) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid_ != 0 && WaitFor([this] { return Accepts(port_); });
  }
  void Stop(int signal = SIGKILL) {
    if (pid_ == 0) return;
    ::kill(pid_, signal);
    ::waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

 private:
  std::vector<std::string> args_;
  std::filesystem::path log_;
  int port_;
  pid_t pid_ = 0;
};

// One HTTP exchange with a server on loopback; the status (0: no answer) and body.
inline HttpExchangeResult LoopbackHttp(int port, const std::string& target, const std::string* post = nullptr) {
  const TransferStop never;
  return HttpExchange("http://127.0.0.1:" + std::to_string(port) + target, post, {},
                      std::chrono::seconds(10), never);
}

class InfluxServer {
 public:
  InfluxServer() : port_(FreeLoopbackPort()) {
    const std::string dir = folder_.path().string();
    WriteFileBytes(folder_ / "influxdb.conf",
                   "reporting-disabled = true\n"
                   "bind-address = \"127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "\"\n"
                   "[meta]\n  dir = \"" + dir + "/meta\"\n"
                   "[data]\n  dir = \"" + dir + "/data\"\n  wal-dir = \"" + dir + "/wal\"\n"
                   "  query-log-enabled = false\n"
                   "[monitor]\n  store-enabled = false\n"
                   "[http]\n  enabled = true\n  bind-address = \"127.0.0.1:" + std::to_string(port_) + "\"\n"
                   "  log-enabled = false\n"
                   "[ifql]\n  enabled = false\n"
                   "[[graphite]]\n  enabled = false\n[[collectd]]\n  enabled = false\n"
                   "[[opentsdb]]\n  enabled = false\n[[udp]]\n  enabled = false\n"
                   "[continuous_queries]\n  enabled = false\n");
  }
  static bool Installed() { return ::access(kInfluxdPath, X_OK) == 0; }
  // Starts it (again, keeping its data) and makes sure the database exists.
  bool Start(const std::string& database) {
    if (!server_.Start()) return false;
    const std::string create = "q=" + UrlEncoded("CREATE DATABASE \"" + database + "\"");
    return LoopbackHttp(port_, "/query", &create).status == 200;
  }
  void Stop() { server_.Stop(); }
  // The answer of InfluxQL query q on database as JSON text, times in seconds.
  std::string Query(const std::string& database, const std::string& q) const {
    return LoopbackHttp(port_, "/query?epoch=s&db=" + UrlEncoded(database) + "&q=" + UrlEncoded(q)).body;
  }
  int port() const { return port_; }

 private:
  ScratchFolder folder_;
  int port_;
  SpawnedServer server_{{kInfluxdPath, "-config", (folder_ / "influxdb.conf").string()}, folder_ / "influxd.log", port_};
};

class VictoriaMetricsServer {
 public:
  VictoriaMetricsServer() : port_(FreeLoopbackPort()) {}
  static bool Installed() { return ::access(kVictoriaMetricsPath, X_OK) == 0; }
  bool Start() { return server_.Start(); }
  // The raw samples of a series as export's JSON lines, after what was
  // written is flushed to be searchable.
  std::string Export(const std::string& match) const {
    LoopbackHttp(port_, "/internal/force_flush");
    return LoopbackHttp(port_, "/api/v1/export?match[]=" + UrlEncoded(match)).body;
  }
  int port() const { return port_; }

 private:
  ScratchFolder folder_;
  int port_;
  SpawnedServer server_{{kVictoriaMetricsPath, "-httpListenAddr", "127.0.0.1:" + std::to_string(port_),
                         "-storageDataPath", (folder_ / "data").string(), "-search.disableCache",
                         "-retentionPeriod", "100y"},  // the test records are old
                        folder_ / "vm.log", port_};
};

// Prometheus scraping 127.0.0.1:target every second.
class PrometheusServer {
 public:
  explicit PrometheusServer(int target) : port_(FreeLoopbackPort()) {
    WriteFileBytes(folder_ / "prometheus.yml",
                   "global:\n  scrape_interval: 1s\nscrape_configs:\n  - job_name: skyvane\n"
                   "    static_configs:\n      - targets: ['127.0.0.1:" + std::to_string(target) + "']\n");
  }
  static bool Installed() { return ::access(kPrometheusPath, X_OK) == 0; }
  bool Start() { return server_.Start(); }
  // The answer of an instant query as JSON text.
  std::string Query(const std::string& promql) const {
    return LoopbackHttp(port_, "/api/v1/query?query=" + UrlEncoded(promql)).body;
  }

 private:
  ScratchFolder folder_;
  int port_;
  SpawnedServer server_{{kPrometheusPath, "--config.file=" + (folder_ / "prometheus.yml").string(),
                         "--storage.tsdb.path=" + (folder_ / "data").string(),
                         "--web.listen-address=127.0.0.1:" + std::to_string(port_)},
                        folder_ / "prometheus.log", port_};
};

}  // namespace skyvane::test
