#pragma once
// CSetupDlg: the modal Setup dialog. It reads the station's header and alarm
// block before it shows, lets the user change the time zone, interval, units,
// display choices, alarm enables and the current relative pressure, and runs
// the save sequence on "Save". Widgets carry the controls' names (see
// ControlName): "time-zone", "unit-pressure", "alarm-enable-time",
// "pressure-relative", "save", ...
#include <array>
#include <string>

#include "core/dialogs/station_dialog_session.h"
#include "gui/dialogs/station_dlg.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace skyvane {

class CSetupDlg : public CStationDlg {
  Q_OBJECT
 public:
  CSetupDlg(StationDevice& device, const TextTable& text, QWidget* parent = nullptr,
            DialogPrompts prompts = StandardPrompts());

  void Open() override;

  // The controls as they stand.
  SetupForm Form() const;

 private:
  void Build();
  void Fill(const SetupForm& form);
  void OnPressureUnitChanged(int index);
  void OnSave() override;

  SetupSession session_;
  std::string shownPressureUnit_;
  std::array<QComboBox*, setup::kListCount> lists_{};
  std::array<QCheckBox*, setup::kAlarmEnableCount> boxes_{};
  QLineEdit* interval_ = nullptr;
  QLineEdit* relative_ = nullptr;
  QLineEdit* absolute_ = nullptr;
  QLabel* relativeUnit_ = nullptr;
  QLabel* absoluteUnit_ = nullptr;
};

}  // namespace skyvane
