#include "core/publish/http/records_answer.h"

namespace skyvane {

bool RecordsAnswer::Open(const std::string& path, const RecordsQuery& query) {
  query_ = query;
  return stream_.Open(path, query.start, query.end);
}

bool RecordsAnswer::Count() {
  if (counted_) return false;
  if (stream_.NextCount(found_)) return true;
  counted_ = true;
  stream_.Rewind();
  picker_ = RowPicker(static_cast<std::size_t>(found_), query_.maxPoints);
  return false;
}

bool RecordsAnswer::Produce(std::string& out) {
  if (done_) return false;
  if (!begun_) {
    begun_ = true;
    out += query_.csv ? RecordsCsvHead(query_) : "[";
    return true;
  }
  const bool more = stream_.Next([this, &out](const HistoryTable::FieldViews& fields) {
    if (!picker_.Take()) return;
    for (int f = 0; f < row::kCount; ++f) row_[f].assign(fields[f]);
    if (query_.csv) {
      AppendRecordCsv(out, row_, query_);
      return;
    }
    if (!first_) out += ",\n";
    first_ = false;
    AppendRecordJson(out, row_, query_);
  });
  if (!more) {
    done_ = true;
    if (!query_.csv) out += "]\n";
  }
  return true;
}

}  // namespace skyvane
