#pragma once
// CAlarmDlg: the modal Alarm dialog. It reads the alarm block and the header
// before it shows, offers every threshold in the station's units, keeps wind
// and gust speeds in step with their Beaufort levels, and saves the block on
// "Save". Each edit field is named after its control ("indoor-humidity-high",
// "wind-level", ...), its unit label the same with "-unit"; the list is
// "wind-direct".
#include <array>

#include "core/dialogs/station_dialog_session.h"
#include "gui/dialogs/station_dlg.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace skyvane {

class CAlarmDlg : public CStationDlg {
  Q_OBJECT
 public:
  CAlarmDlg(StationDevice& device, const TextTable& text, QWidget* parent = nullptr,
            DialogPrompts prompts = StandardPrompts());

  void Open() override;

  AlarmForm Form() const;

 private:
  void Build();
  void Fill(const AlarmForm& form);
  void OnFieldLeft(int field);
  void OnSave() override;

  AlarmSession session_;
  std::array<QLineEdit*, alm::kCount> edits_{};
  std::array<QLabel*, alm::kCount> units_{};
  QComboBox* direction_ = nullptr;
};

}  // namespace skyvane
