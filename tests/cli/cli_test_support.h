#pragma once
// Two ways to drive skyvane-cli in tests: run the built program and capture
// its output and exit status, or call a registered command in-process on a
// context built around a virtual station.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_setup.h"
#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/station/station_device.h"
#include "core/transfer/virtual_station.h"
#include "support/scratch_folder.h"

extern char** environ;

namespace skyvane::test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Starts the built skyvane-cli with these arguments (no shell involved), its
// standard output and error into these files; its process id, 0 if it did not start.
inline pid_t StartCliProgram(const std::vector<std::string>& args, const std::filesystem::path& outFile,
                             const std::filesystem::path& errFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> all{SKYVANE_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, SKYVANE_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) pid = 0;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Runs the built skyvane-cli with these arguments to its end.
inline CliRun RunCliProgram(const std::vector<std::string>& args) {
  ScratchFolder capture;
  const auto outFile = capture / "out";
  const auto errFile = capture / "err";
  CliRun run;
  if (const pid_t pid = StartCliProgram(args, outFile, errFile); pid != 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  }
  run.out = ReadFileBytes(outFile);
  run.err = ReadFileBytes(errFile);
  return run;
}

// The lines of a command's output.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The text of field n from "n<TAB>text" lines that start at field first.
inline std::string Field(const std::vector<std::string>& lines, int first, int n) {
  const std::size_t i = static_cast<std::size_t>(n - first);
  if (i >= lines.size()) return "<missing>";
  const std::string prefix = std::to_string(n) + "\t";
  if (lines[i].compare(0, prefix.size(), prefix) != 0) return "<misnumbered: " + lines[i] + ">";
  return lines[i].substr(prefix.size());
}

// A command context over a virtual station, with captured output; "now" is
// the given clock's (the system's when none is given).
class InProcessCli {
 public:
  InProcessCli() : InProcessCli(SystemTime()) {}
  explicit InProcessCli(const Clock& clock)
      : ctx_{folder_.path(), settings_, text_, *device_, clock, out_, err_} {
    device_->SetClock(clock);  // the records it reads are stamped with this "now" too
  }

  VirtualStation& Station() { return *station_; }
  StationDevice& Device() { return *device_; }
  TextTable& Text() { return text_; }
  CliContext& Context() { return ctx_; }
  std::string Out() const { return out_.str(); }
  std::string Err() const { return err_.str(); }

  // Runs a registered command; -1 when no command has that name.
  int Run(const std::string& name, const std::vector<std::string>& args) {
    const CliCommand* command = FindCommand(name);
    return command != nullptr ? command->run(ctx_, args) : -1;
  }

 private:
  static const Clock& SystemTime() {
    static const SystemClock clock;
    return clock;
  }
  static std::unique_ptr<StationDevice> MakeDevice(VirtualStation*& station) {
    auto owned = std::make_unique<VirtualStation>(0x1941, 0x8021);
    station = owned.get();
    return std::make_unique<StationDevice>(std::move(owned), false, 0x1941, 0x8021);
  }

  ScratchFolder folder_;
  AppSettings settings_;
  TextTable text_{0};
  VirtualStation* station_ = nullptr;
  std::unique_ptr<StationDevice> device_ = MakeDevice(station_);
  std::ostringstream out_;
  std::ostringstream err_;
  CliContext ctx_;
};

}  // namespace skyvane::test
