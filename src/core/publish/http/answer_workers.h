#pragma once
// The threads that write long answers (the records of a range) while the
// event loop sends them: a fixed number, each with one answer at a time. An
// answer beyond them is refused rather than queued, so that memory and disk
// reads stay bounded however many clients ask.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace skyvane {

class AnswerWorkers {
 public:
  explicit AnswerWorkers(std::size_t count) : count_(count) {}
  ~AnswerWorkers() { Stop(); }
  AnswerWorkers(const AnswerWorkers&) = delete;
  AnswerWorkers& operator=(const AnswerWorkers&) = delete;

  void Start();
  // Waits for the jobs under way (they must end by themselves) and the threads.
  void Stop();
  // Takes a thread for a job; false when every thread has one.
  bool Reserve();
  // Runs job on the thread Reserve took.
  void Run(std::function<void()> job);

 private:
  void Work();

  const std::size_t count_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  std::size_t busy_ = 0;  // jobs reserved, waiting or running
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace skyvane
