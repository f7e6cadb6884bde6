#include "cli/current_reading.h"

#include <ostream>

#include "core/app/text_table.h"
#include "core/station/station_device.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

void Report(CliContext& ctx, Txt entry) {
  *ctx.err << "skyvane-cli: " << (ctx.text != nullptr ? ctx.text->Text(entry) : TextIn(entry, 0))
           << "\n";
}

}  // namespace

bool ReadCurrentBlocks(CliContext& ctx, HeaderRecord& header, AlarmRecord& alarms, HistoryRow& row) {
  if (!ctx.device->ReadHeader(header)) {
    Report(ctx, Txt::ReadSetupDataFail);
    return false;
  }
  if (!ctx.device->ReadAlarms(alarms)) {
    Report(ctx, Txt::ReadAlarmDataFail);
    return false;
  }
  if (!ctx.device->ReadWeatherRecord(IntegerValue(header[hdr::kCurrentAddress]), row)) {
    Report(ctx, Txt::ReadSetupDataFail);
    return false;
  }
  return true;
}

}  // namespace skyvane
