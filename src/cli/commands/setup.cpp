// skyvane-cli setup: the Setup dialog without a display. Without arguments it
// prints what the dialog shows; with NAME=VALUE arguments it sets those
// controls (in the order given), checks them as the dialog does and runs its
// save sequence.
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/control_names.h"
#include "cli/station_access.h"
#include "core/dialogs/station_dialog_session.h"

namespace skyvane {
namespace {

constexpr const char* kSetupSynopsis =
    "setup [NAME=VALUE...] print or change the station's setup (setup --help lists the names)";

using setup::List;

std::string ListName(List list) {
  const SetupListCaption c = SetupListCaptionOf(list);
  return ControlName(c.group, c.caption);
}

const std::string kInterval = ControlName("Interval", "");
const std::string kRelative = ControlName("Pressure", "Relative");
const std::string kAbsolute = ControlName("Pressure", "Absolute");

std::string AlarmEnableName(int box) {
  return ControlName("Alarm Enable", AlarmEnableCaptions()[static_cast<std::size_t>(box)]);
}

bool IsDisplayList(List list) { return list >= setup::kDisplayFormat; }
bool IsTemperatureList(List list) {
  return list == setup::kUnitIndoorTemperature || list == setup::kUnitOutdoorTemperature;
}

// The position a value names in a list, -1 when it names none.
int ListPosition(List list, const std::string& value) {
  const auto items = SetupListItems(list);
  int position = FindItem(items, value);
  if (position >= 0) return position;
  if (IsTemperatureList(list)) {
    if (value == "C" || value == "c") return 0;
    if (value == "F" || value == "f") return 1;
  }
  long long n = 0;
  if (list == setup::kTimeZone && ParseIntegerText(value, n) && n >= -12 && n <= 12) {
    return static_cast<int>(12 - n);  // "+12" first, "-12" last
  }
  if (IsDisplayList(list) && ParseIntegerText(value, n) && n >= 0 &&
      n < static_cast<long long>(items.size())) {
    return static_cast<int>(n);
  }
  return -1;
}

void PrintHelpText(std::ostream& out) {
  out << "usage: skyvane-cli setup [NAME=VALUE...]\n"
      << "Without arguments: every control of the Setup dialog, NAME TAB value (TAB unit).\n"
      << "With arguments: sets the controls in the order given, checks them as the dialog\n"
      << "does and writes the station (exit status 0 only when it was written).\n\nNames:\n";
  // In the order the controls are printed.
  for (int l = 0; l < setup::kListCount; ++l) {
    const List list = static_cast<List>(l);
    out << "  " << ListName(list) << "  " << ItemList(SetupListItems(list));
    if (IsDisplayList(list)) out << " (or the position, from 0)";
    out << "\n";
    if (list == setup::kTimeZone) {
      out << "  " << kInterval << "  minutes, " << setup::kIntervalMin << " to " << setup::kIntervalMax
          << "\n";
    }
  }
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) out << "  " << AlarmEnableName(i) << "  0 or 1\n";
  out << "  " << kRelative << "  current relative pressure, in the pressure unit shown\n"
      << "  " << kAbsolute << "  current absolute pressure (shown only, not settable)\n";
}

void PrintForm(std::ostream& out, const SetupForm& form) {
  std::string text;
  auto line = [&](const std::string& name, const std::string& value, const std::string* unit) {
    text += name + "\t" + value;
    if (unit != nullptr) text += "\t" + *unit;
    text += "\n";
  };
  line(ListName(setup::kTimeZone), form.SelectedText(setup::kTimeZone), nullptr);
  const std::string minute = "Minute";
  line(kInterval, form.interval, &minute);
  for (int l = setup::kTimeZone + 1; l < setup::kListCount; ++l) {
    const List list = static_cast<List>(l);
    line(ListName(list), form.SelectedText(list), nullptr);
  }
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) {
    line(AlarmEnableName(i), form.alarmEnable[static_cast<std::size_t>(i)] ? "1" : "0", nullptr);
  }
  line(kRelative, form.relative, &form.shownPressureUnit);
  line(kAbsolute, form.absolute, &form.shownPressureUnit);
  out << text;
}

// Sets one control as the user would; false with a usage message.
bool SetControl(SetupForm& form, const std::string& name, const std::string& value,
                std::string& error) {
  for (int l = 0; l < setup::kListCount; ++l) {
    const List list = static_cast<List>(l);
    if (name != ListName(list)) continue;
    const int position = ListPosition(list, value);
    if (position < 0) {
      error = name + ": '" + value + "' is none of " + ItemList(SetupListItems(list));
      return false;
    }
    if (list == setup::kUnitPressure) {
      ChangeSetupPressureUnit(form, position);
    } else {
      form.selection[static_cast<std::size_t>(l)] = position;
    }
    return true;
  }
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) {
    if (name != AlarmEnableName(i)) continue;
    if (value != "0" && value != "1") {
      error = name + ": '" + value + "' is neither 0 nor 1";
      return false;
    }
    form.alarmEnable[static_cast<std::size_t>(i)] = value == "1";
    return true;
  }
  if (name == kInterval) {
    form.interval = value;
    return true;
  }
  if (name == kRelative) {
    form.relative = value;
    return true;
  }
  error = name == kAbsolute ? name + " is shown only and cannot be set" : "unknown name '" + name + "'";
  return false;
}

std::string ControlOf(int control) {
  switch (control) {
    case setup::kInterval: return kInterval;
    case setup::kRelative: return kRelative;
    case setup::kAbsolute: return kAbsolute;
    default: return "setup";
  }
}

int RunSetup(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintHelpText(ctx.out);
    return kExitOk;
  }
  std::vector<std::pair<std::string, std::string>> assignments;
  for (const std::string& arg : args) {
    std::string name, value;
    if (!SplitAssignment(arg, name, value)) {
      ctx.err << "skyvane-cli: setup: expected NAME=VALUE, got '" << arg
              << "'\nTry 'skyvane-cli setup --help'.\n";
      return kExitUsage;
    }
    assignments.emplace_back(name, value);
  }

  if (!ConnectStation(ctx)) return kExitFailure;
  SetupSession session(ctx.device);
  const DialogMessages opening = session.Open();
  PrintDialogMessages(ctx, opening);
  if (!session.SaveEnabled()) return kExitFailure;
  SetupForm form = session.Form();
  if (assignments.empty()) {
    PrintForm(ctx.out, form);
    return kExitOk;
  }

  for (const auto& [name, value] : assignments) {
    std::string error;
    if (!SetControl(form, name, value, error)) {
      ctx.err << "skyvane-cli: setup: " << error << "\nTry 'skyvane-cli setup --help'.\n";
      return kExitUsage;
    }
  }
  FieldError check;
  if (!CheckSetupForm(form, check)) {
    ctx.err << "skyvane-cli: " << ControlOf(check.control) << ": " << check.message << "\n";
    return kExitFailure;
  }
  return SaveExitStatus(ctx, session.Save(form));
}

CommandRegistrar reg{{"setup", kSetupSynopsis, &RunSetup, true}};

}  // namespace
}  // namespace skyvane
