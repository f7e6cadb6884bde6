#include "history_window_support.h"

namespace skyvane::test {

HistoryRow StoredRowAt(std::time_t recordTime) {
  HistoryRow r = testing::StoredRow(LocalStamp(recordTime), "30.0", "0.0", "25.4");
  r[row::flag1 + 6] = "0";
  return r;
}

WindowRig::WindowRig(int languageIndex)
    : now(LocalTime(2024, 3, 1, 12, 0, 0)), clock(now), text(languageIndex), file(clock) {
  file.OpenFile(DataPath().string());
  auto owned = std::make_unique<VirtualStation>(0x1941, 0x8021);
  station = owned.get();
  station->Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
  device = std::make_unique<StationDevice>(std::move(owned), false, 0x1941, 0x8021);
  device->UpdateConnection();
  prompts.message = [this](QWidget*, const QString& t) { messages << t; };
  prompts.ask = [this](QWidget*, const QString& question, const QString& caption) {
    questions << question;
    captions << caption;
    return answer;
  };
  prompts.sleep = [this](std::chrono::milliseconds) { ++sleeps; };
}

void WindowRig::Store(const std::vector<std::time_t>& times) {
  HistoryRowArray rows;
  for (auto it = times.rbegin(); it != times.rend(); ++it) rows.push_back(StoredRowAt(*it));
  ASSERT_TRUE(file.AppendRows(rows));
}

std::string WindowRig::DataBytes() const { return ReadFileBytes(DataPath()); }

void WindowRig::UseImperialUnits() {
  const std::uint8_t units[] = {0x47, 0x02};
  station->Memory().Write(0x11, units, 2);
}

void WindowRig::UseMetricUnits() {
  const std::uint8_t units[] = {0x20, 0x01};
  station->Memory().Write(0x11, units, 2);
}

OnModal::OnModal(Finder find, std::function<void(QWidget*)> action,
                 std::chrono::milliseconds timeout)
    : find_(std::move(find)),
      action_(std::move(action)),
      deadline_(std::chrono::steady_clock::now() + timeout) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(10);
}

void OnModal::Poll() {
  if (std::chrono::steady_clock::now() > deadline_) {
    timer_.stop();
    return;
  }
  QWidget* w = find_();
  if (w == nullptr || !w->isVisible()) return;
  timer_.stop();
  seen_ = true;
  action_(w);
}

}  // namespace skyvane::test
