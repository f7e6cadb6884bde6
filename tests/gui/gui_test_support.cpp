#include "gui_test_support.h"

#include "gui/controls/control_paint.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>

#include <gtest/gtest.h>

namespace skyvane::test {

namespace {

// One QApplication for the whole test program, on the offscreen platform
// unless the environment names another.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = new QApplication(argc_, argv_);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[24] = "skyvane_gui_tests";
  char* argv_[2] = {name_, nullptr};
  QApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QImage Paint(QWidget& widget, int width, int height) {
  widget.resize(width, height);
  return widget.grab(QRect(0, 0, width, height)).toImage().convertToFormat(QImage::Format_RGB32);
}

QColor ControlFillColour() {
  const QWidget plain;
  return ControlFill(plain);
}

int CountPixels(const QImage& image, const QColor& colour) {
  const QRgb wanted = colour.rgb();
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) | 0xFF000000) == wanted ? 1 : 0;
  }
  return n;
}

std::vector<int> JpegQuantisers(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray b = file.readAll();
  auto at = [&b](qsizetype i) { return static_cast<int>(static_cast<unsigned char>(b[i])); };
  std::vector<int> values;
  // Marker segments follow the start of image until the scan begins.
  qsizetype i = 2;
  while (i + 4 <= b.size() && at(i) == 0xFF) {
    const int marker = at(i + 1);
    const qsizetype length = at(i + 2) * 256 + at(i + 3);
    if (marker == 0xDA || length < 2 || i + 2 + length > b.size()) break;
    if (marker == 0xDB) {  // define quantisation tables
      for (qsizetype t = i + 4; t < i + 2 + length;) {
        const bool wide = (at(t) >> 4) != 0;
        ++t;
        for (int k = 0; k < 64 && t < i + 2 + length; ++k) {
          values.push_back(wide ? at(t) * 256 + at(t + 1) : at(t));
          t += wide ? 2 : 1;
        }
      }
    }
    i += 2 + length;
  }
  return values;
}

}  // namespace skyvane::test

#include <QEvent>
#include <QTest>

namespace skyvane::test {

namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(10);
  }
}

}  // namespace

int PaintsAfter(QWidget& widget, const std::function<void()>& action) {
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) return -1;
  Settle();
  PaintCounter counter;
  widget.installEventFilter(&counter);
  action();
  Settle();
  widget.removeEventFilter(&counter);
  return counter.paints;
}

}  // namespace skyvane::test
