// skyvane-cli alarm: the Alarm dialog without a display. Without arguments it
// prints what the dialog shows; with NAME=VALUE arguments it sets those
// controls, checks them as the dialog does and saves. A wind or gust speed
// changed without its level being given (or the reverse) recomputes the
// partner as leaving the field would.
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/control_names.h"
#include "cli/station_access.h"
#include "core/dialogs/station_dialog_session.h"

namespace skyvane {
namespace {

constexpr const char* kAlarmSynopsis =
    "alarm [NAME=VALUE...] print or change the alarm thresholds (alarm --help lists the names)";

const std::string kDirection = ControlName("Wind Direct", "");

std::string NameOf(const AlarmControl& c) { return ControlName(c.group, c.caption); }

const AlarmControl* FindByName(const std::string& name) {
  for (const AlarmControl& c : AlarmControls()) {
    if (NameOf(c) == name) return &c;
  }
  return nullptr;
}

void PrintHelpText(std::ostream& out, const HeaderRecord& header) {
  out << "usage: skyvane-cli alarm [NAME=VALUE...]\n"
      << "Without arguments: every control of the Alarm dialog, NAME TAB value (TAB unit).\n"
      << "With arguments: sets the controls, checks them as the dialog does and writes the\n"
      << "station (exit status 0 only when it was written). Values are in the station's units.\n\n"
      << "Names:\n";
  for (const AlarmControl& c : AlarmControls()) {
    out << "  " << NameOf(c) << "  " << (IsIntegerInput(c.input) ? "integer" : "number");
    const std::string unitText = AlarmUnitText(c.input, header);
    if (!unitText.empty()) out << ", " << unitText;
    out << "\n";
  }
  out << "  " << kDirection << "  " << ItemList(AlarmDirections()) << "\n";
}

void PrintForm(std::ostream& out, const AlarmForm& form, const HeaderRecord& header) {
  std::string text;
  for (const AlarmControl& c : AlarmControls()) {
    text += NameOf(c) + "\t" + form.text[static_cast<std::size_t>(c.field)];
    const std::string unitText = AlarmUnitText(c.input, header);
    if (!unitText.empty()) text += "\t" + unitText;
    text += "\n";
  }
  text += kDirection + "\t";
  if (form.direction >= 0) text += AlarmDirections()[static_cast<std::size_t>(form.direction)];
  text += "\n";
  out << text;
}

// The partner of a speed or level field, -1 for the others.
int PartnerOf(int field) {
  switch (field) {
    case alm::kWindSpeedHigh: return alm::kWindLevelHigh;
    case alm::kWindLevelHigh: return alm::kWindSpeedHigh;
    case alm::kGustSpeedHigh: return alm::kGustLevelHigh;
    case alm::kGustLevelHigh: return alm::kGustSpeedHigh;
    default: return -1;
  }
}

int RunAlarm(CliContext& ctx, const std::vector<std::string>& args) {
  const bool help = !args.empty() && (args[0] == "--help" || args[0] == "-h");
  std::vector<std::pair<std::string, std::string>> assignments;
  for (const std::string& arg : args) {
    if (help) break;
    std::string name, value;
    if (!SplitAssignment(arg, name, value)) {
      ctx.err << "skyvane-cli: alarm: expected NAME=VALUE, got '" << arg
              << "'\nTry 'skyvane-cli alarm --help'.\n";
      return kExitUsage;
    }
    if (name != kDirection && FindByName(name) == nullptr) {
      ctx.err << "skyvane-cli: alarm: unknown name '" << name
              << "'\nTry 'skyvane-cli alarm --help'.\n";
      return kExitUsage;
    }
    assignments.emplace_back(name, value);
  }
  if (help) {
    // The units are the station's; without a station the help names metric ones.
    PrintHelpText(ctx.out, HeaderRecord());
    return kExitOk;
  }

  if (!ConnectStation(ctx)) return kExitFailure;
  AlarmSession session(ctx.device);
  PrintDialogMessages(ctx, session.Open());
  if (!session.SaveEnabled()) return kExitFailure;
  const HeaderRecord& header = session.Header();
  AlarmForm form = session.Form();
  if (assignments.empty()) {
    PrintForm(ctx.out, form, header);
    return kExitOk;
  }

  // Every field the command gives stands as given; a changed speed or level
  // recomputes its partner only when the command does not give that too.
  std::vector<int> given;
  std::vector<int> changed;
  for (const auto& [name, value] : assignments) {
    if (name == kDirection) {
      const int position = FindItem(AlarmDirections(), value);
      if (position < 0) {
        ctx.err << "skyvane-cli: alarm: " << name << ": '" << value << "' is none of "
                << ItemList(AlarmDirections()) << "\n";
        return kExitUsage;
      }
      form.direction = position;
      continue;
    }
    const AlarmControl* c = FindByName(name);
    std::string& text = form.text[static_cast<std::size_t>(c->field)];
    given.push_back(c->field);
    if (text != value) changed.push_back(c->field);
    text = value;
  }
  auto wasGiven = [&](int field) {
    for (int f : given) {
      if (f == field) return true;
    }
    return false;
  };
  for (int field : changed) {
    const int partner = PartnerOf(field);
    if (partner >= 0 && !wasGiven(partner)) AlarmSpeedFieldLeft(form, field, header);
  }

  FieldError check;
  if (!CheckAlarmForm(form, header, check)) {
    const AlarmControl* c = FindAlarmControl(check.control);
    ctx.err << "skyvane-cli: " << (c != nullptr ? NameOf(*c) : std::string("alarm")) << ": "
            << check.message << "\n";
    return kExitFailure;
  }
  return SaveExitStatus(ctx, session.Save(form));
}

CommandRegistrar reg{{"alarm", kAlarmSynopsis, &RunAlarm, true}};

}  // namespace
}  // namespace skyvane
