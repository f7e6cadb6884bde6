#include "core/history/range_stream.h"

#include <fcntl.h>

#include <cstring>
#include <utility>

#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/shared_index.h"

namespace skyvane {
namespace {

// A piece costs this much memory and takes a few milliseconds to read.
constexpr std::size_t kPiece = std::size_t{1} << 18;

}  // namespace

bool RangeStream::Open(const std::string& path, std::string start, std::string end) {
  start_ = std::move(start);
  end_ = std::move(end);
  fd_ = FileDescriptor::Open(path, O_RDONLY);
  if (!fd_) return false;
  IndexedRange range;
  if (!FindIndexedRange(fd_.get(), path, start_, end_, range)) return false;
  spans_ = std::move(range.spans);
  buffer_.assign(kPiece + kLineSlack, '\0');
  Rewind();
  return true;
}

void RangeStream::Rewind() {
  failed_ = false;
  span_ = 0;
  StartSpan();
}

// Each part begins at a line that holds every field (or the first line), so
// a fresh reader gives its rows what reading from the start would.
void RangeStream::StartSpan() {
  const bool any = span_ < spans_.size();
  offset_ = any ? spans_[span_].from : 0;
  recordsEnd_ = any ? spans_[span_].to : 0;
  kept_ = 0;
  skipping_ = false;
  reader_ = std::make_unique<ForwardRowReader>();
}

void RangeStream::HandLine(std::string_view line, const OnRow* onRow) {
  const std::string_view text = TrimLine(line);
  if (text.empty()) return;
  const std::string_view time = reader_->Next(text);
  if (time < start_ || time > end_) return;
  if (onRow) {
    (*onRow)(reader_->Fields());
  } else {
    ++counted_;
  }
}

bool RangeStream::Next(const OnRow& onRow) { return Read(&onRow); }

bool RangeStream::NextCount(std::uint64_t& found) {
  counted_ = 0;
  const bool more = Read(nullptr);
  found += counted_;
  return more;
}

bool RangeStream::Read(const OnRow* onRow) {
  if (failed_) return false;
  if (offset_ >= recordsEnd_) {
    if (span_ + 1 >= spans_.size()) return false;
    ++span_;
    StartSpan();
  }
  const std::size_t room = kPiece - kept_;
  const std::uint64_t left = recordsEnd_ - offset_;
  const std::size_t n = left < room ? static_cast<std::size_t>(left) : room;
  if (!ReadAt(fd_.get(), buffer_.data() + kept_, n, offset_)) {
    failed_ = true;
    return false;
  }
  offset_ += n;
  const char* p = buffer_.data();
  const char* const stop = buffer_.data() + kept_ + n;
  while (const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(stop - p))) {
    const char* nl = static_cast<const char*>(hit);
    const char* lineEnd = (nl > p && nl[-1] == '\r') ? nl - 1 : nl;
    const auto length = static_cast<std::size_t>(lineEnd - p);
    if (!skipping_ && length <= kLongestScannedLine) HandLine(std::string_view(p, length), onRow);
    skipping_ = false;
    p = nl + 1;
  }
  kept_ = static_cast<std::size_t>(stop - p);
  reader_->Retain();
  if (skipping_ || kept_ > kLongestScannedLine) {
    skipping_ = true;
    kept_ = 0;
  }
  if (kept_ > 0) std::memmove(buffer_.data(), p, kept_);
  if (offset_ >= recordsEnd_ && kept_ > 0 && !skipping_) {
    HandLine(std::string_view(buffer_.data(), kept_), onRow);
    kept_ = 0;
  }
  return true;
}

}  // namespace skyvane
