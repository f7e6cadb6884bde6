#include "cli/control_names.h"

#include <cctype>
#include <ostream>

#include "core/app/text_table.h"

namespace skyvane {
namespace {

std::string_view Trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string Folded(std::string_view text) {
  std::string folded;
  for (char c : Trimmed(text)) {
    folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

}  // namespace

bool SplitAssignment(const std::string& arg, std::string& name, std::string& value) {
  const std::size_t eq = arg.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  name = arg.substr(0, eq);
  value = arg.substr(eq + 1);
  return true;
}

int FindItem(std::span<const char* const> items, const std::string& value) {
  const std::string wanted = Folded(value);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (Folded(items[i]) == wanted) return static_cast<int>(i);
  }
  return -1;
}

std::string ItemList(std::span<const char* const> items) {
  std::string list;
  for (const char* item : items) {
    if (!list.empty()) list += ", ";
    list += Trimmed(item);
  }
  return list;
}

std::string EntryText(const CliContext& ctx, Txt entry) {
  return std::string(ctx.text.Text(entry));
}

void PrintDialogMessages(CliContext& ctx, const DialogMessages& messages) {
  for (Txt entry : messages) ctx.err << "skyvane-cli: " << EntryText(ctx, entry) << "\n";
}

int SaveExitStatus(CliContext& ctx, const SaveOutcome& outcome) {
  PrintDialogMessages(ctx, outcome.messages);
  return outcome.Written() ? kExitOk : kExitFailure;
}

}  // namespace skyvane
