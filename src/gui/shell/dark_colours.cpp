#include "gui/shell/dark_colours.h"

#include <QApplication>
#include <QStyleFactory>

namespace skyvane {

QPalette DarkPalette() {
  const QColor window(0x2D, 0x2F, 0x33);
  const QColor field(0x1F, 0x21, 0x24);
  const QColor text(0xE6, 0xE6, 0xE6);
  const QColor dimmed(0x80, 0x80, 0x80);
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, field);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, field);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, dimmed);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, QColor(0xFF, 0x60, 0x60));
  p.setColor(QPalette::Light, window.lighter(150));
  p.setColor(QPalette::Midlight, window.lighter(125));
  p.setColor(QPalette::Mid, window.darker(120));
  p.setColor(QPalette::Dark, window.darker(160));
  p.setColor(QPalette::Shadow, Qt::black);
  p.setColor(QPalette::Highlight, QColor(0x3D, 0x7A, 0xD6));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(0x7A, 0xB4, 0xFF));
  p.setColor(QPalette::LinkVisited, QColor(0xB0, 0x9A, 0xFF));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, dimmed);
  }
  return p;
}

void UseDarkColours() {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(DarkPalette());
}

}  // namespace skyvane
