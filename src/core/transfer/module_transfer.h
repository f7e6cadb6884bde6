#pragma once
// The transfer operations of the hardware module libhidxfr.so, loaded at run
// time. Each entry point is looked up by name on every call, so a module that
// lacks one degrades to "no station" instead of failing to load.
#include <filesystem>
#include <string>
#include <vector>

#include "core/transfer/transfer.h"

namespace skyvane {

constexpr const char* kTransferModuleName = "libhidxfr.so";

// Where the module is looked for, in order: the program folder, the folder of
// the running executable, the library folder of the install the executable
// sits in (../lib/skyvane), the library folder of the configured install.
std::vector<std::filesystem::path> TransferModuleCandidates(const std::filesystem::path& programFolder);

class ModuleTransfer : public Transfer {
 public:
  // Opens the first candidate that loads; none loading is not an error here.
  explicit ModuleTransfer(const std::vector<std::filesystem::path>& candidates);
  ~ModuleTransfer() override;
  ModuleTransfer(const ModuleTransfer&) = delete;
  ModuleTransfer& operator=(const ModuleTransfer&) = delete;

  bool IsLoaded() const { return module_ != nullptr; }
  const std::filesystem::path& LoadedPath() const { return loadedPath_; }
  // Why the last candidate failed to load (empty when one loaded).
  const std::string& LoadError() const { return loadError_; }

  int FindHandle(int vendorId, int productId) override;
  std::uint8_t CheckHandle(int handle) override;
  std::uint8_t WriteData(int handle, const std::uint8_t* report8) override;
  std::uint8_t ReadData(int handle, std::uint8_t* report8) override;

 private:
  void* Symbol(const char* name) const;

  void* module_ = nullptr;
  std::filesystem::path loadedPath_;
  std::string loadError_;
};

}  // namespace skyvane
