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

// The fill of tubes and bars in a control of the application's palette.
QColor ControlFillColour();

// Every entry of every quantisation table of a JPEG file, in file order; empty
// when the file cannot be read or holds no table. Quality 100 makes them all 1.
std::vector<int> JpegQuantisers(const QString& path);

}  // namespace skyvane::test

#include <functional>

namespace skyvane::test {

// Shows the widget, then counts the paint events that follow the action.
int PaintsAfter(QWidget& widget, const std::function<void()>& action);

}  // namespace skyvane::test

#include <QFileDialog>
#include <QString>

namespace skyvane::test {

// Names the file a file dialog is to take. The dialog's name field ignores a
// chosen file while it has the focus, which it takes when the dialog comes up
// (on some machines before the test's callback runs, on others after).
inline void ChooseFile(QFileDialog* dialog, const QString& path) {
  if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
  dialog->selectFile(path);
}

}  // namespace skyvane::test
