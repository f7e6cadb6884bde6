#pragma once
// The main frame's menu captions (with their access keys) and the command
// prompts of the status bar and the tool tips.
#include <QString>

namespace skyvane {

enum class FrameCommand {
  kToolBar,
  kStatusBar,
  kLanguage,
  kExit,
  kSetup,
  kAlarm,
  kScope,
  kHistory,
  kGraph,
  kStatistics,
  kAbout,
};
constexpr int kFrameCommandCount = 11;

struct FrameMenuTexts {
  QString displayMenu;
  QString systemMenu;
  QString recordMenu;
  QString helpMenu;
  QString command[kFrameCommandCount];  // indexed by FrameCommand
};

struct PromptTexts {
  QString status;   // shown in pane 0 while the item is highlighted
  QString toolTip;  // the part after the line break
};

// The menu of a language (0 English, 1 German, 2 Danish).
FrameMenuTexts MenuTextsFor(int languageIndex);
// The prompt of a command in a prompt language (see PromptLanguage).
PromptTexts PromptFor(FrameCommand command, int promptLanguage);
// The connection pane's tool tip in a window that leaves the polling to another
// program, in a language of the program.
QString NotPollingToolTip(int languageIndex);

// The prompts follow the desktop's language, not the program's: German and
// Danish desktops get their prompts, every other desktop the English ones.
int PromptLanguage();

}  // namespace skyvane
