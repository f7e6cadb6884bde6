#include "gui/shell/desktop_resources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterDesktopResources() { Q_INIT_RESOURCE(desktop); }

namespace skyvane {

void InitDesktopResources() {
  static std::once_flag once;
  std::call_once(once, RegisterDesktopResources);
}

}  // namespace skyvane
