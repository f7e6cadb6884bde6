#include "gui/view/alarm_lamp.h"

namespace skyvane {

LampPictures::LampPictures()
    : disabled(QStringLiteral(":/pictures/bell_disabled.png")),
      armed(QStringLiteral(":/pictures/bell_armed.png")),
      triggered(QStringLiteral(":/pictures/bell_triggered.png")) {}

const QPixmap& LampPictures::For(LampState state) const {
  switch (state) {
    case LampState::kArmed: return armed;
    case LampState::kTriggered: return triggered;
    case LampState::kDisabled: break;
  }
  return disabled;
}

AlarmLamp::AlarmLamp(const LampPictures& pictures, QWidget* parent)
    : QLabel(parent), pictures_(pictures) {
  setPixmap(pictures_.For(state_));
  setFixedSize(pictures_.disabled.size().expandedTo(QSize(20, 20)));
  setAlignment(Qt::AlignCenter);
}

void AlarmLamp::SetState(LampState state) {
  if (state == state_) return;
  state_ = state;
  setPixmap(pictures_.For(state_));
}

}  // namespace skyvane
