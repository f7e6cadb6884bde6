#include "core/publish/record_queue.h"

#include "core/publish/mqtt/file_lines.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <system_error>
#include <utility>

namespace skyvane {

namespace {

// A journal this many lines beyond the waiting records is rewritten.
constexpr std::size_t kJournalSlack = 256;
// A record is one reading of a few hundred bytes; a longer line is none of ours.
constexpr std::size_t kMaxLine = 64 * 1024;
constexpr int kMaxCorruptCopies = 1000;

bool IsJsonObject(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos || text[first] != '{') return false;
  return nlohmann::json::accept(text);
}

bool ParseId(std::string_view text, std::uint64_t& id) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  return ec == std::errc() && end == text.data() + text.size() && id > 0;
}

bool ParseSequence(std::string_view text, long long& sequence) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), sequence);
  return ec == std::errc() && end == text.data() + text.size() && sequence >= 0;
}

}  // namespace

RecordQueueKind MqttQueueKind() {
  return {"MQTT queue", "the broker", "JSON object",
          "records are not published until it can be read (the data file keeps them), live values are",
          &IsJsonObject};
}

RecordQueue::RecordQueue(std::filesystem::path path, std::size_t capacity, RecordQueueKind kind)
    : path_(std::move(path)), capacity_(std::max<std::size_t>(capacity, 1)), kind_(std::move(kind)) {}

RecordQueue::~RecordQueue() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RecordQueue::Open(std::vector<std::string>& notes) {
  if (path_.empty()) return true;
  std::size_t bad = 0;
  std::size_t notObjects = 0;
  std::size_t over = 0;
  const int rc = ReadFileLines(path_, kMaxLine, [&](std::string_view line, LineEnd end) {
    std::uint64_t id = 0;
    if (end != LineEnd::kWhole) {  // cut short by a write that never ended, or no line of ours
      ++bad;
    } else if (line.starts_with('+')) {
      const std::size_t space = line.find(' ');
      const std::string_view payload =
          space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
      if (space == std::string_view::npos || !ParseId(line.substr(1, space - 1), id) ||
          id < nextId_ || payload.empty()) {
        ++bad;
      } else if (!kind_.sound(payload)) {
        ++notObjects;
      } else {
        entries_.push_back(Entry{id, std::string(payload)});
        nextId_ = id + 1;
        // Memory stays bounded whatever the file holds.
        if (entries_.size() > capacity_) {
          entries_.pop_front();
          ++over;
        }
      }
    } else if (long long sequence = 0; line.starts_with('=') && ParseSequence(line.substr(1), sequence)) {
      lastSequence_ = sequence;
    } else if (line.starts_with('-') && ParseId(line.substr(1), id)) {
      // Ids only grow along the file: a binary search keeps a long journal quick.
      const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                       [](const Entry& e, std::uint64_t wanted) { return e.id < wanted; });
      if (it != entries_.end() && it->id == id) entries_.erase(it);
    } else {
      ++bad;
    }
  });
  const std::string name = path_.filename().string();
  if (rc != 0 && rc != ENOENT) {
    // Nothing is known of what waits in it: the file is left as it is for
    // the user to mend, and the records stay in the data file meanwhile.
    entries_.clear();
    lastSequence_.reset();
    unreadable_ = true;
    notes.push_back("cannot read the " + kind_.name + " " + path_.string() + ": " + std::strerror(rc) + "; " +
                    kind_.unreadable);
    return false;
  }
  if (bad > 0 || notObjects > 0) {
    const std::string kept = KeepAside();
    std::string note = "the " + kind_.name + " " + name + " had ";
    if (bad > 0) note += std::to_string(bad) + " unreadable line(s), skipped";
    if (bad > 0 && notObjects > 0) note += ", and ";
    if (notObjects > 0) note += std::to_string(notObjects) + " record(s) that are no " + kind_.payloadName + ", set aside";
    note += "; " + (kept.empty() ? std::string("it could not be kept aside")
                                 : "the file as it was is kept as " + kept) +
            "; the " + std::to_string(entries_.size()) +
            " record(s) it still held are queued and the data file is untouched";
    notes.push_back(note);
  }
  if (over > 0) {
    notes.push_back("the " + kind_.name + " " + name + " held more records than it may; dropped the " +
                    std::to_string(over) + " oldest");
  }
  if (!Rewrite()) {
    notes.push_back("cannot write the " + kind_.name + " " + path_.string() + "; records waiting for " +
                    kind_.destination + " are kept in memory only");
    return false;
  }
  return true;
}

