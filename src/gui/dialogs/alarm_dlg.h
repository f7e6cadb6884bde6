#pragma once
// CAlarmDlg: the modal Alarm dialog. It reads the alarm block and the header
// before it shows, offers every threshold in the station's units, keeps wind
// and gust speeds in step with their Beaufort levels, and saves the block on
// "Save". Each edit field is named after its control ("indoor-humidity-high",
// "wind-level", ...), its unit label the same with "-unit"; the list is
// "wind-direct".
#include <QDialog>
#include <array>

#include "core/dialogs/alarm_session.h"
#include "gui/dialogs/dialog_prompts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace skyvane {

class StationDevice;
class TextTable;

class CAlarmDlg : public QDialog {
  Q_OBJECT
 public:
  CAlarmDlg(StationDevice& device, const TextTable& text, QWidget* parent = nullptr,
            DialogPrompts prompts = StandardPrompts());

  // The reads before the window shows (their messages first), then the controls.
  void Open();
  int Run();

  AlarmForm Form() const;

 private:
  void Build();
  void Fill(const AlarmForm& form);
  void OnFieldLeft(int field);
  void OnSave();
  void ShowMessages(const DialogMessages& messages, QWidget* parent);

  const TextTable& text_;
  DialogPrompts prompts_;
  AlarmSession session_;
  std::array<QLineEdit*, alm::kCount> edits_{};
  std::array<QLabel*, alm::kCount> units_{};
  QComboBox* direction_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace skyvane
