#include "gui/shell/quit_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <fstream>
#include <string>

#include "desktop_fixture.h"

namespace skyvane {
namespace {

void (*Disposition(int signal))(int) {
  struct sigaction now {};
  ::sigaction(signal, nullptr, &now);
  return now.sa_handler;
}

TEST(QuitSignals, ASignalBecomesACallOnTheUiThreadAndTheNextOneIsFatalAgain) {
  struct sigaction before {};
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGTERM, &ignore, &before);
  {
    std::vector<int> received;
    QuitSignals watch([&](int signal) { received.push_back(signal); });
    ASSERT_TRUE(watch.Installed());
    EXPECT_NE(Disposition(SIGTERM), SIG_IGN);
    EXPECT_NE(Disposition(SIGINT), SIG_DFL);
    ::raise(SIGTERM);
    EXPECT_TRUE(received.empty());  // never inside the handler
    ASSERT_TRUE(test::WaitFor([&] { return !received.empty(); }));
    EXPECT_EQ(received, std::vector<int>{SIGTERM});
    // A second SIGTERM would end a program that hangs while closing.
    EXPECT_EQ(Disposition(SIGTERM), SIG_DFL);
  }
  EXPECT_EQ(Disposition(SIGTERM), SIG_IGN);  // as found
  ::sigaction(SIGTERM, &before, nullptr);
}

#ifdef SKYVANE_DESKTOP_PATH

std::uintmax_t FileSize(const std::filesystem::path& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? 0 : size;
}

// The desktop program on a simulated station: it logs history, and a stop
// signal closes it normally, with the data file ending in a whole line.
class DesktopProgramStops : public ::testing::TestWithParam<int> {};

TEST_P(DesktopProgramStops, OnAStopSignalAfterLoggingHistory) {
  test::ScratchFolder folder;
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // Read only when the program is built with ThreadSanitizer.
  if (!env.contains(QStringLiteral("TSAN_OPTIONS")))
    env.insert(QStringLiteral("TSAN_OPTIONS"),
               QStringLiteral("suppressions=" SKYVANE_SOURCE_DIR "/tests/gui/tsan_qt.supp"));
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  program.start(QStringLiteral(SKYVANE_DESKTOP_PATH),
                {QStringLiteral("--simulate"), QStringLiteral("--folder"),
                 QString::fromStdString(folder.path().string())});
  ASSERT_TRUE(program.waitForStarted(5000));
  const auto data = folder.path() / "Skyvane.dat";
  ASSERT_TRUE(test::WaitFor([&] { return FileSize(data) > 0; }, std::chrono::seconds(30)))
      << "no history logged";

  ::kill(static_cast<pid_t>(program.processId()), GetParam());
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  const std::string text = test::ReadFileBytes(data);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, DesktopProgramStops, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& testInfo) { return testInfo.param == SIGTERM ? "Term" : "Int"; });

#endif

}  // namespace
}  // namespace skyvane
