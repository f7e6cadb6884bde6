// The desktop program on the station options it shares with skyvane-cli, run
// as a program against a simulated station.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QProcess>
#include <fstream>
#include <string>

#include "core/history/poller_lock.h"
#include "core/transfer/simulated_station.h"
#include "desktop_fixture.h"

namespace skyvane {
namespace {

#ifdef SKYVANE_DESKTOP_PATH

// The desktop program offscreen; a ThreadSanitizer build of it reads the same
// suppressions as the tests.
QProcessEnvironment DesktopEnvironment() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  if (!env.contains(QStringLiteral("TSAN_OPTIONS")))
    env.insert(QStringLiteral("TSAN_OPTIONS"),
               QStringLiteral("suppressions=" SKYVANE_SOURCE_DIR "/tests/gui/tsan_qt.supp"));
  return env;
}

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(DesktopStation, TakesTheSimulatorsSpeedAndSeedAndSaysWhatItIgnoredOrSetAside) {
  test::ScratchFolder folder;
  const auto sim = folder.path() / "sim";
  {
    SimOptions options;
    options.folder = sim;
    options.prefillDays = 1;
    std::string error;
    ASSERT_TRUE(MakeSimulatedStation(options, error)) << error;
  }
  const auto state = sim / kSimStateName;
  std::ofstream(state, std::ios::trunc) << "broken\n";
  std::ofstream(folder.path() / "Skyvane.ini") << "[communication]\r\nTestFlag=true\r\n";

  QProcess program;
  program.setProcessEnvironment(DesktopEnvironment());
  program.start(QStringLiteral(SKYVANE_DESKTOP_PATH),
                {QStringLiteral("--folder"), QString::fromStdString(folder.path().string()),
                 QString::fromStdString("--simulate=" + sim.string()), QStringLiteral("--sim-speed"),
                 QStringLiteral("60"), QStringLiteral("--sim-seed"), QStringLiteral("7")});
  ASSERT_TRUE(program.waitForStarted(5000));
  const auto data = folder.path() / "Skyvane.dat";
  const bool logged = test::WaitFor(
      [&] { return !test::ReadFileBytes(data).empty() || program.state() == QProcess::NotRunning; },
      std::chrono::seconds(30));
  if (program.state() != QProcess::NotRunning && program.processId() > 0)
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(5000));
  const std::string err = program.readAllStandardError().toStdString();
  ASSERT_TRUE(logged && !test::ReadFileBytes(data).empty()) << err;
  EXPECT_EQ(program.exitCode(), 0) << err;

  EXPECT_EQ(Occurrences(err, "skyvane: TestFlag in Skyvane.ini is ignored with --simulate: test "
                             "mode runs only on the built-in test image\n"),
            1)
      << err;
  EXPECT_EQ(Occurrences(err, "skyvane: " + state.string() +
                                 ": line 1 is broken: broken; kept as station.state.bad, and the "
                                 "station's weather starts anew\n"),
            1)
      << err;
  EXPECT_EQ(test::ReadFileBytes(sim / "station.state.bad"), "broken\n");
  EXPECT_NE(test::ReadFileBytes(state).find("\nseed=7\n"), std::string::npos) << test::ReadFileBytes(state);
}

// Another program polls into the folder: the desktop program shows that,
// polls nothing itself and leaves the poller's simulated station alone.
TEST(DesktopStation, LooksWithoutPollingWhileAnotherProgramPolls) {
  test::ScratchFolder folder;
  const auto data = folder.path() / "Skyvane.dat";
  PollerLock service(data.string());
  ASSERT_EQ(service.state(), PollerLock::State::kOwned);

  QProcess program;
  program.setProcessEnvironment(DesktopEnvironment());
  program.start(QStringLiteral(SKYVANE_DESKTOP_PATH),
                {QStringLiteral("--folder"), QString::fromStdString(folder.path().string()),
                 QStringLiteral("--simulate")});
  ASSERT_TRUE(program.waitForStarted(5000));
  const std::string said = "skyvane: Skyvane.dat is in use by another Skyvane program (pid " +
                           std::to_string(::getpid()) + ")\n";
  std::string err;
  test::WaitFor(
      [&] {
        program.waitForReadyRead(100);
        err += program.readAllStandardError().toStdString();
        return err.find(said) != std::string::npos || program.state() == QProcess::NotRunning;
      },
      std::chrono::seconds(20));
  // A polling program would have stored the test history by now.
  program.waitForFinished(4000);
  EXPECT_EQ(program.state(), QProcess::Running) << err;
  if (program.processId() > 0) ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(5000));
  err += program.readAllStandardError().toStdString();
  EXPECT_EQ(Occurrences(err, said), 1) << err;
  EXPECT_EQ(program.exitCode(), 0) << err;
  EXPECT_EQ(test::ReadFileBytes(data), "");
  EXPECT_FALSE(std::filesystem::exists(DefaultSimulationFolder(folder.path())));
}

#endif

}  // namespace
}  // namespace skyvane
