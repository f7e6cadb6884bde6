#pragma once
// The monitor thread of the core behind the bridge's MonitorControl.
#include "gui/shell/desktop_context.h"
#include "gui/view/monitor_control.h"

namespace skyvane {

// A factory that builds a MonitorThread over the context's station, data file,
// text table, settings and clock.
MonitorFactory MakeMonitorFactory(DesktopContext& context);

}  // namespace skyvane
