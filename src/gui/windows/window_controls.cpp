#include "gui/windows/window_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/app/text_table.h"

namespace skyvane {

QString TableText(const TextTable& text, Txt entry) {
  const std::string_view t = text.Text(entry);
  return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const char* name) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const char* name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

QComboBox* MakeCombo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QLatin1String(name));
  return c;
}

}  // namespace skyvane
