#include "core/publish/upload/uploader.h"

#include <algorithm>

#include "core/publish/upload/answer_text.h"
#include "core/publish/upload/aprs_protocol.h"
#include "core/publish/upload/upload_transport.h"
#include "core/publish/upload/upload_values.h"
#include "core/publish/upload/wu_protocol.h"

namespace skyvane {

Uploader::Uploader(std::vector<UploadTarget> targets, HistoryFile& file, Tell problem, Tell status,
                   Options options)
    : file_(file), problem_(std::move(problem)), status_(std::move(status)), options_(std::move(options)) {
  const auto now = std::chrono::steady_clock::now();
  for (UploadTarget& t : targets) targets_.push_back(Target{std::move(t), now, 0, -1});
  for (Target& t : targets_) threads_.emplace_back([this, &t] { Loop(t); });
}

Uploader::~Uploader() { Stop(); }

void Uploader::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  stopSignal_.Raise();
  wake_.notify_all();
  for (std::thread& t : threads_) {
    if (t.joinable()) t.join();
  }
}

int Uploader::Delivered() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return delivered_;
}

void Uploader::OnReading(const HistoryRow& stored, const LampStates&, std::time_t readTime) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    latest_ = stored;
    latestTime_ = readTime;
  }
  wake_.notify_all();
}

void Uploader::Loop(Target& target) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    // A target waits for a reading newer than the one it last sent.
    if (latestTime_ <= target.lastSent) {
      wake_.wait(lock);
      continue;
    }
    if (std::chrono::steady_clock::now() < target.due) {
      wake_.wait_until(lock, target.due);
      continue;
    }
    const HistoryRow stored = latest_;
    const std::time_t readTime = latestTime_;
    lock.unlock();
    Upload(target, stored, readTime);
    lock.lock();
  }
}

UploadValues Uploader::ValuesOf(const HistoryRow& stored, std::time_t readTime) {
  std::lock_guard<std::mutex> lock(fileMutex_);
  return UploadValuesOf(stored, readTime, RainSinceMidnight(file_, stored, readTime));
}

void Uploader::Upload(Target& target, const HistoryRow& stored, std::time_t readTime) {
  const UploadTarget& c = target.config;
  const UploadValues values = ValuesOf(stored, readTime);
  UploadAnswer answer;
  if (c.protocol == UploadProtocol::kWu) {
    answer = HttpGet(c.url, WuQuery(values, c.stationId, c.key, "Skyvane " + options_.version),
                     options_.timeout, stopSignal_);
  } else {
    answer = AprsSend(AprsExchange{c.host, c.port, AprsLogin(c.callsign, c.passcode, options_.version),
                                   AprsPacket(values, c.callsign, c.latitude, c.longitude),
                                   AprsNeedsVerification(c.callsign, c.passcode)},
                      options_.timeout, stopSignal_);
  }
  // An upload given up for the stop is no failure to tell.
  if (!answer.ok && stopSignal_.raised()) return;
  target.lastSent = readTime;
  target.due = std::max(target.due + std::chrono::seconds(c.intervalSeconds),
                        std::chrono::steady_clock::now());
  const int failing = answer.ok ? 0 : 1;
  if (failing != target.failing) {
    if (answer.ok) {
      status_(target.failing == 1 ? "Upload to " + c.name + " works again."
                                  : "Uploading to " + c.name + " every " +
                                        std::to_string(c.intervalSeconds) + " s.");
    } else {
      problem_("Upload to " + c.name + " failed: " + LoggedAnswer(answer.text, c.key));
    }
    target.failing = failing;
  }
  if (answer.ok) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++delivered_;
  }
}

}  // namespace skyvane
