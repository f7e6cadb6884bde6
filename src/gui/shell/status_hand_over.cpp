#include "gui/shell/status_hand_over.h"

#include <QThread>
#include <algorithm>

namespace skyvane {

StatusHandOver::StatusHandOver(std::function<void(const std::string&)> show)
    : show_(std::move(show)) {
  connect(this, &StatusHandOver::showRequested, this, &StatusHandOver::ShowQueued,
          Qt::QueuedConnection);
}

StatusHandOver::~StatusHandOver() { Close(); }

bool StatusHandOver::Deliver(const std::string& text) {
  if (QThread::currentThread() == thread()) {
    // Already on the UI thread: waiting for ourselves would never end.
    if (IsClosed()) return false;
    show_(text);
    return true;
  }
  std::uint64_t ticket = 0;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    ticket = ++posted_;
    queued_.emplace_back(ticket, text);
  }
  // A queued call dies with this object, so none runs after it is gone.
  emit showRequested(QPrivateSignal());
  std::unique_lock lock(mutex_);
  shownChanged_.wait(lock, [&] { return closed_ || shown_ >= ticket; });
  return shown_ >= ticket;
}

void StatusHandOver::ShowQueued() {
  for (;;) {
    std::pair<std::uint64_t, std::string> next;
    {
      std::lock_guard lock(mutex_);
      if (closed_ || queued_.empty()) return;
      next = std::move(queued_.front());
      queued_.pop_front();
    }
    show_(next.second);
    std::lock_guard lock(mutex_);
    shown_ = std::max(shown_, next.first);
    shownChanged_.notify_all();
  }
}

void StatusHandOver::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  queued_.clear();
  shownChanged_.notify_all();
}

bool StatusHandOver::IsClosed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace skyvane
