#pragma once
// How the settings dialogs talk to the user besides their controls: plain
// messages with an OK button, the Yes/No question before saving, and the
// one-second waits for a busy station link. Tests replace them.
#include <QString>
#include <chrono>
#include <functional>
#include <string_view>

class QWidget;

class QMessageBox;

namespace skyvane {

struct DialogPrompts {
  // A message box with an OK button and the program's title as caption.
  std::function<void(QWidget* parent, const QString& text)> message;
  // A Yes/No question; true on Yes.
  std::function<bool(QWidget* parent, const QString& question, const QString& caption)> ask;
  // One wait of the busy-link protocol; the window keeps painting meanwhile.
  std::function<void(std::chrono::milliseconds)> sleep;
};

// Message boxes and a wait that keeps painting but holds back clicks and keys.
DialogPrompts StandardPrompts();

// Widens a message box so that its title bar shows its whole caption: a short
// question under a long caption would otherwise cut the caption off.
void FitCaption(QMessageBox& box);

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace skyvane
