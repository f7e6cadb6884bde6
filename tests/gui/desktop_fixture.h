#pragma once
// What the GUI tests build windows on: a temporary program folder, the data
// file, settings, text table and a station device over a virtual station that
// the test can plug and unplug.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/station/station_device.h"
#include "core/transfer/virtual_station.h"
#include "gui/shell/desktop_context.h"
#include "support/scratch_folder.h"

namespace skyvane::test {

struct DesktopRig {
  // languageIndex and the switches are set before anything is built.
  explicit DesktopRig(int languageIndex = 0, const std::string& searchData = "false",
                      bool testMode = false);

  ScratchFolder folder;
  SystemClock clock;
  AppSettings settings;
  std::unique_ptr<TextTable> text;
  std::unique_ptr<HistoryFile> file;
  VirtualStation* station = nullptr;  // owned by device (null in test mode)
  std::unique_ptr<StationDevice> device;
  std::unique_ptr<DesktopContext> context;
};

// Answers the next modal dialog (a message box) once it is up: remembers its
// text and presses the given button. Gives up after the timeout.
class ModalAnswer {
 public:
  explicit ModalAnswer(QMessageBox::StandardButton button = QMessageBox::Ok,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10));
  bool Seen() const { return seen_; }
  QString Text() const { return text_; }
  QString Title() const { return title_; }

 private:
  void Poll();
  QMessageBox::StandardButton button_;
  QTimer timer_;
  std::chrono::steady_clock::time_point deadline_;
  bool seen_ = false;
  QString text_;
  QString title_;
};

// Processes events until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace skyvane::test
