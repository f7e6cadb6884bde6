#pragma once
// What the History and Export window tests build on: a data file in a
// temporary folder, a clock that stands still, a station device over a
// virtual station with the test image, and a way to answer modal dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/history/history_support.h"
#include "core/station/history_row.h"
#include "core/station/station_device.h"
#include "core/station/test_image.h"
#include "core/transfer/virtual_station.h"
#include "gui/dialogs/dialog_prompts.h"
#include "support/scratch_folder.h"

namespace skyvane::test {

// A stored row as a download completes it (metric units).
HistoryRow StoredRowAt(std::time_t recordTime);

class WindowRig {
 public:
  explicit WindowRig(int languageIndex = 0);

  // Appends rows with these record times (oldest first) to the data file.
  void Store(const std::vector<std::time_t>& times);
  std::filesystem::path DataPath() const { return folder_ / "Skyvane.dat"; }
  std::string DataBytes() const;
  // °F, °F, inch, inHg and km/h in the station's header.
  void UseImperialUnits();
  // °C, °C, mm, Hpa and m/s.
  void UseMetricUnits();

  ScratchFolder folder_;
  std::time_t now;
  FixedClock clock;
  TextTable text;
  HistoryFile file;
  VirtualStation* station = nullptr;  // owned by device
  std::unique_ptr<StationDevice> device;
  // Prompts that record every message and question instead of showing a box.
  DialogPrompts prompts;
  QStringList messages;
  QStringList questions;
  QStringList captions;
  bool answer = true;
  int sleeps = 0;  // the busy waits the windows made
};

// Runs action on the next modal dialog of type T once it is up (polling);
// Seen() tells whether it came. Gives up after the timeout.
class OnModal {
 public:
  using Finder = std::function<QWidget*()>;
  OnModal(Finder find, std::function<void(QWidget*)> action,
          std::chrono::milliseconds timeout = std::chrono::seconds(10));
  bool Seen() const { return seen_; }

  // A message box with exactly this text.
  static std::unique_ptr<OnModal> Message(const QString& text, std::function<void(QMessageBox*)> action) {
    return std::make_unique<OnModal>(
        [text]() -> QWidget* {
          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          return box != nullptr && box->text() == text ? box : nullptr;
        },
        [action](QWidget* w) { action(static_cast<QMessageBox*>(w)); });
  }

  template <class T>
  static std::unique_ptr<OnModal> Of(std::function<void(T*)> action) {
    return std::make_unique<OnModal>(
        [] { return qobject_cast<T*>(QApplication::activeModalWidget()); },
        [action](QWidget* w) { action(static_cast<T*>(w)); });
  }

 private:
  void Poll();
  Finder find_;
  std::function<void(QWidget*)> action_;
  QTimer timer_;
  std::chrono::steady_clock::time_point deadline_;
  bool seen_ = false;
};

}  // namespace skyvane::test
