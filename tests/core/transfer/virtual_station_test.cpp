#include "core/transfer/virtual_station.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using report::Report;

void WriteFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Pattern() {
  std::vector<std::uint8_t> bytes(0x10000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
  return bytes;
}

std::vector<Report> Drain(VirtualStation& station, int handle) {
  std::vector<Report> out;
  Report r;
  while (station.ReadData(handle, r.data()) != 0) out.push_back(r);
  return out;
}

TEST(VirtualStationImage, LoadsOnlyAWholeImage) {
  test::ScratchFolder folder;
  VirtualStation station;
  std::string error;
  EXPECT_FALSE(station.LoadImage(folder / "none.img", error));
  EXPECT_NE(error.find("no such station image"), std::string::npos) << error;

  for (std::size_t size : {0u, 0xFFFFu, 0x10001u}) {
    WriteFile(folder / "bad.img", std::vector<std::uint8_t>(size, 0x42));
    error.clear();
    EXPECT_FALSE(station.LoadImage(folder / "bad.img", error)) << size;
    EXPECT_NE(error.find("65536"), std::string::npos) << error;
    EXPECT_EQ(station.Memory().Get(0), 0x00);  // memory untouched
  }
  EXPECT_FALSE(station.LoadImage(folder.path(), error));

  WriteFile(folder / "good.img", Pattern());
  ASSERT_TRUE(station.LoadImage(folder / "good.img", error)) << error;
  EXPECT_EQ(station.Memory().Get(0x1234), static_cast<std::uint8_t>(0x1234 ^ 0x12));
}

TEST(VirtualStationImage, WritesAreSavedToTheImage) {
  test::ScratchFolder folder;
  WriteFile(folder / "st.img", Pattern());
  VirtualStation station;
  std::string error;
  ASSERT_TRUE(station.LoadImage(folder / "st.img", error));
  const int h = station.FindHandle(0x1941, 0x8021);
  ASSERT_NE(h, -1);

  const auto command = report::WriteBlockCommand(0xFFF0);  // wraps to 0x0000
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  for (int k = 0; k < 4; ++k) {
    const Report data{std::uint8_t(k), 1, 2, 3, 4, 5, 6, 7};
    ASSERT_EQ(station.WriteData(h, data.data()), 1);
  }
  EXPECT_EQ(Drain(station, h), std::vector<Report>{report::Acknowledgement()});
  const auto byteCommand = report::WriteByteCommand(0x1A, 0xAA);
  ASSERT_EQ(station.WriteData(h, byteCommand.data()), 1);
  EXPECT_EQ(Drain(station, h), std::vector<Report>{report::Acknowledgement()});

  auto expected = Pattern();
  for (int k = 0; k < 4; ++k) {
    for (int i = 0; i < 8; ++i) expected[(0xFFF0 + 8 * k + i) & 0xFFFF] = static_cast<std::uint8_t>(i == 0 ? k : i);
  }
  expected[0x1A] = 0xAA;
  EXPECT_EQ(ReadFile(folder / "st.img"), expected);
  // Nothing left beside the image of the file written before the replace.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"st.img"});
}

TEST(VirtualStationImage, UnsavableWriteIsUndoneAndNotAcknowledged) {
  test::ScratchFolder folder;
  std::filesystem::create_directory(folder / "sub");
  WriteFile(folder / "sub" / "st.img", Pattern());
  VirtualStation station;
  std::string error;
  ASSERT_TRUE(station.LoadImage(folder / "sub" / "st.img", error));
  std::filesystem::remove_all(folder / "sub");
  const int h = station.FindHandle(0x1941, 0x8021);
  const auto command = report::WriteByteCommand(0x10, 0x99);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_TRUE(Drain(station, h).empty());
  EXPECT_EQ(station.Memory().Get(0x10), Pattern()[0x10]);
  EXPECT_NE(station.LastSaveError().find("st.img"), std::string::npos);
}

TEST(VirtualStationProtocol, ReadCommandAnswersFourDataReports) {
  VirtualStation station;
  for (int a = 0; a < 0x10000; ++a) station.Memory().Set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a));
  const int h = station.FindHandle(0x1941, 0x8021);
  const auto command = report::ReadBlockCommand(0xFFF8);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  const auto reports = Drain(station, h);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0], (Report{0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF}));
  EXPECT_EQ(reports[1], (Report{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}));
  EXPECT_EQ(reports[3], (Report{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}));
}

