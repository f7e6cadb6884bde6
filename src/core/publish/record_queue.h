#pragma once
// RecordQueue: the records waiting for a destination (an MQTT broker, a
// time-series database) to take them, oldest first, kept in a file beside the
// data file so that a restart of the logger loses none of them.
//
// The file is a journal of lines, appended as things happen:
//   "+ID PAYLOAD"  a record was queued (ID counts up, PAYLOAD is one line)
//   "-ID"          the destination took it (or it was dropped)
//   "=SEQ"         the data file's sequence number of the newest record queued
// It is rewritten with only the waiting records when it is opened and when
// the journal has grown well beyond them. Not thread-safe: the owner guards it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

// What one queue holds, for its notes and for reading its file back.
struct RecordQueueKind {
  std::string name;         // "MQTT queue", in the notes
  std::string destination;  // "the broker", in the notes
  std::string payloadName;  // "JSON object": what a sound record is
  std::string unreadable;   // what a file that cannot be read means for the records
  std::function<bool(std::string_view)> sound;  // whether a payload read back is one
};

// Records as JSON objects, for the broker.
RecordQueueKind MqttQueueKind();

class RecordQueue {
 public:
  struct Entry {
    std::uint64_t id = 0;
    std::string payload;
  };

  // An empty path keeps the queue in memory only.
  RecordQueue(std::filesystem::path path, std::size_t capacity, RecordQueueKind kind = MqttQueueKind());
  ~RecordQueue();
  RecordQueue(const RecordQueue&) = delete;
  RecordQueue& operator=(const RecordQueue&) = delete;

  // Reads what an earlier run left and rewrites the file. Unreadable lines
  // and records that are not sound are skipped; the file that held them
  // is kept beside as "<file>.corrupt" (".corrupt.2" and on when that is
  // taken). Every note worth a log line (lines skipped, records dropped, a
  // file that cannot be read or written) is added to notes. False when the
  // file cannot be written: the queue then works in memory only; or when it
  // cannot be read (a folder at its path, an I/O error): it is left alone
  // and nothing is queued (Push is refused), as what waits in it is unknown.
  bool Open(std::vector<std::string>& notes);

  // Queues a record (one line of text, no line break). When the queue is
  // full the oldest record goes; the number dropped so far is in Dropped().
  // False (nothing queued) for a payload with a line break.
  bool Push(const std::string& payload);
  // The data file's sequence number of the newest record queued, kept so
  // that a restart finds the records saved while nothing could queue them.
  void NoteSequence(long long sequence);
  std::optional<long long> LastSequence() const { return lastSequence_; }
  // Removes a record by its id; false when it is not queued.
  bool Remove(std::uint64_t id);

  // Up to max waiting records with an id above after, oldest first.
  std::vector<Entry> After(std::uint64_t after, std::size_t max) const;
  std::size_t Size() const { return entries_.size(); }
  // Records dropped because the queue was full, since the last TakeDropped.
  std::size_t TakeDropped();
  // True once a write to the file failed (the queue goes on in memory).
  bool WriteFailed() const { return writeFailed_; }
  // True when Open could not read the file: nothing is queued.
  bool Unreadable() const { return unreadable_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  bool Rewrite();
  void Append(const std::string& line);
  // Copies the file to the first free "<file>.corrupt[.N]"; its name, or
  // empty when no copy could be made.
  std::string KeepAside() const;

  std::filesystem::path path_;
  std::size_t capacity_;
  RecordQueueKind kind_;
  std::deque<Entry> entries_;
  std::uint64_t nextId_ = 1;
  std::optional<long long> lastSequence_;
  std::size_t journalLines_ = 0;
  std::size_t dropped_ = 0;
  std::FILE* file_ = nullptr;
  bool writeFailed_ = false;
  bool unreadable_ = false;
};

}  // namespace skyvane
