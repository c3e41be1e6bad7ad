// The real tarsel-kbdsim, reached through the socket transport as the program reaches it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "config/temp_folder.h"
#include "keyboard_model.h"
#include "sim/kbdsim_process.h"
#include "sim_socket_transport.h"

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using testing::KbdsimProcess;
using Bytes = std::vector<uint8_t>;

constexpr auto kLongWait = 10s;  // only a bound against hanging; the cases never wait this long

FeatureReport Feature(uint8_t command, uint8_t p1 = 0, uint8_t p2 = 0, uint8_t p3 = 0) {
  FeatureReport report{0, command, p1, p2, p3, 0, 0, 0, 0};
  report[8] = FeatureCheckByte(report);
  return report;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> LinesOf(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A simulator in a fresh runtime folder, with both interfaces open.
class KbdsimTest : public ::testing::Test {
 protected:
  void StartSimulator(std::vector<std::string> args) {
    args.insert(args.end(), {"--log", LogPath().string()});
    ASSERT_TRUE(sim_.Start(runtime_.path().string(), args)) << sim_.ReadyLine();
    transport_ = std::make_unique<SimSocketTransport>(Folder().string(), 300ms);
    for (const HidInterfaceInfo& info : transport_->Enumerate()) {
      EXPECT_EQ(info.vendorId, 0x04D9);
      EXPECT_EQ(info.productId, 0xA1DD);
      if (info.path.find("mi_03") != std::string::npos) command_ = transport_->Open(info.path);
      if (info.path.find("ol04") != std::string::npos) event_ = transport_->Open(info.path);
    }
    ASSERT_TRUE(command_ && event_);
  }

  std::filesystem::path Folder() const { return runtime_.path() / "tarsel"; }
  std::filesystem::path LogPath() const { return runtime_.path() / "kbdsim.log"; }

  HidStatus Read(HidDevice& device, Bytes& report, std::chrono::milliseconds timeout = kLongWait) {
    report.assign(65, 0);
    std::size_t size = 0;
    const HidStatus status = device.ReadReport(report, timeout, size);
    report.resize(status == HidStatus::Ok ? size : 0);
    return status;
  }

  Bytes Get(uint8_t command, uint8_t p2 = 0, uint8_t p3 = 0) {
    EXPECT_EQ(command_->SendFeatureReport(Feature(command, 0, p2, p3)), HidStatus::Ok);
    Bytes reply(9, 0);
    EXPECT_EQ(command_->GetFeatureReport(reply), HidStatus::Ok);
    return reply;
  }

  testing::TempFolder runtime_;
  KbdsimProcess sim_;
  std::unique_ptr<SimSocketTransport> transport_;
  std::unique_ptr<HidDevice> command_;
  std::unique_ptr<HidDevice> event_;
};

TEST_F(KbdsimTest, AnswersOverTheSocketsAndLogsEveryReportExactly) {
  StartSimulator({});
  EXPECT_EQ(sim_.ReadyLine(), "tarsel-kbdsim: serving in " + Folder().string());
  struct stat info {};
  ASSERT_EQ(stat(Folder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "the default folder under XDG_RUNTIME_DIR";

  const Bytes version = Get(0x80);
  EXPECT_EQ(version[2], 1);
  EXPECT_EQ(version[3], 2);

  Bytes event;
  ASSERT_EQ(command_->SendFeatureReport(Feature(0x01, 3)), HidStatus::Ok);
  ASSERT_EQ(Read(*event_, event), HidStatus::Ok);
  EXPECT_EQ(event, (Bytes{4, 4, 0, 0}));

  const Bytes enable = Get(0x8E, 0, 0x12);
  Bytes page;
  ASSERT_EQ(Read(*command_, page), HidStatus::Ok);
  ASSERT_EQ(page.size(), 65u);
  EXPECT_EQ(page[0], 0);

  ASSERT_EQ(command_->SendFeatureReport(Feature(0x0E, 0, 0, 0x12)), HidStatus::Ok);
  Bytes newEnable(65, 0);
  newEnable[1] = 0xFE;
  ASSERT_EQ(command_->WriteReport(newEnable), HidStatus::Ok);
  ASSERT_EQ(Read(*event_, event), HidStatus::Ok);
  EXPECT_EQ(event, (Bytes{4, 4, 0, 0}));
  EXPECT_EQ(Get(0x81)[2], 3) << "the report rate written before";

  sim_.Signal(SIGTERM);
  EXPECT_EQ(sim_.WaitExit(), 0);
  EXPECT_TRUE(FilesIn(Folder()).empty()) << "sockets removed on SIGTERM";

  const std::vector<std::string> lines = LinesOf(LogPath());
  const std::regex shape(R"(^\d+\.\d{6} [a-z-]+( [0-9A-F]{2})+$)");
  std::vector<std::string> kinds;
  double previous = 0;
  for (const std::string& line : lines) {
    ASSERT_TRUE(std::regex_match(line, shape)) << line;
    const double stamp = std::stod(line);
    EXPECT_GE(stamp, previous);
    previous = stamp;
    kinds.push_back(
        line.substr(line.find(' ') + 1, line.find(' ', line.find(' ') + 1) - line.find(' ') - 1));
  }
  const std::vector<std::string> expected = {
      "feature-set", "feature-get", "feature-set", "event", "feature-set", "feature-get",
      "page-read",   "feature-set", "page-write",  "event", "feature-set", "feature-get"};
  ASSERT_EQ(kinds, expected);
  auto payload = [&](std::size_t i) { return lines[i].substr(lines[i].find(' ') + 1); };
  EXPECT_EQ(payload(0), "feature-set 00 80 00 00 00 00 00 00 7F");
  EXPECT_EQ(payload(1), "feature-get 00 80 01 02 00 00 00 00 7C");
  EXPECT_EQ(payload(3), "event 04 04 00 00");
  EXPECT_EQ(payload(7), "feature-set 00 0E 00 00 12 00 00 00 DF");
  EXPECT_EQ(payload(8).size(), std::string("page-write").size() + 65 * 3);
  EXPECT_EQ(payload(8).substr(0, 19), "page-write 00 FE 00");
}

TEST_F(KbdsimTest, PressReportsAKeyEventOnTheEventInterface) {
  StartSimulator({});
  std::string errors;
  EXPECT_EQ(testing::RunKbdsim(runtime_.path().string(), {"press", "0x1B"}, &errors), 0) << errors;
  Bytes event;
  ASSERT_EQ(Read(*event_, event), HidStatus::Ok);
  EXPECT_EQ(event, (Bytes{4, 1, 0x1B, 0}));
  // With --dir the same folder is reached explicitly.
  EXPECT_EQ(testing::RunKbdsim("/nonexistent", {"press", "200", "--dir", Folder().string()}), 0);
  ASSERT_EQ(Read(*event_, event), HidStatus::Ok);
  EXPECT_EQ(event, (Bytes{4, 1, 200, 0}));
}

TEST(KbdsimProgram, PressWithoutASimulatorAndBadOptionsFail) {
  testing::TempFolder runtime;
  std::filesystem::create_directory(runtime.path() / "tarsel");
  // A folder others may write to could hold sockets planted by them: refused.
  const std::filesystem::path open = runtime.path() / "open";
  std::filesystem::create_directory(open);
  std::filesystem::permissions(open, std::filesystem::perms::all);
  const std::vector<std::vector<std::string>> cases = {
      {"press", "27"},          {"--bogus"},
      {"--page-delay-ms", "x"}, {"press", "300"},
      {"--dir", open.string()}, {"--log", (runtime.path() / "missing" / "log").string()},
  };
  for (const auto& args : cases) {
    std::string errors;
    const auto status = testing::RunKbdsim(runtime.path().string(), args, &errors);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0) << args[0];
    EXPECT_EQ(errors.rfind("tarsel-kbdsim: ", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  }
  EXPECT_TRUE(std::filesystem::is_empty(open)) << "nothing served there";
}

TEST_F(KbdsimTest, ExitAfterVanishesMidTransferAndReadsFail) {
  StartSimulator({"--exit-after", "3"});
  ASSERT_EQ(command_->SendFeatureReport(Feature(0x0D, 0, 0, 8)), HidStatus::Ok);
  ASSERT_EQ(command_->WriteReport(Bytes(65, 0)), HidStatus::Ok);
  ASSERT_EQ(command_->WriteReport(Bytes(65, 0)), HidStatus::Ok);
  Bytes report;
  EXPECT_EQ(Read(*event_, report), HidStatus::Failed) << "gone, not merely silent";
  EXPECT_EQ(Read(*command_, report), HidStatus::Failed);
  EXPECT_EQ(sim_.WaitExit(), 0);
  EXPECT_TRUE(transport_->Enumerate().empty());
  EXPECT_EQ(LinesOf(LogPath()).size(), 3u);
}

TEST_F(KbdsimTest, SigkillFailsBlockedReadsAndLeavesNothingDiscoverable) {
  StartSimulator({});
  std::atomic<int> outcome{-1};
  std::thread reader([&] {
    Bytes report;
    outcome = static_cast<int>(Read(*event_, report));
  });
  sim_.Signal(SIGKILL);
  reader.join();
  EXPECT_EQ(outcome.load(), static_cast<int>(HidStatus::Failed));
  EXPECT_TRUE(sim_.WaitExit().has_value());

  EXPECT_EQ(FilesIn(Folder()).size(), 3u) << "the killed simulator left its files";
  EXPECT_TRUE(transport_->Enumerate().empty()) << "stale sockets are not offered";

  // A new simulator clears the dead one's files and is found in its place.
  KbdsimProcess second;
  ASSERT_TRUE(second.Start(runtime_.path().string(), {}));
  const std::string pid = std::to_string(second.Pid());
  for (const std::string& name : FilesIn(Folder())) {
    EXPECT_NE(name.find(pid), std::string::npos) << name;
  }
  EXPECT_EQ(transport_->Enumerate().size(), 2u);
}

TEST_F(KbdsimTest, StallAfterLeavesReadsTimingOutOnALiveDevice) {
  StartSimulator({"--stall-after", "1"});
  ASSERT_EQ(command_->SendFeatureReport(Feature(0x8D)), HidStatus::Ok);
  Bytes reply(9, 0);
  EXPECT_EQ(command_->GetFeatureReport(reply), HidStatus::TimedOut);
  Bytes report;
  EXPECT_EQ(Read(*command_, report, 50ms), HidStatus::TimedOut);
  ASSERT_EQ(command_->SendFeatureReport(Feature(0x01, 2)), HidStatus::Ok);
  EXPECT_EQ(Read(*event_, report, 50ms), HidStatus::TimedOut) << "no acknowledgement either";

  sim_.Signal(SIGINT);
  EXPECT_EQ(sim_.WaitExit(), 0);
  const std::vector<std::string> lines = LinesOf(LogPath());
  ASSERT_EQ(lines.size(), 2u) << "what arrived is still logged, nothing went out";
  EXPECT_NE(lines[0].find("feature-set 00 8D"), std::string::npos);
  EXPECT_NE(lines[1].find("feature-set 00 01 02"), std::string::npos);
}

TEST_F(KbdsimTest, DropAcksStoresWritesWithoutAcknowledging) {
  StartSimulator({"--drop-acks"});
  ASSERT_EQ(command_->SendFeatureReport(Feature(0x04, 6)), HidStatus::Ok);
  Bytes report;
  EXPECT_EQ(Read(*event_, report, 100ms), HidStatus::TimedOut);
  EXPECT_EQ(Get(0x84)[2], 6);
}

TEST_F(KbdsimTest, PagesOfAReadArriveInOrderAtTheGivenPace) {
  StartSimulator({"--page-delay-ms", "0"});
  Get(0x92, 3, 8);
  Bytes data;
  for (int j = 0; j < 8; ++j) {
    Bytes page;
    ASSERT_EQ(Read(*command_, page), HidStatus::Ok);
    data.insert(data.end(), page.begin() + 1, page.end());
  }
  Bytes report;
  EXPECT_EQ(Read(*command_, report, 50ms), HidStatus::TimedOut) << "exactly eight pages";
  EXPECT_EQ(data.size(), kColorPageSize);
  // The factory layout is a pattern: entry bytes 0 are zero, the colours are not all the same.
  for (std::size_t m = 0; m < data.size(); m += 4) EXPECT_EQ(data[m], 0);
  EXPECT_NE(Bytes(data.begin() + 1, data.begin() + 4), Bytes(data.end() - 3, data.end()));
}

}  // namespace
}  // namespace tarsel
