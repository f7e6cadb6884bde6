// A polling cycle with and without MQTT publishing to a broker that never
// answers (a loopback socket that listens but never accepts): the publisher
// talks to the broker on its own thread, so the cycle must cost the same.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/monitor/monitor_cycle.h"
#include "core/publish/mqtt/mqtt_publisher.h"
#include "core/publish/publishing_front_end.h"
#include "core/station/station_device.h"
#include "core/transfer/virtual_station.h"

namespace {

using namespace skyvane;

class QuietFrontEnd : public MonitorFrontEnd {
 public:
  void ShowLiveValues(const HistoryRow&, const HeaderRecord&, const AlarmRecord&) override {}
  void ShowLampStates(const LampStates&) override {}
  void ShowMaxMin(const MaxMinRecord&, const HeaderRecord&) override {}
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
};

// Listens on a loopback port with a backlog, never accepts: connections
// are taken by the kernel and then nothing answers.
struct SilentBroker {
  SilentBroker() {
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(fd, 1);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
  }
  ~SilentBroker() { ::close(fd); }
  int fd = -1;
  int port = 0;
};

struct Rig {
  Rig() : file(clock) {
    folder = std::filesystem::temp_directory_path() / ("skyvane-mqtt-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    device = std::make_unique<StationDevice>(std::make_unique<VirtualStation>(0x1941, 0x8021), false,
                                             0x1941, 0x8021);
    device->UpdateConnection();
    device->EnableWatch();
    file.OpenFile((folder / "Skyvane.dat").string());
  }
  ~Rig() {
    file.CloseFile();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::filesystem::path folder;
  SystemClock clock;
  HistoryFile file;
  AppSettings settings;
  TextTable text{0};
  std::unique_ptr<StationDevice> device;
};

void BM_CycleWithoutMqtt(benchmark::State& state) {
  Rig rig;
  QuietFrontEnd inner;
  MonitorCycle cycle(MonitorServices{*rig.device, rig.file, rig.text, rig.settings, rig.clock});
  for (auto _ : state) benchmark::DoNotOptimize(cycle.Run(inner));
}
BENCHMARK(BM_CycleWithoutMqtt)->Unit(benchmark::kMicrosecond);

void BM_CycleWithMqttToASilentBroker(benchmark::State& state) {
  Rig rig;
  SilentBroker broker;
  MqttOptions options;
  options.url.host = "127.0.0.1";
  options.url.port = broker.port;
  options.queueFile = rig.folder / "Skyvane.mqtt-queue";
  MqttPublisher publisher(options, [](MqttLogLevel, const std::string&) {});
  publisher.Start();
  QuietFrontEnd inner;
  PublishingFrontEnd frontEnd(inner, {&publisher});
  MonitorCycle cycle(MonitorServices{*rig.device, rig.file, rig.text, rig.settings, rig.clock});
  for (auto _ : state) benchmark::DoNotOptimize(cycle.Run(frontEnd));
  publisher.Stop();
}
BENCHMARK(BM_CycleWithMqttToASilentBroker)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
