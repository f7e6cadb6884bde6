#include "core/history/shared_index.h"

#include <list>
#include <mutex>
#include <utility>

namespace skyvane {

namespace {

// Files whose indexes are kept; an index of ten years is a few hundred KiB.
constexpr std::size_t kKept = 4;

struct Kept {
  std::mutex lock;
  std::list<std::pair<std::string, RecordIndex>> indexes;  // the one used last first
};

Kept& KeptIndexes() {
  static Kept kept;
  return kept;
}

}  // namespace

bool FindIndexedRange(int fd, const std::string& path, std::string_view start, std::string_view end,
                      IndexedRange& out) {
  Kept& kept = KeptIndexes();
  std::lock_guard<std::mutex> guard(kept.lock);
  auto it = kept.indexes.begin();
  while (it != kept.indexes.end() && it->first != path) ++it;
  if (it == kept.indexes.end()) {
    kept.indexes.emplace_front(path, RecordIndex());
    if (kept.indexes.size() > kKept) kept.indexes.pop_back();
  } else {
    kept.indexes.splice(kept.indexes.begin(), kept.indexes, it);
  }
  RecordIndex& index = kept.indexes.front().second;
  if (!index.Update(fd)) return false;
  out.spans = index.Find(start, end);
  out.end = index.end();
  return true;
}

}  // namespace skyvane
