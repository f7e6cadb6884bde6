#pragma once
// The desktop program's pictures (resources/desktop.qrc) live in the static
// skyvane_gui library and must be registered before the first window is built.

namespace skyvane {

// Safe to call more than once.
void InitDesktopResources();

}  // namespace skyvane
