#pragma once
// HistoryFile: the data file Skyvane.dat, one stored HistoryRow per line,
// appended after each download and read by every view of the history. One
// object per process, created in main() and handed down by reference.
//
// Every store operation opens the file, does its work under fileBusy and
// closes it again, so each sees what the other thread appended. The file is
// never truncated by opening it. The file's records end with the last line
// that is a record as the program writes it: whatever follows (an append cut
// short, junk, a line far too long) is passed over by the readers and moved to
// the side file "<path>.torn" by the next append, so that the records it may
// have held are downloaded again.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/clock.h"
#include "core/app/posix_file.h"
#include "core/history/file_busy.h"
#include "core/history/history_table.h"
#include "core/history/record_index.h"
#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile {
 public:
  // Results of the store operations when the file stays busy.
  static constexpr int kBusyCount = 1;

  explicit HistoryFile(const Clock& clock);
  ~HistoryFile();
  HistoryFile(const HistoryFile&) = delete;
  HistoryFile& operator=(const HistoryFile&) = delete;

  // --- Line operations (empty, 0 or false while the file is not open) ---

  // Opens path, creating it when missing, never truncating it. A file that may
  // be read but not written is opened for reading only (appends then fail).
  // Already open: true, nothing changes.
  bool OpenFile(const std::string& path);
  // Opens the path given before.
  bool OpenFile();
  void CloseFile();
  // From now on the file is only read: appends and ClearAll fail. For a
  // program that looks at a data file another program polls into.
  void KeepReadOnly();
  bool IsOpen() const;
  std::string path() const;

  // The last record line, as stored without its line end (what follows it is
  // passed over). Empty when there is none.
  std::string ReadLastLine();
  // Adds every non-blank line, trimmed, in file order; returns the list size.
  // An empty file leaves the list as it was and returns 0.
  int ReadAllLines(std::vector<std::string>& lines);
  // Writes the lines (each with its line end) at the end of the file in one
  // write and flushes them to the disk; on failure the file is as before.
  bool AppendLines(const std::vector<std::string>& lines);
  bool Truncate();

  // --- Row operations ---

  // Sets the row's saveTime to now and returns its line, CR LF included.
  std::string FormatLine(HistoryRow& row) const;
  static int ParseLine(HistoryRow& row, std::string_view line);

  // --- Store operations ---
  // The reading ones give kBusyCount when the file stays busy through three
  // 100 ms waits, and leave their output untouched then.

  // Fills grid with the stored rows whose recordTime lies in [start, end], in
  // file order, and returns their number. An empty file leaves grid as it is.
  int SearchToGrid(HistoryTable& grid, const std::string& start, const std::string& end);
  // sequenceNo of the last line, 0 without one.
  int LastSequenceNo();
  // The last line parsed into row and true; without a line the row is reset
  // and the result false.
  bool LoadLastRow(HistoryRow& row);
  // Appends the rows (given newest first) oldest first, numbered on from the
  // last line. True only when the lines are on the disk; false when the file
  // stayed busy or could not be written (the rows are not written then).
  bool AppendRows(const HistoryRowArray& rows);
  // The same, giving the rows as written (numbered, oldest first) in written;
  // written is empty when the append failed.
  bool AppendRows(const HistoryRowArray& rows, HistoryRowArray& written);
  // Why the last AppendRows or AppendLines failed (an errno value); 0 when it
  // succeeded or gave up because the file stayed busy.
  int LastAppendError() const;
  // The rows in [start, end] (replacing the array's contents when the file has
  // lines). Returns the number of lines in the file.
  int LoadRange(HistoryRowArray& rows, const std::string& start, const std::string& end);
  int LoadRange(HistoryTable& rows, const std::string& start, const std::string& end);
  // Every row; returns the number of lines in the file.
  int LoadAll(HistoryRowArray& rows);
  int LoadAll(HistoryTable& rows);
  // Empties the file. False when it stayed busy or could not be emptied.
  bool ClearAll();

  // Hands the stored lines, trimmed, to onLine from the last backwards while
  // it returns true. A read of the newest part of the history without reading
  // all of it. Blank lines and a torn append are passed over.
  enum class Scan { kDone, kBusy };
  Scan ScanBackward(const std::function<bool(std::string_view line)>& onLine);

  // Identity, size and change times of the file: what was read from it still
  // holds while its stamp is unchanged.
  struct Stamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  // The stamp of the file now; false when it cannot be opened.
  bool ReadStamp(Stamp& stamp);
  // The stamp of an open file, for readers of their own.
  static bool StampOf(int fd, Stamp& stamp);
  // What another module keeps about this file between calls (the rain code's
  // newest rows, tied to a stamp): created and read by that module, dropped
  // with the file. Touch it only while holding fileBusy.
  struct Memo {
    virtual ~Memo() = default;
  };
  std::unique_ptr<Memo>& memo() { return memo_; }

  // The guard of the file. Holding it keeps the other thread's store
  // operations out across several calls of this thread.
  FileBusy& fileBusy() { return busy_; }
  bool IsFileBusy() const { return busy_.IsSet(); }

  const Clock& clock() const { return clock_; }

 private:
  struct Tail {
    std::uint64_t size = 0;
    std::uint64_t validEnd = 0;  // where what follows the last record begins, else size
    std::string lastRecord;      // the last record line, empty without one
  };
  // Keeps the file open for one operation; the outermost one closes it.
  class Session {
   public:
    explicit Session(HistoryFile& file) : file_(file), outermost_(file.sessions_++ == 0) {
      open_ = file_.OpenLocked();
    }
    ~Session() {
      --file_.sessions_;
      if (outermost_) file_.CloseLocked();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    bool open() const { return open_; }

   private:
    HistoryFile& file_;
    bool outermost_;
    bool open_ = false;
  };
  bool OpenLocked();
  void CloseLocked();
  Tail FindTail();
  // The one load of rows: holds the file, opens it and hands its rows to the
  // sink. False when the file stayed busy; lines is the number of lines.
  template <class Sink>
  bool Load(Sink& sink, int& lines);
  template <class Sink>
  int LoadLineCount(Sink&& sink);
  template <class Sink>
  int LoadLines(Sink& sink);
  template <class Sink>
  int LoadRangeIndexed(Sink& sink);
  template <class Sink>
  bool LoadSpansQuickly(Sink& sink, const std::vector<RecordIndex::Span>& spans);
  template <class Sink>
  void LoadSpans(Sink& sink, const std::vector<RecordIndex::Span>& spans);
  bool SetAside(std::uint64_t from, std::uint64_t size);
  std::string LastLineLocked();

  const Clock& clock_;
  mutable FileBusy busy_;
  // Below: touched only while busy_ is held.
  std::string path_;
  FileDescriptor fd_;
  bool writable_ = false;
  bool readOnly_ = false;
  int openError_ = 0;  // why the file could not be opened for writing
  int lastError_ = 0;
  int sessions_ = 0;
  std::unique_ptr<Memo> memo_;
  RecordIndex index_;  // where the lines of a time range lie
};

// The side file that receives torn appends.
std::string TornAppendPath(const std::string& path);

}  // namespace skyvane
