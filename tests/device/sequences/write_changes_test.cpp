// The write sequence's handling of acknowledgements, with a scripted keyboard that confirms every
// command but chosen ones: what a lost acknowledgement leaves in the saved copy, and that waits
// end.
#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "config/configuration.h"
#include "device/device_link.h"
#include "device/fake_hid.h"
#include "device/sequences/whole_device_sequences.h"

namespace tarsel {
namespace {

using testing::Journal;

// Stands in for the listener: during each pause it acknowledges the last command sent, unless
// that command is one the keyboard "loses".
class AcknowledgingClock final : public Clock {
 public:
  AcknowledgingClock(Journal& journal, AckFlag& ack)
      : journal_(journal), ack_(ack), inner_(journal) {}
  void Sleep(std::chrono::milliseconds duration) override {
    ++sleeps_;
    inner_.Sleep(duration);
    const auto entries = journal_.Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      if (it->starts_with("set ")) {
        const auto command = static_cast<uint8_t>(std::stoul(it->substr(7, 2), nullptr, 16));
        if (!lost_.contains(command)) ack_.Set();
        break;
      }
    }
  }
  std::chrono::steady_clock::time_point Now() override { return inner_.Now(); }

  std::set<uint8_t> lost_;
  int sleeps_ = 0;

 private:
  Journal& journal_;
  AckFlag& ack_;
  testing::RecordingClock inner_;
};

class WriteChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    transport_.AddCommandInterface();
    ASSERT_TRUE(link_.OpenCommandInterface());
    config_ = std::make_unique<Configuration>();
    config_->TakeSavedBlockCopy();
  }

  Journal journal_;
  testing::FakeHidTransport transport_{journal_};
  DeviceLink link_{transport_};
  AckFlag ack_;
  AcknowledgingClock clock_{journal_, ack_};
  WholeDeviceSequences sequences_{link_, clock_, ack_, SequenceOptions{}};
  std::unique_ptr<Configuration> config_;
};

TEST_F(WriteChangesTest, LostAcknowledgementKeepsWhatWasNotConfirmedForTheNextSave) {
  DeviceStateBlock& block = config_->block;
  block.keyMap[3] = {0, 0, 4, 0};
  block.keyEnable[2] = 0x0F;
  block.macroSlots[3][0] = 1;
  block.brightness = 9;
  clock_.lost_ = {0x0E};  // WriteKeyEnable

  const WriteResult result = sequences_.WriteChanges(block, config_->savedBlock);

  EXPECT_EQ(result.status, WriteStatus::NotConfirmed);
  EXPECT_EQ(result.confirmed, (std::vector<Region>{{RegionKind::KeyMap}, {RegionKind::Lighting}}));
  EXPECT_EQ(result.unconfirmed,
            (std::vector<Region>{{RegionKind::KeyEnable}, {RegionKind::MacroSlot, 3}}));
  const DeviceStateBlock& saved = config_->savedBlock;
  EXPECT_EQ(saved.keyMap, block.keyMap);
  EXPECT_EQ(saved.brightness, block.brightness);
  EXPECT_NE(saved.keyEnable, block.keyEnable);
  EXPECT_NE(saved.macroSlots[3], block.macroSlots[3]);
  // The slot after the failure was not sent; the batch was still closed with phase 2.
  const auto entries = journal_.Entries();
  EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                          [](const std::string& e) { return e.starts_with("set 00 11"); }),
            0);
  const auto lastSet = std::find_if(entries.rbegin(), entries.rend(),
                                    [](const std::string& e) { return e.starts_with("set "); });
  ASSERT_NE(lastSet, entries.rend());
  EXPECT_TRUE(lastSet->starts_with("set 00 08 02"));

  // The next Save sends exactly what is still missing.
  clock_.lost_.clear();
  const WriteResult again = sequences_.WriteChanges(block, config_->savedBlock);
  EXPECT_EQ(again.status, WriteStatus::Confirmed);
  EXPECT_EQ(again.confirmed,
            (std::vector<Region>{{RegionKind::KeyEnable}, {RegionKind::MacroSlot, 3}}));
  EXPECT_EQ(std::memcmp(&config_->savedBlock, &block, sizeof block), 0);
}

TEST_F(WriteChangesTest, AcknowledgementWaitEndsWithoutAnAnswer) {
  config_->block.gameMode = 1;
  clock_.lost_ = {0x08, 0x09};
  EXPECT_EQ(sequences_.WriteChanges(config_->block, config_->savedBlock).status,
            WriteStatus::NotConfirmed);
  // 1000 ms in polls of 10 ms, plus the pauses of the two commands themselves.
  EXPECT_LE(clock_.sleeps_, 105);
}

}  // namespace
}  // namespace tarsel
