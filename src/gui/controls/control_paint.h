#pragma once
// Drawing primitives shared by the painted controls. Rectangles are given as
// left, top, right, bottom with the right and bottom edges excluded, and lines
// leave out their end point, so the controls' pixel arithmetic reads the same
// as their geometry.
#include <QColor>
#include <QFont>

class QPainter;
class QPalette;
class QPixmap;
class QString;
class QWidget;

namespace skyvane {

// Light blue of every filled area of the controls.
inline const QColor kControlAccent{0x80, 0x80, 0xFF};

// "Arial" at 8 points (Qt substitutes a similar face where Arial is missing).
QFont ControlLabelFont();

// The background of every control: the palette's button face.
QColor ControlFace(const QWidget& widget);
// Labels, ticks and outlines.
QColor ControlInk(const QWidget& widget);
// The inside of tubes, bars and the compass dot: white in a light palette,
// the palette's dark field colour in a dark one.
QColor ControlWell(const QWidget& widget);

// The accent as a sign drawn on the control's face (the compass needle):
// darkened or lightened as far as the face needs for it to stay readable.
QColor ControlSign(const QWidget& widget);
// The accent as the fill of tubes and bars, which meets both the well and the
// face (the thermometer's bulb): readable on either.
QColor ControlFill(const QWidget& widget);

// Whether the palette draws light text on dark windows.
bool IsDarkPalette(const QPalette& palette);

// The picture with its dark grey and black strokes (labels, outlines) in ink,
// each keeping its transparency; coloured strokes stay as they are.
QPixmap InkedPicture(const QPixmap& picture, const QColor& ink);

// Relative luminance of a colour and the contrast ratio of two, as the Web
// Content Accessibility Guidelines define them (1 to 21).
double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& a, const QColor& b);
// Text and signs stand out from their background by at least this ratio.
inline constexpr double kReadableContrast = 4.5;

// The colour moved towards white on a dark background, or towards black on a
// light one, just far enough to reach kReadableContrast; alpha is kept.
QColor ReadableOn(const QColor& colour, const QColor& background);
// The picture with each of its strokes made readable on background.
QPixmap ReadablePicture(const QPixmap& picture, const QColor& background);

// Fills [left, right) x [top, bottom); nothing when the box is empty or inverted.
void FillBox(QPainter& p, int left, int top, int right, int bottom, const QColor& colour);

// A one-pixel line from (x1, y1) towards (x2, y2), the end point left out.
void LineTo(QPainter& p, int x1, int y1, int x2, int y2, const QColor& colour);

// A one-pixel outline of [left, right) x [top, bottom) filled with fill.
void OutlinedBox(QPainter& p, int left, int top, int right, int bottom, const QColor& outline,
                 const QColor& fill);

// An ellipse inscribed in [left, right) x [top, bottom), outlined and filled.
void OutlinedEllipse(QPainter& p, int left, int top, int right, int bottom, const QColor& outline,
                     const QColor& fill);

// Text with its left edge at x and its vertical centre at y.
void TextLeftCentred(QPainter& p, int x, int y, const QString& text);

}  // namespace skyvane
