#include "desktop_fixture.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "gui/shell/desktop_resources.h"
#include "gui/view/monitor_thread_control.h"

namespace skyvane::test {

DesktopRig::DesktopRig(int languageIndex, const std::string& searchData, bool testMode) {
  InitDesktopResources();
  settings.languageIndex = languageIndex;
  settings.language = LanguageNameOf(languageIndex);
  settings.searchData = searchData;
  settings.testFlag = testMode ? "true" : "false";
  text = std::make_unique<TextTable>(languageIndex);
  file = std::make_unique<HistoryFile>(clock);
  file->OpenFile((folder.path() / "Skyvane.dat").string());
  auto virtualStation = std::make_unique<VirtualStation>();
  station = testMode ? nullptr : virtualStation.get();
  if (testMode) virtualStation.reset();
  device = std::make_unique<StationDevice>(std::move(virtualStation), testMode,
                                           static_cast<int>(settings.usbVendorId),
                                           static_cast<int>(settings.usbProductId));
  if (testMode) device->Link().SetTestPause(std::chrono::milliseconds(5));
  context = std::make_unique<DesktopContext>(
      DesktopContext{folder.path(), settings, *text, *device, *file, clock, {"skyvane"}, {}, {}, {}});
  context->monitorFactory = MakeMonitorFactory(*context);
}

ModalAnswer::ModalAnswer(QMessageBox::StandardButton button, std::chrono::milliseconds timeout)
    : button_(button), deadline_(std::chrono::steady_clock::now() + timeout) {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

void ModalAnswer::Poll() {
  if (std::chrono::steady_clock::now() > deadline_) {
    timer_.stop();
    return;
  }
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return;
  seen_ = true;
  text_ = box->text();
  title_ = box->windowTitle();
  timer_.stop();
  if (QAbstractButton* b = box->button(button_)) {
    b->click();
  } else {
    box->reject();
  }
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace skyvane::test
