#include "cli/data_file_access.h"

#include <filesystem>
#include <ostream>
#include <system_error>
#include <string>

#include "core/app/text_table.h"

namespace skyvane {

bool DataFileIsThere(CliContext& ctx) {
  const std::filesystem::path path = ctx.folder / kDataFileName;
  std::error_code error;
  if (std::filesystem::exists(path, error) || error) return true;  // other errors are told on opening
  ctx.err << "skyvane-cli: No data file: " << path.string() << " does not exist\n";
  return false;
}

bool CliDataFile::OpenToRead(CliContext& ctx) {
  if (!DataFileIsThere(ctx)) return false;
  file_.KeepReadOnly();
  return Open(ctx);
}

bool CliDataFile::Open(CliContext& ctx) {
  const std::filesystem::path path = ctx.folder / kDataFileName;
  if (file_.OpenFile(path.string())) return true;
  ctx.err << "skyvane-cli: the data file " << path.string() << " cannot be opened\n";
  return false;
}

bool CliDataFile::OpenForPolling(CliContext& ctx) {
  if (!Open(ctx)) return false;
  lock_ = std::make_unique<PollerLock>(file_.path());
  if (lock_->MayPoll()) return true;
  ctx.err << "skyvane-cli: "
          << FillIn(ctx.text.Text(Txt::DataFileInUse), {std::to_string(lock_->holderPid())}) << "\n";
  return false;
}

}  // namespace skyvane
