#include "gui/gui_resources.h"

#include <QtGlobal>

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterSkyvaneResources() { Q_INIT_RESOURCE(skyvane); }

namespace skyvane {

void InitGuiResources() {
  static std::once_flag once;
  std::call_once(once, RegisterSkyvaneResources);
}

}  // namespace skyvane
