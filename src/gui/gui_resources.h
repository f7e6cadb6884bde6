#pragma once
// The pictures of resources/skyvane.qrc live in the skyvane_gui static library;
// a static library's resources must be registered explicitly before use.

namespace skyvane {

// Registers the program's pictures; calling it again does nothing.
void InitGuiResources();

}  // namespace skyvane
