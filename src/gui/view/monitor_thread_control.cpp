#include "gui/view/monitor_thread_control.h"

#include <QMetaObject>
#include <QString>
#include <cstdio>
#include <memory>

#include "core/monitor/monitor_thread.h"
#include "core/publish/mqtt/mqtt_setup.h"
#include "core/publish/publishing_front_end.h"
#include "gui/view/monitor_bridge.h"

namespace skyvane {

namespace {

// MQTT's lines go to standard error, and its problems to pane 0 of the status
// bar, handed to the UI thread through the bridge.
MqttLog MqttLines(MonitorFrontEnd& frontEnd) {
  auto* bridge = dynamic_cast<MonitorBridge*>(&frontEnd);
  return [bridge](MqttLogLevel level, const std::string& line) {
    std::fprintf(stderr, "skyvane: %s\n", line.c_str());
    if (level != MqttLogLevel::kError || bridge == nullptr) return;
    const QString text = QString::fromStdString(line);
    QMetaObject::invokeMethod(bridge, [bridge, text] { emit bridge->statusText(text); },
                              Qt::QueuedConnection);
  };
}

// The monitor, with the publisher (when MQTT is configured) between it and
// the bridge; the thread goes first, then the publisher says "offline".
class ThreadControl : public MonitorControl {
 public:
  ThreadControl(DesktopContext& c, MonitorFrontEnd& frontEnd)
      : mqtt_(StartMqttPublisher(c.folder, c.mqttUrl, SKYVANE_VERSION, MqttLines(frontEnd))),
        publishing_(frontEnd, mqtt_ ? std::vector<ReadingListener*>{mqtt_.get()}
                                    : std::vector<ReadingListener*>{}),
        thread_(MonitorServices{c.device, c.file, c.text, c.settings, c.clock}, publishing_) {
    if (mqtt_) mqtt_->CatchUp(c.file);
  }
  bool Start() override { return thread_.Start(); }
  void Stop() override {
    thread_.Stop();
    if (mqtt_) mqtt_->Stop();
  }
  bool Running() const override { return thread_.Running(); }
  void Wake() override { thread_.Wake(); }

 private:
  std::unique_ptr<MqttPublisher> mqtt_;
  PublishingFrontEnd publishing_;
  MonitorThread thread_;
};

}  // namespace

MonitorFactory MakeMonitorFactory(DesktopContext& context) {
  return [&context](MonitorFrontEnd& frontEnd) -> std::unique_ptr<MonitorControl> {
    return std::make_unique<ThreadControl>(context, frontEnd);
  };
}

}  // namespace skyvane
