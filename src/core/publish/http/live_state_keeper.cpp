#include "core/publish/http/live_state_keeper.h"

#include "core/app/posix_file.h"

namespace skyvane {
namespace {

// A file that names an old time is written again even when nothing changed,
// so that its time tells a reader how recently the states held.
constexpr std::time_t kRefreshSeconds = 3600;

}  // namespace

LiveStateKeeper::LiveStateKeeper(std::string path, Problem problem)
    : path_(std::move(path)), problem_(std::move(problem)), thread_([this] { Work(); }) {}

LiveStateKeeper::~LiveStateKeeper() { Stop(); }

void LiveStateKeeper::OnLiveValues(const HistoryRow&, const HeaderRecord& header) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (int f : {hdr::kUnitIndoorTemp, hdr::kUnitOutdoorTemp, hdr::kUnitRain, hdr::kUnitPressure,
                hdr::kUnitWind}) {
    cycle_.units[static_cast<std::size_t>(f)] = header[static_cast<std::size_t>(f)];
  }
  haveUnits_ = true;
}

void LiveStateKeeper::OnReading(const HistoryRow&, const LampStates& lamps, std::time_t readTime) {
  std::lock_guard<std::mutex> lock(mutex_);
  cycle_.lamps = lamps;
  cycle_.seen = readTime;
  haveLamps_ = true;
}

void LiveStateKeeper::OnCycleEnded(StationSeen seen) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool complete = seen == StationSeen::kRead && haveUnits_ && haveLamps_;
    haveUnits_ = haveLamps_ = false;
    if (!complete) return;
    if (written_ && written_->SameAs(cycle_) && cycle_.seen - written_->seen < kRefreshSeconds &&
        cycle_.seen >= written_->seen) {
      return;
    }
    written_ = cycle_;
    pending_ = cycle_;
  }
  wake_.notify_one();
}

void LiveStateKeeper::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return;
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void LiveStateKeeper::Work() {
  bool failing = false;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || pending_; });
    if (!pending_) return;
    const std::string text = LiveStateText(*pending_);
    pending_.reset();
    lock.unlock();
    const ReplaceResult result = ReplaceFileAtomically(path_, text);
    if (!result.ok() && !failing && problem_) problem_(result.Message(path_));
    failing = !result.ok();
    lock.lock();
    // A failed write is tried again after the next cycle.
    if (failing) written_.reset();
  }
}

}  // namespace skyvane
