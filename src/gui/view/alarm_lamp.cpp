#include "gui/view/alarm_lamp.h"

#include "gui/gui_resources.h"

namespace skyvane {

LampPictures::LampPictures()
    : disabled(LoadPicture(QStringLiteral(":/pictures/bell_disabled.png"))),
      armed(LoadPicture(QStringLiteral(":/pictures/bell_armed.png"))),
      triggered(LoadPicture(QStringLiteral(":/pictures/bell_triggered.png"))) {}

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
  setFixedSize(pictures_.disabled.deviceIndependentSize().toSize().expandedTo(QSize(20, 20)));
  setAlignment(Qt::AlignCenter);
}

void AlarmLamp::SetState(LampState state) {
  if (state == state_) return;
  state_ = state;
  setPixmap(pictures_.For(state_));
}

}  // namespace skyvane
