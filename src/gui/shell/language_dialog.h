#pragma once
// CLanguageDlg: picks English, German or Danish. The dialog shows itself in the
// language picked (a preview); Save writes the choice into Skyvane.ini and
// starts the program afresh, since every window takes its texts at creation.
#include <QDialog>
#include <chrono>
#include <functional>

#include "gui/shell/desktop_context.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace skyvane {

class CLanguageDlg : public QDialog {
  Q_OBJECT
 public:
  CLanguageDlg(DesktopContext& context, QWidget* parent = nullptr);

  int Selection() const { return selection_; }

  // Runs just before the restart, after the link was taken (the frame stops the
  // monitor here so that no data-file write is cut short).
  void SetBeforeRestart(std::function<void()> hook) { beforeRestart_ = std::move(hook); }
  // Replaces the restart (tests); by default the program is executed afresh.
  void SetRestart(std::function<void()> restart) { restart_ = std::move(restart); }
  // Replaces the one-second waits for a busy link (tests).
  void SetBusySleep(std::function<void(std::chrono::milliseconds)> sleep) {
    sleep_ = std::move(sleep);
  }

  // Save: ask, wait for the link, write the key, restart.
  void OnSave();

  void done(int result) override;

 private:
  void Translate();

  DesktopContext& context_;
  int selection_ = 0;
  QComboBox* list_ = nullptr;
  QGroupBox* group_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::function<void()> beforeRestart_;
  std::function<void()> restart_;
  std::function<void(std::chrono::milliseconds)> sleep_;
  bool ended_ = false;  // closed (window button, program closing) since Save began
};

}  // namespace skyvane
