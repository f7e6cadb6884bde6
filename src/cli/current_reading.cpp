#include "cli/current_reading.h"

#include <ostream>

#include "cli/station_access.h"
#include "core/app/text_table.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

bool Reported(CliContext& ctx, bool ok, Txt failure) {
  if (!ok) ctx.err << "skyvane-cli: " << ctx.text.Text(failure) << "\n";
  return ok;
}

bool ReadHeaderAndAlarms(CliContext& ctx, HeaderRecord& header, AlarmRecord& alarms) {
  return Reported(ctx, ctx.device.ReadHeader(header), Txt::ReadSetupDataFail) &&
         Reported(ctx, ctx.device.ReadAlarms(alarms), Txt::ReadAlarmDataFail);
}

}  // namespace

bool ReadCurrentBlocks(CliContext& ctx, HeaderRecord& header, AlarmRecord& alarms, HistoryRow& row) {
  return ReadHeaderAndAlarms(ctx, header, alarms) &&
         Reported(ctx, ReadCurrentRecord(ctx.device, header, row), Txt::ReadSetupDataFail);
}

bool ReadStationReading(CliContext& ctx, HistoryFile& file, ReadingUnits units, HeaderRecord& header,
                        AlarmRecord& alarms, HistoryRow& reading) {
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim) || !ReadHeaderAndAlarms(ctx, header, alarms)) return false;
  return Reported(ctx, ReadCurrentReading(ctx.device, claim, file, header, alarms, reading, units),
                  Txt::ReadSetupDataFail);
}

}  // namespace skyvane
