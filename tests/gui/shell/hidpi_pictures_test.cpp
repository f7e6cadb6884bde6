// The program's pictures at the screen's device pixel ratio: ctest runs this
// once more at a ratio of 2, where each picture must come in twice the pixels
// at the same layout size, and pane 1 shows its picture unsqueezed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QToolBar>

#include "desktop_fixture.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/shell/link_status_bar.h"
#include "gui/shell/main_frame.h"
#include "gui/view/alarm_lamp.h"

namespace skyvane {
namespace {

// The pixel ratio the pictures are drawn for: 1 or 2.
qreal Wanted() { return qApp->devicePixelRatio() >= 2 ? 2.0 : 1.0; }

TEST(HiDpiPictures, PicturesComeInTheScreensPixelsAtTheirOwnSize) {
  CCompassCtrl compass;
  EXPECT_EQ(compass.Rose().devicePixelRatio(), Wanted());
  EXPECT_EQ(compass.sizeHint(), QSize(213, 128));

  const LampPictures lamps;
  for (const QPixmap* bell : {&lamps.disabled, &lamps.armed, &lamps.triggered}) {
    EXPECT_EQ(bell->devicePixelRatio(), Wanted());
    EXPECT_EQ(bell->deviceIndependentSize().toSize(), QSize(20, 20));
  }

  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  frame.show();
  ConnectionPane* pane = frame.LinkStatusBar()->Pane1();
  EXPECT_EQ(pane->PictureSize(), QSize(90, 37));
  EXPECT_GE(pane->width(), 90);
  EXPECT_GE(pane->height(), 37);
  for (QAction* action : frame.ToolBar()->actions()) {
    if (action->isSeparator()) continue;
    const QPixmap icon = action->icon().pixmap(QSize(24, 24), Wanted());
    EXPECT_EQ(icon.size(), QSize(24, 24) * Wanted()) << action->objectName().toStdString();
  }
}

}  // namespace
}  // namespace skyvane
