#include "core/publish/influx/influx_writer.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "core/app/number_text.h"
#include "core/history/history_line.h"
#include "core/publish/influx/line_protocol.h"
#include "core/publish/record_catch_up.h"
#include "core/publish/upload/answer_text.h"
#include "core/publish/upload/upload_transport.h"

namespace skyvane {
namespace {

// What the database said: the message of its JSON error ("error" in 1.x,
// "message" in 2.x), else its answer's first line.
std::string DatabaseMessage(const std::string& body) {
  const nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
  if (json.is_object()) {
    for (const char* key : {"error", "message"}) {
      const auto it = json.find(key);
      if (it != json.end() && it->is_string()) return it->get<std::string>();
    }
  }
  return body.substr(0, body.find_first_of("\r\n"));
}

}  // namespace

RecordQueueKind InfluxQueueKind() {
  return {"Influx queue", "the database", "point of line protocol",
          "records are not written to the database until it can be read (the data file keeps them)",
          &IsPointLine};
}

InfluxWriter::InfluxWriter(InfluxOptions options, InfluxLog log)
    : options_(std::move(options)),
      log_(std::move(log)),
      queue_(options_.queueFile, options_.queueCapacity, InfluxQueueKind()) {}

InfluxWriter::~InfluxWriter() { Stop(); }

bool InfluxWriter::Start() {
  if (thread_.joinable()) return false;
  std::vector<std::string> notes;
  {
    std::lock_guard lock(mutex_);
    queue_.Open(notes);
  }
  for (const std::string& note : notes) log_(true, "Influx: " + note);
  try {
    thread_ = std::thread([this] { Loop(); });
  } catch (const std::system_error&) {
    log_(true, "Influx: cannot start the writing thread");
    return false;
  }
  return true;
}

void InfluxWriter::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_.Raise();
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void InfluxWriter::OnRecordsSaved(const HistoryRowArray& rows) {
  std::vector<std::string> points;
  points.reserve(rows.size());
  for (const HistoryRow& row : rows) {
    std::string point = RecordPoint(row, options_.measurement, options_.station);
    if (!point.empty()) points.push_back(std::move(point));  // a record without a value has no point
  }
  long long sequence = 0;
  const bool numbered = !rows.empty() && ReadNumberText(TrimLine(rows.back()[row::sequenceNo]), sequence);
  {
    std::lock_guard lock(mutex_);
    for (const std::string& point : points) queue_.Push(point);
    if (numbered) queue_.NoteSequence(sequence);
  }
  wake_.notify_all();
}

void InfluxWriter::CatchUp(HistoryFile& file) {
  const HistoryRowArray missed = MissedRecords(queue_, mutex_, file, options_.queueCapacity);
  if (missed.empty()) return;
  log_(false, "Influx: " + std::to_string(missed.size()) +
                  " record(s) saved while nothing could queue them are queued");
  OnRecordsSaved(missed);
}

std::size_t InfluxWriter::QueuedPoints() const {
  std::lock_guard lock(mutex_);
  return queue_.Size();
}

void InfluxWriter::Loop() {
  auto retry = options_.firstRetry;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (queue_.Size() == 0) {
      wake_.wait(lock, [this] { return stopping_ || queue_.Size() > 0; });
      continue;
    }
    const bool onePoint = queue_.After(0, 1).front().id <= onePointUpTo_;
    const std::vector<RecordQueue::Entry> batch = queue_.After(0, onePoint ? 1 : options_.batchSize);
    lock.unlock();
    std::string said;
    const Answer answer = Write(batch, said);
    LogQueueTrouble();
    if (answer == Answer::kStopped) return;
    if (answer == Answer::kFailed) {
      LogFailure(said);
      lock.lock();
      wake_.wait_for(lock, retry, [this] { return stopping_; });
      retry = std::min(retry * 2, options_.lastRetry);
      continue;
    }
    retry = options_.firstRetry;
    if (!lastFailure_.empty()) {
      lastFailure_.clear();
      log_(false, "Influx: writing to " + options_.where + " again");
    }
    if (answer == Answer::kRefused && batch.size() > 1) {
      // Which of them is refused shows only when each goes alone.
      onePointUpTo_ = batch.back().id;
      lock.lock();
      continue;
    }
    if (answer == Answer::kRefused) SetAside(batch.front(), said);
    lock.lock();
    for (const RecordQueue::Entry& e : batch) queue_.Remove(e.id);
  }
}

InfluxWriter::Answer InfluxWriter::Write(const std::vector<RecordQueue::Entry>& batch, std::string& said) {
  std::string body;
  for (const RecordQueue::Entry& e : batch) body += e.payload + "\n";
  std::vector<std::string> headers{"Content-Type: text/plain; charset=utf-8"};
  if (!options_.token.empty()) headers.push_back("Authorization: Token " + options_.token);
  const HttpExchangeResult result = HttpExchange(options_.writeUrl, &body, headers, options_.timeout, stop_);
  if (result.stopped) return Answer::kStopped;
  if (result.status == 0) {
    said = LoggedAnswer(result.error, options_.token);
    return Answer::kFailed;
  }
  const std::string message = LoggedAnswer(DatabaseMessage(result.body), options_.token);
  said = "HTTP " + std::to_string(result.status) + (message.empty() ? "" : ": " + message);
  if (result.status >= 200 && result.status < 300) return Answer::kTaken;
  // What the database refuses to parse or store; anything else (no such
  // database, no permission, a server in trouble) may mend itself.
  if (result.status == 400 || result.status == 422) return Answer::kRefused;
  return Answer::kFailed;
}

void InfluxWriter::SetAside(const RecordQueue::Entry& point, const std::string& said) {
  bool kept = false;
  if (!options_.refusedFile.empty()) {
    if (std::FILE* out = std::fopen(options_.refusedFile.c_str(), "ab")) {
      kept = std::fprintf(out, "%s\n", point.payload.c_str()) > 0;
      kept = std::fclose(out) == 0 && kept;
    }
  }
  log_(true, "Influx: the database at " + options_.where + " refused a point (" + said + "); " +
                 (kept ? "it is set aside in " + options_.refusedFile.string()
                       : std::string("it is dropped")));
}

void InfluxWriter::LogFailure(const std::string& reason) {
  if (reason == lastFailure_) return;
  lastFailure_ = reason;
  log_(true, "Influx: cannot write to " + options_.where + ": " + reason + "; trying again in the background");
}

void InfluxWriter::LogQueueTrouble() {
  std::size_t dropped = 0;
  bool writeFailed = false;
  {
    std::lock_guard lock(mutex_);
    dropped = queue_.TakeDropped();
    writeFailed = queue_.WriteFailed();
  }
  if (dropped > 0) {
    log_(true, "Influx: the queue of points for the database is full (" +
                   std::to_string(options_.queueCapacity) + "); dropped the " + std::to_string(dropped) +
                   " oldest");
  }
  if (writeFailed && !writeFailureLogged_) {
    writeFailureLogged_ = true;
    log_(true, "Influx: cannot write the queue file " + options_.queueFile.string() +
                   "; points waiting for the database are kept in memory only");
  }
}

}  // namespace skyvane