TEST(VirtualStationProtocol, IgnoresMalformedCommands) {
  VirtualStation station;
  const int h = station.FindHandle(0x1941, 0x8021);
  const std::vector<Report> malformed = {
      {0xA1, 0x00, 0x20, 0x20, 0xA1, 0x00, 0x40, 0x20},  // halves disagree
      {0xA1, 0x00, 0x20, 0x10, 0xA1, 0x00, 0x20, 0x10},  // not a 32-byte block
      {0xA3, 0x00, 0x20, 0x20, 0xA3, 0x00, 0x20, 0x20},  // unknown command
      {0xA2, 0x00, 0x1A, 0x20, 0xA2, 0xAA, 0x01, 0x20},  // write byte with a bad byte 6
  };
  for (const auto& r : malformed) ASSERT_EQ(station.WriteData(h, r.data()), 1);
  EXPECT_TRUE(Drain(station, h).empty());
  EXPECT_EQ(station.Memory().Get(0x1A), 0x00);
}

TEST(VirtualStationProtocol, HookRunsBeforeEachCommandWithTheMemory) {
  VirtualStation station;
  int calls = 0;
  station.SetCommandHook([&](StationMemory& memory, const Report& command) {
    ++calls;
    if (command[0] == report::kReadBlock) memory.Set(report::CommandAddress(command.data()), 0x5A);
  });
  const int h = station.FindHandle(0x1941, 0x8021);
  const auto command = report::ReadBlockCommand(0x0300);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  const auto reports = Drain(station, h);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0][0], 0x5A);
  EXPECT_EQ(calls, 1);
}

TEST(VirtualStationFaults, PlugStateAndHandles) {
  VirtualStation station(0x1941, 0x8021);
  EXPECT_EQ(station.FindHandle(0x1941, 0x8022), -1);
  const int first = station.FindHandle(0x1941, 0x8021);
  ASSERT_NE(first, -1);
  EXPECT_EQ(station.CheckHandle(first), 1);
  EXPECT_EQ(station.CheckHandle(first + 1), 0);

  station.Unplug();
  EXPECT_EQ(station.CheckHandle(first), 0);
  EXPECT_EQ(station.FindHandle(0x1941, 0x8021), -1);
  station.Replug();
  EXPECT_EQ(station.CheckHandle(first), 0);  // a handle from before the unplug stays dead
  const int second = station.FindHandle(0x1941, 0x8021);
  EXPECT_NE(second, first);
  EXPECT_EQ(station.CheckHandle(second), 1);

  station.UnplugAfter(2);
  const auto command = report::ReadBlockCommand(0);
  ASSERT_EQ(station.WriteData(second, command.data()), 1);
  Report r;
  EXPECT_EQ(station.ReadData(second, r.data()), 1);
  EXPECT_FALSE(station.IsPlugged());
  EXPECT_EQ(station.ReadData(second, r.data()), 0);
}

TEST(VirtualStationFaults, DropsRefusesAndStaysSilent) {
  VirtualStation station;
  const int h = station.FindHandle(0x1941, 0x8021);
  const auto command = report::ReadBlockCommand(0);
  station.DropDataReport(6);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_EQ(Drain(station, h).size(), 4u);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_EQ(Drain(station, h).size(), 3u);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_EQ(Drain(station, h).size(), 4u);  // one drop only

  station.RefuseReportsAfter(1);
  EXPECT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_EQ(station.WriteData(h, command.data()), 0);
  station.AcceptReports();
  Drain(station, h);

  station.SetSilent(true);
  ASSERT_EQ(station.WriteData(h, command.data()), 1);
  EXPECT_TRUE(Drain(station, h).empty());
}

}  // namespace
}  // namespace skyvane
