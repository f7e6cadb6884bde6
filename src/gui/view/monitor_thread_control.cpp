#include "gui/view/monitor_thread_control.h"

#include "core/monitor/monitor_thread.h"

namespace skyvane {

namespace {

class ThreadControl : public MonitorControl {
 public:
  ThreadControl(DesktopContext& c, MonitorFrontEnd& frontEnd)
      : thread_(MonitorServices{c.device, c.file, c.text, c.settings, c.clock}, frontEnd) {}
  bool Start() override { return thread_.Start(); }
  void Stop() override { thread_.Stop(); }
  bool Running() const override { return thread_.Running(); }
  void Wake() override { thread_.Wake(); }

 private:
  MonitorThread thread_;
};

}  // namespace

MonitorFactory MakeMonitorFactory(DesktopContext& context) {
  return [&context](MonitorFrontEnd& frontEnd) -> std::unique_ptr<MonitorControl> {
    return std::make_unique<ThreadControl>(context, frontEnd);
  };
}

}  // namespace skyvane
