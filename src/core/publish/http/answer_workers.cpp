#include "core/publish/http/answer_workers.h"

#include <utility>

namespace skyvane {

void AnswerWorkers::Start() {
  stopping_ = false;
  for (std::size_t i = 0; i < count_; ++i) threads_.emplace_back([this] { Work(); });
}

void AnswerWorkers::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

bool AnswerWorkers::Reserve() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (stopping_ || busy_ >= count_) return false;
  ++busy_;
  return true;
}

void AnswerWorkers::Run(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  ready_.notify_one();
}

void AnswerWorkers::Work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      // A job reserved before the stop still runs.
      ready_.wait(lock, [this] { return !jobs_.empty() || (stopping_ && busy_ == 0); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      --busy_;
    }
    ready_.notify_all();
  }
}

}  // namespace skyvane
