#pragma once
// The program folder: where Skyvane.ini, Skyvane.dat and every other file of
// the program live. Chosen, in this order, from
//   1. the --folder DIR option,
//   2. the SKYVANE_HOME environment variable,
//   3. the folder of the executable, when the user may write there (a portable install),
//   4. $XDG_DATA_HOME/skyvane, else ~/.local/share/skyvane.
// Empty values count as not given.
#include <filesystem>
#include <optional>
#include <string>

namespace skyvane {

struct ProgramFolderInputs {
  std::optional<std::string> folderOption;  // --folder DIR
  std::optional<std::string> skyvaneHome;   // $SKYVANE_HOME
  std::filesystem::path executableFolder;   // empty when unknown
  bool executableFolderWritable = false;
  std::optional<std::string> xdgDataHome;   // $XDG_DATA_HOME (ignored unless absolute)
  std::optional<std::string> home;          // $HOME
};

// The folder the inputs choose; empty when none gives one (no executable
// folder to write in and no home folder).
std::filesystem::path ChooseProgramFolder(const ProgramFolderInputs& inputs);

// The path of the running executable (from /proc/self/exe); empty when unknown.
std::filesystem::path ExecutablePath();

// The inputs of this process: its environment and executable.
ProgramFolderInputs CurrentProgramFolderInputs(const std::optional<std::string>& folderOption);

// Chooses the folder, makes it absolute and creates it when missing.
// False with a one-line message in error when there is no usable folder.
bool ResolveProgramFolder(const ProgramFolderInputs& inputs, std::filesystem::path& folder, std::string& error);

}  // namespace skyvane
