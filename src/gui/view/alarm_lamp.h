#pragma once
// One alarm lamp of the main form: a bell picture that is grey while the alarm
// is disabled, black and white while it is armed, and red once it triggered.
#include <QLabel>
#include <QPixmap>

#include "core/monitor/alarm_evaluation.h"

namespace skyvane {

// The three bell pictures, loaded once and shared by every lamp of a view.
struct LampPictures {
  LampPictures();
  QPixmap disabled;
  QPixmap armed;
  QPixmap triggered;
  const QPixmap& For(LampState state) const;
};

class AlarmLamp : public QLabel {
  Q_OBJECT
 public:
  AlarmLamp(const LampPictures& pictures, QWidget* parent = nullptr);
  void SetState(LampState state);
  LampState State() const { return state_; }

 private:
  const LampPictures& pictures_;
  LampState state_ = LampState::kDisabled;
};

}  // namespace skyvane
