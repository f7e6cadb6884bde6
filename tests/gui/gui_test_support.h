#pragma once
// Helpers for painted-pixel checks in the GUI tests.
#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

namespace skyvane::test {

// The widget at exactly the given size, painted into an image of that size.
QImage Paint(QWidget& widget, int width, int height);

// Colour of one pixel without alpha.
inline QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).toRgb(); }

// Number of pixels of exactly that colour.
int CountPixels(const QImage& image, const QColor& colour);

// Every entry of every quantisation table of a JPEG file, in file order; empty
// when the file cannot be read or holds no table. Quality 100 makes them all 1.
std::vector<int> JpegQuantisers(const QString& path);

}  // namespace skyvane::test

#include <functional>

namespace skyvane::test {

// Shows the widget, then counts the paint events that follow the action.
int PaintsAfter(QWidget& widget, const std::function<void()>& action);

}  // namespace skyvane::test
