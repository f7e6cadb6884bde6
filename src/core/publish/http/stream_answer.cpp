#include "core/publish/http/stream_answer.h"

#include <algorithm>
#include <cstring>

namespace skyvane {

void StreamAnswer::WakeLocked() {
  if (suspended_) {
    suspended_ = false;
    MHD_resume_connection(connection_);
  }
}

bool StreamAnswer::Push(const std::string& text) {
  std::unique_lock<std::mutex> lock(mutex_);
  taken_.wait(lock, [this] { return closed_ || held_.size() - sent_ <= bound_; });
  if (closed_) return false;
  held_ += text;
  WakeLocked();
  return true;
}

bool StreamAnswer::Offer(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) return false;
  if (held_.size() - sent_ > bound_) {
    // A client that reads nothing is not kept up with.
    closed_ = cut_ = true;
  } else {
    held_ += text;
  }
  WakeLocked();
  return !closed_;
}

void StreamAnswer::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  finished_ = true;
  WakeLocked();
}

void StreamAnswer::Close(bool error) {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  cut_ = cut_ || error;
  WakeLocked();
  taken_.notify_all();
}

void StreamAnswer::Release() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  suspended_ = false;
  taken_.notify_all();
}

bool StreamAnswer::closed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

ssize_t StreamAnswer::Read(char* out, std::size_t max) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (cut_) return MHD_CONTENT_READER_END_WITH_ERROR;
  const std::size_t n = std::min(max, held_.size() - sent_);
  if (n > 0) {
    std::memcpy(out, held_.data() + sent_, n);
    sent_ += n;
    if (sent_ == held_.size()) {
      held_.clear();
      sent_ = 0;
    }
    taken_.notify_all();
    return static_cast<ssize_t>(n);
  }
  if (finished_ || closed_) return MHD_CONTENT_READER_END_OF_STREAM;
  // Nothing yet: the connection waits outside the event loop until Push.
  suspended_ = true;
  MHD_suspend_connection(connection_);
  return 0;
}

MHD_Response* StreamAnswer::Response(const std::shared_ptr<StreamAnswer>& answer) {
  auto* kept = new std::shared_ptr<StreamAnswer>(answer);
  return MHD_create_response_from_callback(
      MHD_SIZE_UNKNOWN, 16 * 1024,
      [](void* cls, std::uint64_t, char* out, std::size_t max) {
        return (*static_cast<std::shared_ptr<StreamAnswer>*>(cls))->Read(out, max);
      },
      kept,
      [](void* cls) {
        auto* held = static_cast<std::shared_ptr<StreamAnswer>*>(cls);
        (*held)->Release();
        delete held;
      });
}

}  // namespace skyvane
