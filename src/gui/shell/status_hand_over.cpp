#include "gui/shell/status_hand_over.h"

#include <QThread>
#include <algorithm>

namespace skyvane {

StatusHandOver::StatusHandOver(std::function<void(const std::string&)> show)
    : show_(std::move(show)) {}

StatusHandOver::~StatusHandOver() { Close(); }

bool StatusHandOver::Deliver(const std::string& text) {
  if (QThread::currentThread() == context_.thread()) {
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
  }
  QMetaObject::invokeMethod(
      &context_,
      [this, ticket, text] {
        {
          std::lock_guard lock(mutex_);
          if (closed_) return;
        }
        show_(text);
        std::lock_guard lock(mutex_);
        shown_ = std::max(shown_, ticket);
        shownChanged_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  shownChanged_.wait(lock, [&] { return closed_ || shown_ >= ticket; });
  return shown_ >= ticket;
}

void StatusHandOver::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  shownChanged_.notify_all();
}

bool StatusHandOver::IsClosed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace skyvane
