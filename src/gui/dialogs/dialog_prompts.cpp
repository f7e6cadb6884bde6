#include "gui/dialogs/dialog_prompts.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

namespace skyvane {

DialogPrompts StandardPrompts() {
  DialogPrompts prompts;
  prompts.message = [](QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Skyvane"), text, QMessageBox::Ok);
  };
  prompts.ask = [](QWidget* parent, const QString& question, const QString& caption) {
    return QMessageBox::question(parent, caption, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  prompts.sleep = [](std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  };
  return prompts;
}

}  // namespace skyvane
