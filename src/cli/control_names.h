#pragma once
// What the dialog commands (setup, alarm, scope) share: NAME=VALUE arguments
// (NAME as ControlName gives it), list entries given by text, and the
// dialogs' messages on the error stream.
#include <span>
#include <string>
#include <string_view>

#include "cli/cli.h"
#include "core/dialogs/control_name.h"
#include "core/dialogs/dialog_station.h"

namespace skyvane {

// "NAME=VALUE" split at the first '='; false when there is none or NAME is empty.
bool SplitAssignment(const std::string& arg, std::string& name, std::string& value);

// Position of the item whose text equals value, ignoring letter case and
// blanks at either end; -1 when none does.
int FindItem(std::span<const char* const> items, const std::string& value);

// The items joined by ", " for a usage message or the help text.
std::string ItemList(std::span<const char* const> items);

// One line per message, in the user's language, on ctx.err.
void PrintDialogMessages(CliContext& ctx, const DialogMessages& messages);

// A dialog's save as a command's end: its messages, then the exit status.
int SaveExitStatus(CliContext& ctx, const SaveOutcome& outcome);

// The text of an entry in the user's language.
std::string EntryText(const CliContext& ctx, Txt entry);

}  // namespace skyvane
