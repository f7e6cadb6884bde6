#pragma once
// What the monitor bridge needs of its monitor: start it once, stop it and wait
// for it. The bridge is the monitor's front end; the factory builds the monitor
// for it.
#include <functional>
#include <memory>

namespace skyvane {

class MonitorFrontEnd;

class MonitorControl {
 public:
  virtual ~MonitorControl() = default;
  // False when the thread could not be created.
  virtual bool Start() = 0;
  // Asks the monitor to stop, releases a blocked status hand-over, and waits.
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
  // Starts the next cycle now instead of after the pause; the monitor goes on.
  virtual void Wake() = 0;
};

using MonitorFactory = std::function<std::unique_ptr<MonitorControl>(MonitorFrontEnd& frontEnd)>;

}  // namespace skyvane
