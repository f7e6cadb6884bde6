#pragma once
// What the settings-dialog tests build on: a station device over the virtual
// station holding the test image (or test mode), the text table, and prompts
// that record every message and question instead of showing a box.
#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTest>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/app/text_table.h"
#include "core/station/station_device.h"
#include "core/station/test_image.h"
#include "core/transfer/virtual_station.h"
#include "gui/dialogs/dialog_prompts.h"

namespace skyvane::test {

struct DialogRig {
  explicit DialogRig(int languageIndex = 0, bool testMode = false) : text(languageIndex) {
    if (testMode) {
      device = std::make_unique<StationDevice>(nullptr, true, 0x1941, 0x8021);
      device->Link().SetTestPause(std::chrono::milliseconds(0));
    } else {
      auto owned = std::make_unique<VirtualStation>();
      station = owned.get();
      station->Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
      device = std::make_unique<StationDevice>(std::move(owned), false, 0x1941, 0x8021);
    }
    device->UpdateConnection();
    prompts.message = [this](QWidget*, const QString& t) { messages << t; };
    prompts.ask = [this](QWidget*, const QString& question, const QString& caption) {
      questions << question;
      captions << caption;
      return answer;
    };
    prompts.sleep = [this](std::chrono::milliseconds) { ++sleeps; };
  }

  void Put(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    station->Memory().Write(address, bytes.data(), static_cast<int>(bytes.size()));
  }
  std::vector<std::uint8_t> Get(std::uint16_t address, int count) const {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    station->Memory().Read(address, bytes.data(), count);
    return bytes;
  }
  std::vector<std::uint8_t> Image() const { return Get(0, static_cast<int>(TestImage.size())); }
  static std::vector<std::uint8_t> TestImageWith(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> image(TestImage.begin(), TestImage.end());
    for (std::size_t i = 0; i < bytes.size(); ++i) image[address + i] = bytes[i];
    return image;
  }

  TextTable text;
  VirtualStation* station = nullptr;  // owned by device; null in test mode
  std::unique_ptr<StationDevice> device;
  DialogPrompts prompts;
  QStringList messages;
  QStringList questions;
  QStringList captions;
  bool answer = true;
  int sleeps = 0;
};

// Replaces a line edit's text the way a user does (so it counts as changed)
// and then moves the focus on, which ends the edit.
inline void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QApplication::processEvents();
}

}  // namespace skyvane::test
