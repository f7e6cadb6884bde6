#pragma once
// CMaxMinDlg: the modal, read-only Max/Min dialog ("Scope"). It reads the
// station once before it shows and closes at once when the link stays busy.
// Each value field is named after its control ("indoor-humidity-maximum",
// "rain-maximum-24-hours", ...), its time field the same with "-time".
#include <QDialog>
#include <array>

#include "core/dialogs/scope_session.h"
#include "gui/dialogs/dialog_prompts.h"

class QLineEdit;
class QPushButton;

namespace skyvane {

class HistoryFile;
class StationDevice;
class TextTable;

class CMaxMinDlg : public QDialog {
  Q_OBJECT
 public:
  CMaxMinDlg(StationDevice& device, HistoryFile& file, const TextTable& text,
             QWidget* parent = nullptr, DialogPrompts prompts = StandardPrompts());

  // The reads and their messages, then the fields. False when the link stayed
  // busy: the dialog is not to be shown.
  bool Open();
  // Open() and, unless it failed, the modal loop.
  int Run();

 private:
  void Build();

  const TextTable& text_;
  DialogPrompts prompts_;
  ScopeSession session_;
  std::array<QLineEdit*, mm::kCount> values_{};
  std::array<QLineEdit*, mm::kCount> times_{};
  QPushButton* ok_ = nullptr;
};

}  // namespace skyvane
