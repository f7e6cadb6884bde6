#include "gui/dialogs/dialog_prompts.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QTimer>

namespace skyvane {

DialogPrompts StandardPrompts() {
  DialogPrompts prompts;
  prompts.message = [](QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Skyvane"), text, QMessageBox::Ok);
  };
  prompts.ask = [](QWidget* parent, const QString& question, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    FitCaption(box);
    return box.exec() == QMessageBox::Yes;
  };
  prompts.sleep = [](std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  };
  return prompts;
}

void FitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  // The title bar's own font is the window manager's; the box's font, a
  // little bolder, and room for the icon and the close button stand in.
  QFont title = box.font();
  title.setBold(true);
  const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 100;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace skyvane
