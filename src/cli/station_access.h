#pragma once
// Opening the station for one command: a connection step, then the busy claim
// in its user-interface form. Failures are reported on ctx.err in one line.
#include "cli/cli.h"
#include "core/station/device_busy.h"
#include "core/station/header_record.h"

namespace skyvane {

// True when the station is connected (found now if it was not).
bool ConnectStation(CliContext& ctx);

// True when the station is connected and the claim owns the link.
bool OpenStation(CliContext& ctx, DeviceBusyClaim& claim);

// The connection step alone, for commands whose rules take the link themselves.
bool ConnectStation(CliContext& ctx);

// The header's units, as the History window reads them when it opens; the
// defaults (with a note naming command on ctx.err) when the station cannot
// give them.
HeaderRecord ReadDisplayUnits(CliContext& ctx, const char* command);

}  // namespace skyvane
