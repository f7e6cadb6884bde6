#include "cli/data_file_access.h"

#include <ostream>

namespace skyvane {

bool CliDataFile::Open(CliContext& ctx) {
  const std::filesystem::path path = ctx.folder / kDataFileName;
  if (file_.OpenFile(path.string())) return true;
  *ctx.err << "skyvane-cli: the data file " << path.string() << " cannot be opened\n";
  return false;
}

}  // namespace skyvane
