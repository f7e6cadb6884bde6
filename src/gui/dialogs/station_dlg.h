#pragma once
// CStationDlg: what the Setup and Alarm dialogs share around their controls:
// the reads' messages before the window shows, "Save" and "Cancel", the field
// check's message with the cursor put back in the field, and the question and
// the messages around a save.
#include <QDialog>
#include <functional>

#include "core/dialogs/dialog_station.h"
#include "gui/dialogs/dialog_prompts.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace skyvane {

class TextTable;

class CStationDlg : public QDialog {
  Q_OBJECT
 public:
  // The reads before the window shows (their messages first), then the controls.
  virtual void Open() = 0;
  // Open() and the modal loop.
  int Run();

 protected:
  CStationDlg(const TextTable& text, QWidget* parent, DialogPrompts prompts);

  // "Save" and "Cancel" at the right of a row; Save calls OnSave, Cancel closes.
  QHBoxLayout* MakeButtons(const QString& save, const QString& cancel);
  void SetSaveEnabled(bool enabled);
  virtual void OnSave() = 0;

  void ShowMessages(const DialogMessages& messages, QWidget* parent);
  // A failed field check: its message, then the cursor in the field (if any).
  void ShowFieldError(const std::string& message, QLineEdit* field);
  // Asks before saving; on Yes saves, shows the messages and closes when the
  // station holds the new settings.
  void ConfirmAndSave(const std::function<SaveOutcome()>& save);

  const TextTable& text_;
  DialogPrompts prompts_;

 private:
  QPushButton* save_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace skyvane