std::string RecordQueue::KeepAside() const {
  // Numbered, so that no earlier copy is ever overwritten.
  for (int n = 1; n <= kMaxCorruptCopies; ++n) {
    std::filesystem::path kept = path_;
    kept += n == 1 ? std::string(".corrupt") : ".corrupt." + std::to_string(n);
    std::error_code ec;
    if (std::filesystem::exists(kept, ec) || ec) continue;
    if (std::filesystem::copy_file(path_, kept, std::filesystem::copy_options::none, ec)) {
      return kept.filename().string();
    }
    if (!std::filesystem::exists(kept, ec)) return "";  // not a name taken meanwhile: the copy failed
  }
  return "";
}

bool RecordQueue::Rewrite() {
  if (path_.empty()) return true;
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::filesystem::path temp = path_;
  temp += ".new";
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  bool ok = out != nullptr;
  if (ok && lastSequence_) ok = std::fprintf(out, "=%lld\n", *lastSequence_) > 0;
  for (const Entry& e : entries_) {
    if (!ok) break;
    ok = std::fprintf(out, "+%llu %s\n", static_cast<unsigned long long>(e.id), e.payload.c_str()) > 0;
  }
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, path_, ec);
  if (!ok || ec) {
    std::filesystem::remove(temp, ec);
    writeFailed_ = true;
    return false;
  }
  journalLines_ = entries_.size();
  file_ = std::fopen(path_.c_str(), "ab");
  if (file_ == nullptr) writeFailed_ = true;
  return file_ != nullptr;
}

void RecordQueue::Append(const std::string& line) {
  if (path_.empty() || writeFailed_) return;
  if (journalLines_ > 2 * entries_.size() + kJournalSlack) {
    Rewrite();
    return;
  }
  if (file_ == nullptr || std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0) {
    writeFailed_ = true;
    return;
  }
  ++journalLines_;
}

bool RecordQueue::Push(const std::string& payload) {
  if (unreadable_ || payload.empty() || payload.find_first_of("\r\n") != std::string::npos) return false;
  while (entries_.size() >= capacity_) {
    const std::uint64_t oldest = entries_.front().id;
    entries_.pop_front();
    ++dropped_;
    Append("-" + std::to_string(oldest) + "\n");
  }
  const std::uint64_t id = nextId_++;
  entries_.push_back(Entry{id, payload});
  Append("+" + std::to_string(id) + " " + payload + "\n");
  return true;
}

void RecordQueue::NoteSequence(long long sequence) {
  if (unreadable_) return;
  lastSequence_ = sequence;
  Append("=" + std::to_string(sequence) + "\n");
}

bool RecordQueue::Remove(std::uint64_t id) {
  // Acknowledgements come nearly always for the oldest record.
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [id](const Entry& e) { return e.id == id; });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  Append("-" + std::to_string(id) + "\n");
  return true;
}

std::vector<RecordQueue::Entry> RecordQueue::After(std::uint64_t after, std::size_t max) const {
  std::vector<Entry> out;
  auto it = std::upper_bound(entries_.begin(), entries_.end(), after,
                             [](std::uint64_t id, const Entry& e) { return id < e.id; });
  for (; it != entries_.end() && out.size() < max; ++it) out.push_back(*it);
  return out;
}

std::size_t RecordQueue::TakeDropped() { return std::exchange(dropped_, 0); }

}  // namespace skyvane
