#include "gui/shell/link_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "desktop_fixture.h"

namespace skyvane {
namespace {

TEST(LinkErrorText, GivesTheWordsOfEveryKnownCode) {
  EXPECT_EQ(LinkErrorText(0), "The operating system is out\nof memory or resources.");
  EXPECT_EQ(LinkErrorText(2), "The specified file was not found.");
  EXPECT_EQ(LinkErrorText(3), "The specified path was not found.");
  EXPECT_EQ(LinkErrorText(5), "The operating system denied\naccess to the specified file.");
  EXPECT_EQ(LinkErrorText(8), "There was not enough memory to complete the operation.");
  EXPECT_EQ(LinkErrorText(11),
            "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
  EXPECT_EQ(LinkErrorText(26), "A sharing violation occurred. ");
  EXPECT_EQ(LinkErrorText(27), "The filename association is\nincomplete or invalid.");
  EXPECT_EQ(LinkErrorText(28),
            "The DDE transaction could not\nbe completed because the request timed out.");
  EXPECT_EQ(LinkErrorText(29), "The DDE transaction failed.");
  EXPECT_EQ(LinkErrorText(30),
            "The DDE transaction could not\nbe completed because other DDE transactions\n"
            "were being processed.");
  EXPECT_EQ(LinkErrorText(31),
            "There is no application associated\nwith the given filename extension.");
  EXPECT_EQ(LinkErrorText(32), "The specified dynamic-link library was not found.");
}

TEST(LinkErrorText, NamesAnUnknownCode) {
  EXPECT_EQ(LinkErrorText(1), "Unknown Error (1) occurred.");
  EXPECT_EQ(LinkErrorText(33), "Unknown Error (33) occurred.");
  EXPECT_EQ(LinkErrorText(-7), "Unknown Error (-7) occurred.");
}

TEST(CLinkLabel, StartsInTheLinkColourAndTakesItsAddressFromTheText) {
  CLinkLabel label;
  label.setText(QStringLiteral("https://example.org/update"));
  label.Attach();
  EXPECT_EQ(label.LinkColour(), QColor(0, 0, 238));
  EXPECT_EQ(label.VisitedColour(), QColor(85, 26, 139));
  EXPECT_EQ(label.HoverColour(), label.palette().color(QPalette::Highlight));
  EXPECT_EQ(label.CurrentColour(), QColor(0, 0, 238));
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 238));
  EXPECT_EQ(label.Address(), "https://example.org/update");
  EXPECT_EQ(label.toolTip(), "https://example.org/update");
  EXPECT_TRUE(label.font().underline());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(label.size(), label.sizeHint());  // fitted to its text
}

TEST(CLinkLabel, ShowsTheAddressWhenItHasNoText) {
  CLinkLabel label;
  label.SetAddress(QStringLiteral("https://example.org/a"));
  label.Attach();
  EXPECT_EQ(label.text(), "https://example.org/a");
}

TEST(CLinkLabel, TakesTheHoverColourWhileThePointerIsOver) {
  CLinkLabel label;
  label.setText(QStringLiteral("https://example.org"));
  label.Attach();
  label.show();
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(&label, &enter);
  EXPECT_TRUE(label.IsOver());
  EXPECT_EQ(label.palette().color(QPalette::WindowText), label.HoverColour());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_FALSE(label.IsOver());
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 238));
}

TEST(CLinkLabel, AClickThatOpensMarksTheLinkVisited) {
  CLinkLabel label;
  label.setText(QStringLiteral("https://example.org/u"));
  label.Attach();
  label.show();
  QString opened;
  label.SetOpener([&](const QString& address) {
    opened = address;
    return kOpenSucceeded;
  });
  bool reported = false;
  label.SetErrorReport([&](const QString&) { reported = true; });
  QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(opened, "https://example.org/u");
  EXPECT_TRUE(label.IsVisited());
  EXPECT_FALSE(reported);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST(CLinkLabel, AFailedOpenReportsTheCodesWordsAndStaysUnvisited) {
  CLinkLabel label;
  label.setText(QStringLiteral("https://example.org/u"));
  label.Attach();
  QString report;
  label.SetErrorReport([&](const QString& text) { report = text; });
  for (int code : {0, 31, 32}) {
    label.SetOpener([code](const QString&) { return code; });
    label.Activate();
    EXPECT_FALSE(label.IsVisited());
    EXPECT_EQ(report, "Unable to open hyperlink:\n\n" + LinkErrorText(code));
  }
}

TEST(CLinkLabel, TheDefaultReportIsAWarningBox) {
  CLinkLabel label;
  label.setText(QStringLiteral("x"));
  label.Attach();
  label.SetOpener([](const QString&) { return 5; });
  test::ModalAnswer answer(QMessageBox::Ok);
  label.Activate();
  ASSERT_TRUE(answer.Seen());
  EXPECT_EQ(answer.Text(), "Unable to open hyperlink:\n\nThe operating system denied\naccess to "
                           "the specified file.");
}

// The offscreen platform opens no addresses, so these exercise the $BROWSER fallback.
class OpenAddressFallback : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* b = std::getenv("BROWSER")) saved_ = b, hadBrowser_ = true;
  }
  void TearDown() override {
    if (hadBrowser_) ::setenv("BROWSER", saved_.c_str(), 1);
    else ::unsetenv("BROWSER");
  }
  std::string saved_;
  bool hadBrowser_ = false;
};

TEST_F(OpenAddressFallback, WithoutABrowserNothingIsAssociated) {
  ::unsetenv("BROWSER");
  EXPECT_EQ(OpenAddress(QStringLiteral("https://example.org")), kOpenNoAssociation);
}

TEST_F(OpenAddressFallback, AMissingBrowserProgramIsNotFound) {
  ::setenv("BROWSER", "/nonexistent/browser-one:/nonexistent/browser-two", 1);
  EXPECT_EQ(OpenAddress(QStringLiteral("https://example.org")), kOpenNotFound);
}

TEST_F(OpenAddressFallback, TheAddressReachesTheBrowserAsOneArgumentWithoutAShell) {
  test::ScratchFolder dir;
  ::setenv("BROWSER", "/nonexistent/first:touch %s", 1);
  const std::filesystem::path odd = dir.path() / "a b;touch pwned";
  EXPECT_GT(OpenAddress(QString::fromStdString(odd.string())), kOpenOk);
  ASSERT_TRUE(test::WaitFor([&] { return std::filesystem::exists(odd); }));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "pwned"));
}

}  // namespace
}  // namespace skyvane
