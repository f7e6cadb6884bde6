#pragma once
// CHalvarView: the main form — the current reading, the station's extremes and
// the 23 alarm lamps. A widget only, on the UI thread: the frame connects the
// monitor bridge's signals to its updates.
#include <QWidget>

#include "core/monitor/alarm_evaluation.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"
#include "gui/shell/desktop_context.h"
#include "gui/view/halvar_form.h"

namespace skyvane {

class CHalvarView : public QWidget {
  Q_OBJECT
 public:
  explicit CHalvarView(DesktopContext& context, QWidget* parent = nullptr);

  // Once, when the frame first shows the view: starting ranges, every field
  // "---" with its unit, every lamp disabled.
  void OnInitialUpdate();
  bool InitialUpdateDone() const { return initialUpdateDone_; }

  // The updates themselves.
  void UpdateLivePanels(const HistoryRow& row, const HeaderRecord& header, const AlarmRecord& alarm);
  void UpdateMaxMinPanels(const MaxMinRecord& maxmin, const HeaderRecord& header);
  void UpdateAlarmLamps(const LampStates& lamps);

  const HalvarForm& Form() const { return form_; }

 signals:
  // After each update on the UI thread (watchers and tests).
  void livePanelsUpdated();
  void maxMinPanelsUpdated();
  void lampsUpdated();

 private:
  void SetStartingRanges();

  LampPictures pictures_;
  HalvarForm form_;
  bool initialUpdateDone_ = false;
};

}  // namespace skyvane
