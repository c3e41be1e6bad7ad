// The link used from several threads at once, as the listener, the initial read and the user
// interface do. Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "device/command_set.h"
#include "device/device_link.h"
#include "device/fake_hid.h"

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using testing::FakeHidTransport;
using testing::FakeInterface;
using testing::Journal;
using testing::RecordingClock;

// Long enough that a test only passes if the reader is woken, not timed out.
constexpr auto kLongTimeout = 60s;

class DeviceLinkThreadsTest : public ::testing::Test {
 protected:
  Journal journal_;
  FakeHidTransport transport_{journal_};
  DeviceLink link_{transport_};
  RecordingClock clock_{journal_};
};

TEST_F(DeviceLinkThreadsTest, CloseLinkWakesAThreadWaitingForAPage) {
  auto command = transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  link_.SetPageTimeout(kLongTimeout);
  PageData page;
  page.fill(0x11);
  bool read = true;

  std::thread reader([&] { read = link_.ReadPage(page); });
  command->AwaitBlockedReader();
  link_.CloseLink();
  reader.join();

  EXPECT_FALSE(read);
  PageData untouched;
  untouched.fill(0x11);
  EXPECT_EQ(page, untouched);
}

// The keyboard is pulled out in the middle of a key-map read: the read fails at once and the
// block keeps the key map it had.
TEST_F(DeviceLinkThreadsTest, KeyboardVanishingMidReadFailsTheReadAndKeepsTheBlock) {
  auto command = transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  link_.SetPageTimeout(kLongTimeout);
  CommandSet commands(link_, clock_);
  auto block = std::make_unique<DeviceStateBlock>();
  block->keyMap[0] = {1, 2, 3, 4};
  const auto before = std::make_unique<DeviceStateBlock>(*block);
  command->QueueFeatureReply(std::vector<uint8_t>(9, 0));
  PageData page;
  page.fill(0x99);
  for (int i = 0; i < 3; ++i) command->QueuePage(page);
  bool ok = true;

  std::thread initialRead([&] {
    auto sequence = link_.LockCommands();
    ok = commands.ReadKeyMap(*block);
  });
  command->AwaitBlockedReader();
  command->Unplug();
  initialRead.join();

  EXPECT_FALSE(ok);
  EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(DeviceStateBlock)), 0);
}

// A listener-like loop keeps reading events while the interface is closed and opened again
// under it; acknowledgements and key events arrive across the reopening.
TEST_F(DeviceLinkThreadsTest, EventReaderSurvivesCloseAndReopen) {
  auto event = transport_.AddEventInterface();
  transport_.AddCommandInterface();
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<EventReport> received;

  std::thread listener([&] {
    while (!stop) {
      EventReport report{};
      if (link_.ReadEvent(report, 200ms) == HidStatus::Ok) {
        std::lock_guard lock(mutex);
        received.push_back(report);
        arrived.notify_all();
      }
    }
  });
  auto awaitReports = [&](std::size_t count) {
    std::unique_lock lock(mutex);
    return arrived.wait_for(lock, kLongTimeout, [&] { return received.size() >= count; });
  };

  ASSERT_TRUE(link_.OpenEventInterface());
  event->QueueInputReport({0x04, 0x04, 0x00, 0x00});
  ASSERT_TRUE(awaitReports(1));
  link_.CloseLink();
  ASSERT_TRUE(link_.OpenCommandInterface());
  ASSERT_TRUE(link_.OpenEventInterface());
  event->QueueInputReport({0x04, 0x01, 0x1B, 0x00});
  ASSERT_TRUE(awaitReports(2));
  link_.CloseLink();
  stop = true;
  listener.join();

  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], (EventReport{0x04, 0x04, 0x00, 0x00}));
  EXPECT_EQ(received[1], (EventReport{0x04, 0x01, 0x1B, 0x00}));
}

// Two sequences that each hold the command lock never interleave on the command interface.
TEST_F(DeviceLinkThreadsTest, LockedSequencesDoNotInterleave) {
  transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  constexpr int kSteps = 40;
  auto sequence = [&](uint8_t command) {
    auto lock = link_.LockCommands();
    for (int i = 0; i < kSteps; ++i) link_.SendFeature(command, uint8_t(i));
  };

  std::thread first(sequence, 0x01);
  std::thread second(sequence, 0x04);
  first.join();
  second.join();

  const std::vector<std::string> entries = journal_.Entries();
  ASSERT_EQ(entries.size(), 2u * kSteps);
  for (int i = 0; i < 2 * kSteps; ++i) {
    EXPECT_EQ(entries[i].substr(0, 9), entries[(i / kSteps) * kSteps].substr(0, 9)) << i;
  }
}

}  // namespace
}  // namespace tarsel
