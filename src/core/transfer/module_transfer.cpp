#include "core/transfer/module_transfer.h"

#include <dlfcn.h>

#include <system_error>

namespace skyvane {

namespace {

// The module's exports (C linkage), as the station's transfer library defines them.
using FindHandleFn = int (*)(int, int);
using CheckHandleFn = unsigned char (*)(int);
using WriteDataFn = unsigned char (*)(int, unsigned char*);
using ReadDataFn = unsigned char (*)(int, unsigned char*);

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
}

}  // namespace

std::vector<std::filesystem::path> TransferModuleCandidates(const std::filesystem::path& programFolder) {
  std::vector<std::filesystem::path> candidates;
  auto add = [&](const std::filesystem::path& folder) {
    if (folder.empty()) return;
    auto path = folder / kTransferModuleName;
    for (const auto& c : candidates) {
      if (c == path) return;
    }
    candidates.push_back(path);
  };
  add(programFolder);
  const std::filesystem::path exe = ExecutableFolder();
  add(exe);
#ifdef SKYVANE_INSTALL_LIBDIR
  // An install moved to another prefix (cmake --install --prefix, a package
  // unpacked elsewhere): bin/ and lib/skyvane/ stay side by side.
  if (!exe.empty()) add(exe.parent_path() / SKYVANE_INSTALL_LIBDIR / "skyvane");
#endif
#ifdef SKYVANE_LIBDIR
  add(SKYVANE_LIBDIR);
#endif
  return candidates;
}

ModuleTransfer::ModuleTransfer(const std::vector<std::filesystem::path>& candidates) {
  for (const auto& path : candidates) {
    // Only real files: dlopen would otherwise search the system's library path.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
      loadError_ = path.string() + ": not found";
      continue;
    }
    dlerror();
    module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ != nullptr) {
      loadedPath_ = path;
      loadError_.clear();
      return;
    }
    const char* why = dlerror();
    loadError_ = why != nullptr ? why : path.string() + ": cannot be loaded";
  }
}

ModuleTransfer::~ModuleTransfer() {
  if (module_ != nullptr) dlclose(module_);
}

void* ModuleTransfer::Symbol(const char* name) const {
  if (module_ == nullptr) return nullptr;
  return dlsym(module_, name);
}

int ModuleTransfer::FindHandle(int vendorId, int productId) {
  auto fn = reinterpret_cast<FindHandleFn>(Symbol("FindHandle"));
  return fn != nullptr ? fn(vendorId, productId) : -1;
}

std::uint8_t ModuleTransfer::CheckHandle(int handle) {
  auto fn = reinterpret_cast<CheckHandleFn>(Symbol("CheckHandle"));
  return fn != nullptr ? fn(handle) : 0;
}

std::uint8_t ModuleTransfer::WriteData(int handle, const std::uint8_t* report8) {
  auto fn = reinterpret_cast<WriteDataFn>(Symbol("WriteData"));
  if (fn == nullptr) return 0;
  // The export takes a non-const pointer; hand it a copy so ours stays untouched.
  unsigned char copy[8];
  for (int i = 0; i < 8; ++i) copy[i] = report8[i];
  return fn(handle, copy);
}

std::uint8_t ModuleTransfer::ReadData(int handle, std::uint8_t* report8) {
  auto fn = reinterpret_cast<ReadDataFn>(Symbol("ReadData"));
  return fn != nullptr ? fn(handle, report8) : 0;
}

}  // namespace skyvane
