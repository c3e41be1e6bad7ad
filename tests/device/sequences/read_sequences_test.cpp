// The two reads of the whole configuration against a scripted keyboard and a clock that records
// pauses: the protocol's fixed pauses, where the initial read yields, and that every reply and
// page the keyboard sends is taken.
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/configuration.h"
#include "device/device_link.h"
#include "device/fake_hid.h"
#include "device/sequences/whole_device_sequences.h"

namespace tarsel {
namespace {

using testing::Journal;

// Pages of the key map, the key-enable bitmap, 32 macro slots and 5 colour pages.
constexpr std::size_t kPagesOfAWholeRead = 8 + 1 + 32 * 3 + 5 * 8;

class ReadSequencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    command_ = transport_.AddCommandInterface();
    ASSERT_TRUE(link_.OpenCommandInterface());
  }

  // What the keyboard answers: replies for every fetch and the pages of every region.
  void QueueAnswers(std::size_t replies) {
    for (std::size_t i = 0; i < replies; ++i) {
      command_->QueueFeatureReply({0x00, 0x80, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07});
    }
    const PageData page{};
    for (std::size_t i = 0; i < kPagesOfAWholeRead; ++i) command_->QueuePage(page);
  }

  std::vector<int> Pauses() const {
    std::vector<int> pauses;
    for (const std::string& entry : journal_.Entries()) {
      if (entry.starts_with("sleep ")) pauses.push_back(std::stoi(entry.substr(6)));
    }
    return pauses;
  }

  Journal journal_;
  testing::FakeHidTransport transport_{journal_};
  std::shared_ptr<testing::FakeInterface> command_;
  DeviceLink link_{transport_};
  testing::RecordingClock clock_{journal_};
  AckFlag ack_;
  WholeDeviceSequences sequences_{link_, clock_, ack_};
  Configuration config_;
};

TEST_F(ReadSequencesTest, InitialReadPausesAsTheProtocolAsksAndYieldsAfterEachMacroSlot) {
  QueueAnswers(52);
  ASSERT_TRUE(sequences_.InitialRead(config_.block, config_.firmwareVersion));

  const std::vector<int> pauses = Pauses();
  EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), 379);
  EXPECT_EQ(pauses.front(), 20);  // SetGameModeOn
  // The yields come right after the last page of each slot, before the next request.
  const std::vector<std::string> entries = journal_.Entries();
  int yields = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != "sleep 0") continue;
    ++yields;
    ASSERT_TRUE(i > 0 && i + 1 < entries.size());
    EXPECT_EQ(entries[i - 1], "read");
    EXPECT_TRUE(entries[i + 1].starts_with("set 00 91") || entries[i + 1].starts_with("set 00 92"))
        << entries[i + 1];
  }
  EXPECT_EQ(yields, 32);
  EXPECT_EQ(command_->PendingFeatureReplies(), 0u);
  EXPECT_EQ(command_->PendingInputReports(), 0u);
  EXPECT_EQ(config_.firmwareVersion, (std::array<uint8_t, 4>{0x01, 0x02, 0, 0}));
}

TEST_F(ReadSequencesTest, ReadWholeDevicePausesAsTheProtocolAsksWithoutVersionOrSecondRate) {
  QueueAnswers(50);
  ASSERT_TRUE(sequences_.ReadWholeDevice(config_.block));

  const std::vector<int> pauses = Pauses();
  EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), 349);
  ASSERT_GE(pauses.size(), 2u);
  EXPECT_EQ(pauses[0], 20);  // SetGameModeOn
  EXPECT_EQ(pauses[1], 10);  // then a pause of its own
  EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 0), 0);
  EXPECT_EQ(command_->PendingFeatureReplies(), 0u);
  EXPECT_EQ(command_->PendingInputReports(), 0u);
}

}  // namespace
}  // namespace tarsel
