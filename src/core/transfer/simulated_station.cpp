#include "core/transfer/simulated_station.h"

#include <ctime>
#include <fstream>
#include <sstream>

#include "core/transfer/report_format.h"
#include "core/transfer/sim/sim_state.h"
#include "core/transfer/sim/station_setup.h"

namespace skyvane {

namespace {

constexpr std::int64_t kSaveEveryMs = 2000;
constexpr std::int64_t kFaultsPollMs = 250;

int MachineTimeZoneHours(std::int64_t now) {
  std::tm local{};
  const auto t = static_cast<std::time_t>(now);
  localtime_r(&t, &local);
  return static_cast<int>(local.tm_gmtoff / 3600);
}

std::uint64_t FreshSeed(std::int64_t realNow) {
  std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ static_cast<std::uint64_t>(realNow);
}

// Renames file to "<name>.bad" (or "<name>.bad.2", ... when that is taken).
bool SetAside(const std::filesystem::path& file, std::filesystem::path& aside, std::string& error) {
  std::error_code ec;
  for (int n = 1; n < 1000; ++n) {
    aside = file;
    aside += n == 1 ? std::string(".bad") : ".bad." + std::to_string(n);
    if (std::filesystem::exists(aside, ec) || ec) continue;
    std::filesystem::rename(file, aside, ec);
    if (!ec) return true;
    error = file.string() + ": cannot be read, nor set aside: " + ec.message();
    return false;
  }
  error = file.string() + ": cannot be read, and there is no free name to set it aside";
  return false;
}

}  // namespace

std::filesystem::path DefaultSimulationFolder(const std::filesystem::path& programFolder) {
  return programFolder / "station";
}

SimulatedStation::SimulatedStation(const SimOptions& options, const sim::SimState& state)
    : folder_(options.folder),
      station_(options.vendorId, options.productId),
      clock_(options.realTime, options.speed),
      sim_(state),
      random_(state.seed ^ 0x5EEDFA17ULL) {}

std::unique_ptr<SimulatedStation> SimulatedStation::Open(const SimOptions& options,
                                                         std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(options.folder, ec);
  if (ec) {
    error = options.folder.string() + ": cannot create the station folder: " + ec.message();
    return nullptr;
  }
  const auto imageFile = options.folder / kSimImageName;
  StationMemory memory;
  const bool haveImage = std::filesystem::exists(imageFile, ec);
  if (haveImage && !memory.Load(imageFile, error)) return nullptr;
  const sim::MemorySpan bytes(memory.Bytes());
  if (haveImage && !sim::IsInService(bytes)) {
    // Somebody's image, not one this station left: never overwrite it.
    error = imageFile.string() +
            ": not the memory of a station in service; move it away to start a new station";
    return nullptr;
  }

  const sim::RealTimeSource real = options.realTime ? options.realTime : &sim::SystemRealTimeMs;
  const std::int64_t realNow = real();
  sim::SimState state;
  std::string stateError;
  const auto stateFile = options.folder / kSimStateName;
  const bool haveState = haveImage && sim::LoadSimState(stateFile, state, stateError);
  std::string notice;
  if (haveImage && !haveState && std::filesystem::exists(stateFile, ec)) {
    // The next save would overwrite it: keep it for whoever wants to look.
    std::filesystem::path aside;
    if (!SetAside(stateFile, aside, error)) return nullptr;
    notice = stateError + "; kept as " + aside.filename().string() +
             ", and the station's weather starts anew";
  }
  if (options.seed) {
    state.seed = *options.seed;
  } else if (!haveState) {
    state.seed = FreshSeed(realNow);
  }

  std::unique_ptr<SimulatedStation> station(new SimulatedStation(options, state));
  std::int64_t now = realNow / 1000;
  if (haveState) {
    // The station kept going while the program was away.
    now = state.stationTime + std::max<std::int64_t>(0, realNow - state.savedAtMs) / 1000;
    station->sim_.Resume(bytes);
  } else if (haveImage) {
    station->sim_.Adopt(bytes, now);
  } else {
    station->sim_.SetUp(bytes, now, options.prefillDays,
                        options.timeZoneHours.value_or(MachineTimeZoneHours(now)));
  }
  station->clock_.Start(now);
  station->sim_.Run(bytes, now);
  if (!station->SaveLocked(memory, error)) return nullptr;
  if (!station->station_.LoadImage(imageFile, error)) return nullptr;
  station->station_.SetCommandHook(
      [raw = station.get()](StationMemory& m, const report::Report& c) { raw->OnCommand(m, c); });
  station->PollFaultsFile();
  station->openNotice_ = std::move(notice);
  return station;
}

SimulatedStation::~SimulatedStation() {
  station_.SetCommandHook(nullptr);
  std::string error;
  station_.WithMemory([&](StationMemory& memory) { SaveLocked(memory, error); });
}

bool SimulatedStation::SaveLocked(const StationMemory& memory, std::string& error) {
  sim::SimState state = sim_.State();
  state.savedAtMs = clock_.RealNowMs();
  lastSaveMs_ = state.savedAtMs;
  // The image first: a state that is older than its image only replays a little.
  return memory.Save(folder_ / kSimImageName, error) &&
         sim::SaveSimState(folder_ / kSimStateName, state, error);
}

bool SimulatedStation::Save(std::string& error) {
  bool ok = false;
  station_.WithMemory([&](StationMemory& memory) {
    sim_.Run(sim::MemorySpan(memory.Bytes()), clock_.StationNow());
    ok = SaveLocked(memory, error);
  });
  return ok;
}

void SimulatedStation::CatchUp() {
  station_.WithMemory(
      [&](StationMemory& memory) { sim_.Run(sim::MemorySpan(memory.Bytes()), clock_.StationNow()); });
}

std::int64_t SimulatedStation::StationTime() {
  std::int64_t t = 0;
  station_.WithMemory([&](StationMemory&) { t = clock_.StationNow(); });
  return t;
}

sim::SimState SimulatedStation::State() {
  sim::SimState state;
  station_.WithMemory([&](StationMemory&) { state = sim_.State(); });
  return state;
}

// Runs under the virtual station's lock before each command is served.
void SimulatedStation::OnCommand(StationMemory& memory, const report::Report& command) {
  if (torn_) {
    memory.Write(torn_->first, torn_->second.data(), memmap::kBlockSize);
    torn_.reset();
  }
  sim_.Run(sim::MemorySpan(memory.Bytes()), clock_.StationNow());
  if (clock_.RealNowMs() - lastSaveMs_ >= kSaveEveryMs) {
    std::string error;
    SaveLocked(memory, error);  // tried again at the next command; nothing is lost meanwhile
  }
  TearIfDue(memory, command);
}

// The base unit rewrites its running record every refresh; a read that meets
// it halfway sees a record that is neither the old one nor the new one.
void SimulatedStation::TearIfDue(StationMemory& memory, const report::Report& command) {
  if (command[0] != report::kReadBlock) return;
  const std::uint16_t address = report::CommandAddress(command.data());
  const std::uint16_t running = sim::CurrentAddress(sim::ConstMemorySpan(memory.Bytes()));
  if (running < address || running >= address + memmap::kBlockSize) return;
  int oneIn = 0;
  {
    std::lock_guard lock(faultsMutex_);
    oneIn = faults_.tornOneIn;
  }
  if (!Chance(oneIn)) return;
  std::array<std::uint8_t, memmap::kBlockSize> before;
  memory.Read(address, before.data(), memmap::kBlockSize);
  torn_.emplace(address, before);
  memory.Set(static_cast<std::uint16_t>(running + 1), 0xEE);  // humidity 238
  memory.Set(static_cast<std::uint16_t>(running + 5), 0xFE);  // temperature 3276.6 °C
  memory.Set(static_cast<std::uint16_t>(running + 6), 0x7F);
}

bool SimulatedStation::Chance(int oneIn) {
  if (oneIn <= 0) return false;
  std::lock_guard lock(faultsMutex_);
  return random_() % static_cast<std::uint64_t>(oneIn) == 0;
}

void SimulatedStation::SetFaults(const sim::SimFaults& faults) { ApplyFaults(faults); }

sim::SimFaults SimulatedStation::Faults() {
  PollFaultsFile();
  std::lock_guard lock(faultsMutex_);
  return faults_;
}

std::string SimulatedStation::FaultsError() {
  PollFaultsFile();
  std::lock_guard lock(faultsMutex_);
  return faultsError_;
}

void SimulatedStation::ApplyFaults(const sim::SimFaults& faults) {
  sim::SimFaults before;
  {
    std::lock_guard lock(faultsMutex_);
    before = faults_;
    faults_ = faults;
  }
  // The station's own lock is taken outside ours: its hook takes ours inside it.
  if (faults.silent != before.silent) station_.SetSilent(faults.silent);
  if (faults.unplugged && !before.unplugged) station_.Unplug();
  if (!faults.unplugged && before.unplugged) station_.Replug();
}

void SimulatedStation::PollFaultsFile() {
  std::unique_lock poll(pollMutex_, std::try_to_lock);
  if (!poll.owns_lock()) return;  // the other thread is looking right now
  const std::int64_t now = clock_.RealNowMs();
  if (now < nextFaultsPollMs_) return;
  nextFaultsPollMs_ = now + kFaultsPollMs;
  const auto file = folder_ / kSimFaultsName;
  std::error_code ec;
  const auto stamp = std::filesystem::last_write_time(file, ec);
  if (ec) {
    if (!faultsFileSeen_) return;
    faultsFileSeen_ = false;
    ApplyFaults(sim::SimFaults{});
    return;
  }
  if (faultsFileSeen_ && stamp == faultsStamp_) return;
  faultsFileSeen_ = true;
  faultsStamp_ = stamp;
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  sim::SimFaults faults;
  std::string error;
  sim::ParseSimFaults(text.str(), faults, error);
  {
    std::lock_guard lock(faultsMutex_);
    faultsError_ = error;
  }
  ApplyFaults(faults);
}

int SimulatedStation::FindHandle(int vendorId, int productId) {
  PollFaultsFile();
  return station_.FindHandle(vendorId, productId);
}

std::uint8_t SimulatedStation::CheckHandle(int handle) {
  PollFaultsFile();
  return station_.CheckHandle(handle);
}

std::uint8_t SimulatedStation::WriteData(int handle, const std::uint8_t* report8) {
  PollFaultsFile();
  return station_.WriteData(handle, report8);
}

std::uint8_t SimulatedStation::ReadData(int handle, std::uint8_t* report8) {
  const std::uint8_t got = station_.ReadData(handle, report8);
  if (got == 0) return 0;
  int oneIn = 0;
  {
    std::lock_guard lock(faultsMutex_);
    oneIn = faults_.loseOneIn;
  }
  return Chance(oneIn) ? 0 : got;  // taken from the station, never delivered
}

std::unique_ptr<Transfer> MakeSimulatedStation(const SimOptions& options, std::string& error,
                                               std::string* notice) {
  auto station = SimulatedStation::Open(options, error);
  if (station && notice != nullptr) *notice = station->OpenNotice();
  return station;
}

}  // namespace skyvane
