// The ways out to the weather networks against servers on loopback: which
// APRS-IS logins must be verified, an IPv6 server, and targets that hang
// beside one that works, also at the stop.
#include <gtest/gtest.h>

#include <sys/socket.h>

#include <mutex>
#include <thread>

#include "core/app/clock.h"
#include "core/app/ini_file.h"
#include "core/history/history_file.h"
#include "core/publish/upload/aprs_protocol.h"
#include "core/publish/upload/upload_config.h"
#include "core/publish/upload/upload_transport.h"
#include "core/publish/upload/uploader.h"
#include "support/loopback_server.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using test::ScratchFolder;

// An APRS-IS server that verifies only the passcode 12345.
std::function<std::string(int)> VerifyingAprs() {
  return [](int fd) {
    test::SendText(fd, "# test aprs server\r\n");
    const std::string login = test::ReceiveLine(fd);
    const bool verified = login.find(" pass 12345 ") != std::string::npos;
    test::SendText(fd, std::string("# logresp X ") + (verified ? "verified" : "unverified") + ", server T\r\n");
    return test::ReceiveLine(fd);
  };
}

TEST(UploadTransport, AnUnverifiedLoginFailsWhenItNeedsVerification) {
  test::LoopbackServer server(VerifyingAprs());
  const struct {
    const char* callsign;
    int passcode;
    bool ok;
  } rows[] = {
      {"CW0001", -1, true}, {"DW1234", -1, true},  {"EW99", -1, true},       {"FW0007", -1, true},
      {"N0CALL", 12345, true}, {"N0CALL", -1, false}, {"N0CALL", 999, false}, {"CW0001", 999, false},
      {"CWOP", -1, false},  {"CW12A", -1, false},  {"cw0001", -1, false},
  };
  TransferStop stop;
  std::size_t sent = 0;
  for (const auto& r : rows) {
    const UploadAnswer answer =
        AprsSend(AprsExchange{"127.0.0.1", server.port(), AprsLogin(r.callsign, r.passcode, "1"), "PACKET",
                              AprsNeedsVerification(r.callsign, r.passcode)},
                 std::chrono::seconds(10), stop);
    EXPECT_EQ(answer.ok, r.ok) << r.callsign << " " << r.passcode << ": " << answer.text;
    if (!r.ok) {
      EXPECT_EQ(answer.text, "the server did not verify the login (check Callsign and Passcode): "
                             "# logresp X unverified, server T");
    }
    // The packet of a login the server did not verify is not sent.
    const auto kept = server.WaitFor(++sent, std::chrono::seconds(10));
    ASSERT_EQ(kept.size(), sent);
    EXPECT_EQ(kept.back(), r.ok ? "PACKET" : "") << r.callsign;
  }
}

TEST(UploadTransport, AnIpv6ServerFromTheConfiguration) {
  test::LoopbackServer server(test::AnswerAprs(), AF_INET6);
  if (!server.listening()) GTEST_SKIP() << "no IPv6 loopback on this machine";
  ScratchFolder dir;
  test::WriteFileBytes(dir / "Skyvane.ini", "[upload:cwop]\nProtocol=aprs\nServer=[::1]:" +
                                                std::to_string(server.port()) +
                                                "\nCallsign=CW0001\nLatitude=1\nLongitude=1\n");
  std::vector<std::string> problems;
  const auto targets = ReadUploadTargets(IniFile(dir / "Skyvane.ini"), problems);
  ASSERT_EQ(targets.size(), 1u);
  const UploadAnswer answer = AprsSend(AprsExchange{targets[0].host, targets[0].port, "user CW0001", "PACKET", false},
                                       std::chrono::seconds(10), TransferStop());
  EXPECT_TRUE(answer.ok) << answer.text;
  EXPECT_EQ(server.WaitFor(1, std::chrono::seconds(10)), std::vector<std::string>{"user CW0001\nPACKET"});
}

UploadTarget HttpTarget(const char* name, int port) {
  UploadTarget t;
  t.name = name;
  t.url = "http://127.0.0.1:" + std::to_string(port) + "/update";
  t.stationId = "I";
  t.key = "k";
  t.intervalSeconds = 1;
  return t;
}

UploadTarget AprsTarget(const char* name, int port) {
  UploadTarget t;
  t.name = name;
  t.protocol = UploadProtocol::kAprs;
  t.host = "127.0.0.1";
  t.port = port;
  t.callsign = "CW0001";
  t.intervalSeconds = 1;
  return t;
}

// Two targets hang (far longer than the test may run) while a third is
// uploaded at its interval; the stop ends the hanging transfers and tells
// nothing about them.
TEST(UploaderTest, AHangingTargetStarvesNoOtherAndTheStopEndsIt) {
  test::LoopbackServer stuckHttp(test::NeverAnswer);
  test::LoopbackServer stuckAprs(test::NeverAnswer);
  test::LoopbackServer fine(test::AnswerHttp("200 OK", "success\n"));
  ScratchFolder dir;
  FixedClock clock;
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((dir / "Skyvane.dat").string()));
  std::mutex mutex;
  std::vector<std::string> told;
  const auto tell = [&](const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex);
    told.push_back(text);
  };
  Uploader uploader({HttpTarget("stuck", stuckHttp.port()), AprsTarget("silent", stuckAprs.port()),
                     HttpTarget("fine", fine.port())},
                    file, tell, tell, Uploader::Options{std::chrono::hours(10), "1"});
  uploader.OnReading(HistoryRow(), LampStates{}, 1000);
  ASSERT_EQ(fine.WaitFor(1, std::chrono::seconds(60)).size(), 1u);
  uploader.OnReading(HistoryRow(), LampStates{}, 1001);
  ASSERT_EQ(fine.WaitFor(2, std::chrono::seconds(60)).size(), 2u);
  // The server has the request a moment before the uploader has its answer.
  for (int i = 0; i < 600 && uploader.Delivered() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  uploader.Stop();
  EXPECT_EQ(uploader.Delivered(), 2);
  EXPECT_EQ(stuckHttp.WaitFor(1, std::chrono::seconds(60)), std::vector<std::string>{"hung"});
  EXPECT_EQ(stuckAprs.WaitFor(1, std::chrono::seconds(60)), std::vector<std::string>{"hung"});
  std::lock_guard<std::mutex> lock(mutex);
  EXPECT_EQ(told, std::vector<std::string>{"Uploading to fine every 1 s."});
}

}  // namespace
}  // namespace skyvane
