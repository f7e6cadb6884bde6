#pragma once
// The pictures of resources/skyvane.qrc live in the skyvane_gui static library;
// a static library's resources must be registered explicitly before use.

#include <QPixmap>
#include <QString>

namespace skyvane {

// Registers the program's pictures; calling it again does nothing.
void InitGuiResources();

// The picture at path ("…/name.png"), taken from "…/name@2x.png" where the
// screens have two or more device pixels per pixel and that file exists; its
// layout size is the same either way.
QPixmap LoadPicture(const QString& path);

}  // namespace skyvane
