// The main window on small screens: the form keeps every field readable and
// every gauge whole, and scrolls rather than squeezing them.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>

#include "core/app/app_settings.h"
#include "desktop_fixture.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/shell/main_frame.h"
#include "gui/view/halvar_view.h"

namespace skyvane {
namespace {

QScrollArea* ScrollArea(CMainFrame& frame) {
  return frame.findChild<QScrollArea*>(QStringLiteral("viewScrollArea"));
}

void ShowAt(CMainFrame& frame, const QSize& size) {
  frame.resize(size);
  frame.show();
  ASSERT_TRUE(test::WaitFor([&] { return frame.View()->InitialUpdateDone(); }));
  QCoreApplication::processEvents();
}

class FormLayout : public ::testing::TestWithParam<int> {};

TEST_P(FormLayout, TheWholeFormFitsA1024By768Screen) {
  test::DesktopRig rig(GetParam());
  CMainFrame frame(*rig.context);
  ShowAt(frame, FrameRectFor(QRect(0, 0, 1024, 768)).size());
  QScrollArea* scroll = ScrollArea(frame);
  ASSERT_NE(scroll, nullptr);
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());

  const HalvarForm& form = frame.View()->Form();
  EXPECT_EQ(form.compass->size(), form.compass->Rose().size());  // never cut off
  // A long value keeps all its characters in every shown field.
  const int need = QFontMetrics(frame.View()->font()).horizontalAdvance("9999.9 inch");
  for (QLabel* field : form.live) {
    if (!field->isVisible()) continue;
    EXPECT_GE(field->contentsRect().width(), need) << field->objectName().toStdString();
  }
  for (QLabel* field : form.maxmin)
    EXPECT_GE(field->contentsRect().width(), need) << field->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(ThreeLanguages, FormLayout, ::testing::Values(0, 1, 2),
                         [](const auto& testInfo) { return std::string(LanguageNameOf(testInfo.param)); });

TEST(FormLayout, ASmallerScreenScrollsTheFormInsteadOfSqueezingIt) {
  test::DesktopRig rig(1);
  CMainFrame frame(*rig.context);
  ShowAt(frame, QSize(640, 455));
  QScrollArea* scroll = ScrollArea(frame);
  EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  const HalvarForm& form = frame.View()->Form();
  EXPECT_EQ(form.compass->size(), form.compass->Rose().size());
  EXPECT_GE(frame.View()->width(), frame.View()->minimumSizeHint().width());
  EXPECT_GE(frame.View()->height(), frame.View()->minimumSizeHint().height());
}

}  // namespace
}  // namespace skyvane
