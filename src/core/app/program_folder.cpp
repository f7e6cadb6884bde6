#include "core/app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace skyvane {
namespace {

bool Given(const std::optional<std::string>& value) { return value && !value->empty(); }

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::filesystem::path ChooseProgramFolder(const ProgramFolderInputs& in) {
  if (Given(in.folderOption)) return *in.folderOption;
  if (Given(in.skyvaneHome)) return *in.skyvaneHome;
  if (!in.executableFolder.empty() && in.executableFolderWritable) return in.executableFolder;
  // Relative values of XDG_DATA_HOME are invalid and are ignored.
  if (Given(in.xdgDataHome) && std::filesystem::path(*in.xdgDataHome).is_absolute()) {
    return std::filesystem::path(*in.xdgDataHome) / "skyvane";
  }
  if (Given(in.home)) return std::filesystem::path(*in.home) / ".local" / "share" / "skyvane";
  return {};
}

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
}

ProgramFolderInputs CurrentProgramFolderInputs(const std::optional<std::string>& folderOption) {
  ProgramFolderInputs in;
  in.folderOption = folderOption;
  in.skyvaneHome = Env("SKYVANE_HOME");
  std::filesystem::path exe = ExecutablePath();
  if (!exe.empty()) {
    in.executableFolder = exe.parent_path();
    in.executableFolderWritable = ::access(in.executableFolder.c_str(), W_OK) == 0;
  }
  in.xdgDataHome = Env("XDG_DATA_HOME");
  in.home = Env("HOME");
  return in;
}

bool ResolveProgramFolder(const ProgramFolderInputs& inputs, std::filesystem::path& folder, std::string& error) {
  std::filesystem::path chosen = ChooseProgramFolder(inputs);
  if (chosen.empty()) {
    error = "No program folder: give --folder DIR or set SKYVANE_HOME.";
    return false;
  }
  std::error_code ec;
  chosen = std::filesystem::absolute(chosen, ec).lexically_normal();
  if (ec) {
    error = "Cannot use program folder " + chosen.string() + ": " + ec.message();
    return false;
  }
  if (!std::filesystem::exists(chosen, ec)) {
    std::filesystem::create_directories(chosen, ec);
    if (ec) {
      error = "Cannot create program folder " + chosen.string() + ": " + ec.message();
      return false;
    }
  }
  if (!std::filesystem::is_directory(chosen, ec)) {
    error = "Program folder " + chosen.string() + " is not a folder.";
    return false;
  }
  // A trailing separator would make folder / "Skyvane.ini" and the folder's
  // own name disagree in messages; keep the plain form.
  if (!chosen.has_filename() && chosen.has_relative_path()) chosen = chosen.parent_path();
  folder = chosen;
  return true;
}

}  // namespace skyvane
