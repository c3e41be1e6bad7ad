// The whole-device sequences against the simulator as a separate process; its report log is the
// witness of what went over the wire.
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/configuration.h"
#include "device/device_link.h"
#include "device/sequences/event_listener.h"
#include "device/sequences/kbdsim_process.h"
#include "device/sequences/whole_device_sequences.h"
#include "platform/message_sink.h"
#include "platform/system_clock.h"
#include "sim_socket_transport.h"

namespace tarsel {
namespace {

using testing::KbdsimProcess;
using testing::SimFolder;
using Sets = std::vector<std::vector<uint8_t>>;

class NullSink final : public MessageSink {
 public:
  void Post(uint32_t, uintptr_t, intptr_t) override {}
  intptr_t Send(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

// The keyboard as the sequences see it: link, listener and sequences over a running simulator.
class SequencesTest : public ::testing::Test {
 protected:
  void StartSim(std::vector<std::string> options = {}) {
    sim_ = std::make_unique<KbdsimProcess>(folder_.Discovery(), folder_.Root() / "sim.log",
                                           std::move(options));
    ASSERT_TRUE(sim_->Ready());
    transport_ = std::make_unique<SimSocketTransport>(folder_.Discovery().string());
    link_ = std::make_unique<DeviceLink>(*transport_);
    ASSERT_TRUE(link_->OpenCommandInterface());
    ASSERT_TRUE(link_->OpenEventInterface());
    listener_ = std::make_unique<EventListener>(*link_, ack_, sink_);
    listener_->StartListener();
    sequences_ = std::make_unique<WholeDeviceSequences>(*link_, clock_, ack_, options_);
  }

  void StopSim() {
    if (listener_) listener_->Stop();
    if (link_) link_->CloseLink();
    sequences_.reset();
    listener_.reset();
    link_.reset();
    transport_.reset();
    sim_.reset();
  }

  void TearDown() override { StopSim(); }

  // Reads the keyboard and takes the saved copy, as start-up does.
  void ReadKeyboard() {
    ASSERT_TRUE(sequences_->InitialRead(config_.block, config_.firmwareVersion));
    config_.TakeSavedBlockCopy();
  }

  std::size_t LogSize() const { return sim_->Log().size(); }

  SimFolder folder_;
  SystemClock clock_;
  AckFlag ack_;
  NullSink sink_;
  SequenceOptions options_;
  Configuration config_;
  std::unique_ptr<KbdsimProcess> sim_;
  std::unique_ptr<SimSocketTransport> transport_;
  std::unique_ptr<DeviceLink> link_;
  std::unique_ptr<EventListener> listener_;
  std::unique_ptr<WholeDeviceSequences> sequences_;
};

TEST_F(SequencesTest, InitialReadSendsTheCommandsInOrderWithTheirPauses) {
  StartSim();
  ASSERT_TRUE(sequences_->InitialRead(config_.block, config_.firmwareVersion));

  Sets expected = {{0x09, 1, 0}, {0x80, 0, 0}, {0x88, 0, 0}};
  for (uint8_t entry = 0; entry < 7; ++entry) expected.push_back({0x94, 0, entry});
  expected.insert(expected.end(),
                  {{0x89, 0, 0}, {0x81, 0, 0}, {0x84, 0, 0}, {0x8D, 0, 0}, {0x8E, 0, 0}});
  for (uint8_t slot = 0; slot < 32; ++slot) expected.push_back({0x91, 0, slot});
  for (uint8_t page = 0; page < 5; ++page) expected.push_back({0x92, 0, page});
  expected.push_back({0x81, 0, 0});
  EXPECT_EQ(sim_->FeatureSets(), expected);

  const auto log = sim_->Log();
  std::size_t pages = 0;
  for (const auto& report : log) pages += report.kind == "page-read";
  EXPECT_EQ(pages, 8u + 1u + 32u * 3u + 5u * 8u);
  // The exact pauses are checked on a recording clock; here only that they really happen: the
  // simulator's time stamps carry scheduling jitter on a busy machine, so the bounds are loose.
  std::vector<double> setTimes;
  for (const auto& report : log) {
    if (report.kind == "feature-set") setTimes.push_back(report.seconds);
  }
  ASSERT_GE(setTimes.size(), 2u);
  EXPECT_GE(setTimes[1] - setTimes[0], 0.010);  // SetGameModeOn, then 20 ms
  EXPECT_GE(log.back().seconds - setTimes[0], 0.378);

  EXPECT_EQ(config_.firmwareVersion, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(config_.block.brightness, 50);  // the simulator's factory lighting arrived
}

TEST_F(SequencesTest, WriteChangesSendsOnlyTheChangedRegions) {
  StartSim();
  ReadKeyboard();
  struct Case {
    const char* what;
    void (*edit)(DeviceStateBlock&);
    Sets expected;
  } cases[] = {
      {"brightness", [](DeviceStateBlock& b) { b.brightness = 10; }, {{0x08, 2, 3}}},
      {"one palette entry",
       [](DeviceStateBlock& b) {
         b.palette[4] = {1, 2, 3};
       },
       {{0x08, 1, 3},
        {0x14, 0, 0},
        {0x14, 0, 1},
        {0x14, 0, 2},
        {0x14, 0, 3},
        {0x14, 0, 4},
        {0x14, 0, 5},
        {0x14, 0, 6},
        {0x08, 2, 3}}},
      {"Win lock",
       [](DeviceStateBlock& b) { b.winLock ^= 1; },
       {{0x08, 1, 3}, {0x0E, 0, 0}, {0x08, 2, 3}}},
      {"macro slot 31",
       [](DeviceStateBlock& b) { b.macroSlots[31][5] ^= 0xFF; },
       {{0x08, 1, 3}, {0x11, 0, 31}, {0x08, 2, 3}}},
      {"nothing", [](DeviceStateBlock&) {}, {}},
  };
  config_.block.effect = 3;  // a known effect for the expected phase bytes
  sequences_->WriteChanges(config_.block, config_.savedBlock);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t before = LogSize();
    c.edit(config_.block);
    const WriteResult result = sequences_->WriteChanges(config_.block, config_.savedBlock);
    EXPECT_EQ(sim_->FeatureSets(before), c.expected);
    EXPECT_EQ(result.status,
              c.expected.empty() ? WriteStatus::NothingToSend : WriteStatus::Confirmed);
    // A second Save without edits sends nothing.
    const std::size_t after = LogSize();
    EXPECT_EQ(sequences_->WriteChanges(config_.block, config_.savedBlock).status,
              WriteStatus::NothingToSend);
    EXPECT_EQ(sim_->FeatureSets(after), Sets{});
  }
}

TEST_F(SequencesTest, UnacknowledgedWriteStopsAndIsSentAgainByTheNextSave) {
  options_.ackTimeout = std::chrono::milliseconds(300);
  StartSim({"--drop-acks"});
  ReadKeyboard();
  config_.block.keyMap[5] = {0, 0, 0x04, 0};
  config_.block.brightness = 7;

  WriteResult result = sequences_->WriteChanges(config_.block, config_.savedBlock);
  EXPECT_EQ(result.status, WriteStatus::NotConfirmed);
  EXPECT_EQ(result.unconfirmed, (std::vector<Region>{{RegionKind::KeyMap}}));
  // Phase 1 went unanswered, so the key map was never sent; phase 2 still closes the batch.
  EXPECT_EQ(sim_->FeatureSets().back(), (std::vector<uint8_t>{0x08, 2, config_.block.effect}));
  EXPECT_NE(config_.savedBlock.keyMap[5], config_.block.keyMap[5]);
  EXPECT_EQ(config_.savedBlock.brightness, 7);  // the lighting did go out

  // With a keyboard that answers, the next Save sends the key map.
  const DeviceStateBlock edited = config_.block;
  const DeviceStateBlock saved = config_.savedBlock;
  StopSim();
  StartSim();
  result = sequences_->WriteChanges(config_.block, config_.savedBlock);
  EXPECT_EQ(result.status, WriteStatus::Confirmed);
  EXPECT_EQ(sim_->FeatureSets(),
            (Sets{{0x08, 1, edited.effect}, {0x0D, 0, 0}, {0x08, 2, edited.effect}}));
  EXPECT_EQ(std::memcmp(&config_.savedBlock, &config_.block, sizeof config_.block), 0);
  (void)saved;
}

TEST_F(SequencesTest, KeyboardVanishingMidReadEndsTheReadAndLeavesTheBlock) {
  StartSim({"--exit-after", "40"});
  config_.block.brightness = 33;
  config_.block.keyMap[0] = {9, 9, 9, 9};
  const DeviceStateBlock before = config_.block;
  const std::array<uint8_t, 4> version = {7, 7, 0, 0};
  config_.firmwareVersion = version;

  EXPECT_FALSE(sequences_->InitialRead(config_.block, config_.firmwareVersion));
  EXPECT_EQ(std::memcmp(&before, &config_.block, sizeof before), 0);
  EXPECT_EQ(config_.firmwareVersion, version);
  EXPECT_FALSE(sequences_->ReadWholeDevice(config_.block));
  EXPECT_EQ(std::memcmp(&before, &config_.block, sizeof before), 0);
}

}  // namespace
}  // namespace tarsel
