// Every command against a fake keyboard: the exact reports, replies, pages and pauses, and what
// lands in the block.
#include "device/command_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device/fake_hid.h"

namespace tarsel {
namespace {

using testing::FakeHidTransport;
using testing::FakeInterface;
using testing::Hex;
using testing::Journal;
using testing::RecordingClock;
using Version = std::array<uint8_t, 4>;
using Bytes = std::vector<uint8_t>;

template <typename Field>
std::span<uint8_t> BytesOf(Field& field) {
  return {reinterpret_cast<uint8_t*>(&field), sizeof(field)};
}

// A configuration in which every field the commands touch has a value of its own.
DeviceStateBlock EditedBlock() {
  DeviceStateBlock block{};
  block.reportRate = 2;
  block.responseTime = 4;
  block.effect = 3;
  block.speed = 7;
  block.brightness = 40;
  block.colorChoice = 8;
  block.direction = 2;
  for (std::size_t i = 0; i < kPaletteEntries; ++i) {
    block.palette[i] = {uint8_t(0x10 + i), uint8_t(0x20 + i), uint8_t(0x30 + i)};
  }
  block.gameMode = 0;
  block.winLock = 1;
  block.keyEnable.fill(0xFF);
  auto keyMap = BytesOf(block.keyMap);
  for (std::size_t i = 0; i < keyMap.size(); ++i) keyMap[i] = uint8_t(i * 7);
  for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
    for (std::size_t i = 0; i < kMacroSlotSize; ++i) block.macroSlots[s][i] = uint8_t(s + i);
  }
  for (std::size_t k = 0; k < kColorPageCount; ++k) {
    for (std::size_t i = 0; i < kColorPageSize; ++i) block.colorPages[k][i] = uint8_t(k * 3 + i);
  }
  return block;
}

// What the keyboard sends in page transfers: distinct from everything in EditedBlock().
Bytes Incoming(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = uint8_t(0xA5 ^ (i * 13));
  return bytes;
}

// "write 00 <64 data bytes>" for page j of region, padded with zeros.
std::string PageWrite(std::span<const uint8_t> region, std::size_t j) {
  Bytes report(kPageReportSize, 0);
  for (std::size_t i = 0; i < kPageDataSize && j * kPageDataSize + i < region.size(); ++i) {
    report[1 + i] = region[j * kPageDataSize + i];
  }
  return "write " + Hex(report);
}

void Append(std::vector<std::string>& to, std::initializer_list<std::string> entries) {
  to.insert(to.end(), entries);
}

struct CommandCase {
  std::string name;
  Bytes reply;     // the keyboard's reply to a read command, if it fetches one
  Bytes incoming;  // bytes the keyboard sends as pages
  std::function<bool(CommandSet&, DeviceStateBlock&, Version&)> run;
  // Expected journal, given the block before the command.
  std::function<std::vector<std::string>(DeviceStateBlock&)> journal;
  // Applies to a copy of the block before the command what the command should change.
  std::function<void(DeviceStateBlock&, Version&, const Bytes& incoming)> change;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.name;
}

void NoChange(DeviceStateBlock&, Version&, const Bytes&) {}

std::vector<CommandCase> Cases() {
  std::vector<CommandCase> cases;
  cases.push_back({"SetReportRate",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.SetReportRate(b); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 01 02 00 00 00 00 00 FC", "sleep 10"};
                   },
                   NoChange});
  cases.push_back({"GetReportRate",
                   {0x00, 0x81, 0x03, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.GetReportRate(b); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 81 00 00 00 00 00 00 7E", "sleep 10",
                                                     "get", "sleep 10"};
                   },
                   [](DeviceStateBlock& b, Version&, const Bytes&) { b.reportRate = 3; }});
  cases.push_back(
      {"SetResponseTime",
       {},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.SetResponseTime(b); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 04 04 00 00 00 00 00 F7", "sleep 10"};
       },
       NoChange});
  cases.push_back(
      {"GetResponseTime",
       {0x00, 0x84, 0x06, 0, 0, 0, 0, 0, 0},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.GetResponseTime(b); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 84 00 00 00 00 00 00 7B", "sleep 10", "get",
                                         "sleep 10"};
       },
       [](DeviceStateBlock& b, Version&, const Bytes&) { b.responseTime = 6; }});
  // Phase 1 sends brightness 0 and leaves the block's brightness alone; speed 7 travels as 3.
  cases.push_back({"SetLightingOpen",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) {
                     return c.SetLighting(b, LightingPhase::Open);
                   },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 08 01 03 03 00 08 02 E6", "sleep 10"};
                   },
                   NoChange});
  cases.push_back({"SetLightingClose",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) {
                     return c.SetLighting(b, LightingPhase::Close);
                   },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 08 02 03 03 28 08 02 BD", "sleep 10"};
                   },
                   NoChange});
  // A reply of 10 in byte 4 reads as speed 0.
  cases.push_back(
      {"GetLighting",
       {0x00, 0x88, 0x00, 0x05, 0x0A, 0x14, 0x04, 0x03, 0x00},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.GetLighting(b); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 88 00 00 00 00 00 00 77", "sleep 10", "get"};
       },
       [](DeviceStateBlock& b, Version&, const Bytes&) {
         b.effect = 5;
         b.speed = 0;
         b.brightness = 20;
         b.colorChoice = 4;
         b.direction = 3;
       }});
  // The block's winLock (1) is folded into the bitmap: the left Windows key is disabled.
  cases.push_back({"SetGameMode",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.SetGameMode(b); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 09 00 00 00 00 00 00 F6", "sleep 20"};
                   },
                   [](DeviceStateBlock& b, Version&, const Bytes&) { b.keyEnable[0] = 0xFD; }});
  cases.push_back({"SetGameModeOn",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock&, Version&) { return c.SetGameModeOn(); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 09 01 00 00 00 00 00 F5", "sleep 20"};
                   },
                   NoChange});
  cases.push_back(
      {"GetGameMode",
       {0x00, 0x89, 0x01, 0, 0, 0, 0, 0, 0},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.GetGameMode(b); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 89 00 00 00 00 00 00 76", "sleep 5", "get"};
       },
       [](DeviceStateBlock& b, Version&, const Bytes&) { b.gameMode = 1; }});
  cases.push_back(
      {"SetPaletteColor",
       {},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.SetPaletteColor(b, 2); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 14 00 02 12 22 32 00 83", "sleep 20"};
       },
       NoChange});
  cases.push_back(
      {"GetPaletteColor",
       {0x00, 0x94, 0x00, 0x06, 0xC1, 0xC2, 0xC3, 0x00, 0x00},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.GetPaletteColor(b, 6); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 94 00 06 00 00 00 00 65", "sleep 1", "get",
                                         "sleep 1"};
       },
       [](DeviceStateBlock& b, Version&, const Bytes&) {
         b.palette[6] = {0xC1, 0xC2, 0xC3};
       }});
  cases.push_back({"WriteKeyMap",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.WriteKeyMap(b); },
                   [](DeviceStateBlock& b) {
                     std::vector<std::string> j{"set 00 0D 00 00 08 00 00 00 EA", "sleep 50"};
                     for (std::size_t p = 0; p < 8; ++p)
                       j.push_back(PageWrite(BytesOf(b.keyMap), p));
                     j.push_back("sleep 60");
                     return j;
                   },
                   NoChange});
  cases.push_back({"ReadKeyMap", Bytes(9, 0x33), Incoming(512),
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.ReadKeyMap(b); },
                   [](DeviceStateBlock&) {
                     std::vector<std::string> j{"set 00 8D 00 00 00 00 00 00 72", "get"};
                     j.insert(j.end(), 8, "read");
                     return j;
                   },
                   [](DeviceStateBlock& b, Version&, const Bytes& in) {
                     std::memcpy(&b.keyMap, in.data(), 512);
                   }});
  // One page: the 18 bitmap bytes and 46 zeros.
  cases.push_back({"WriteKeyEnable",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.WriteKeyEnable(b); },
                   [](DeviceStateBlock&) {
                     Bytes report(kPageReportSize, 0);
                     std::fill_n(report.begin() + 1, 18, 0xFF);
                     return std::vector<std::string>{"set 00 0E 00 00 12 00 00 00 DF", "sleep 10",
                                                     "write " + Hex(report)};
                   },
                   NoChange});
  // The page leaves the left Windows key disabled, so the lock reads as on; the bytes after the
  // bitmap stay out of the block.
  {
    Bytes page(kPageDataSize, 0x77);
    std::fill_n(page.begin(), 18, 0xFF);
    page[0] = 0xFC;
    page[1] = 0xFE;
    cases.push_back(
        {"ReadKeyEnable", Bytes(9, 0x33), page,
         [](CommandSet& c, DeviceStateBlock& b, Version&) {
           b.winLock = 0;
           return c.ReadKeyEnable(b);
         },
         [](DeviceStateBlock&) {
           return std::vector<std::string>{"set 00 8E 00 00 12 00 00 00 5F", "get", "read"};
         },
         [](DeviceStateBlock& b, Version&, const Bytes& in) {
           std::memcpy(b.keyEnable.data(), in.data(), 18);
           b.winLock = 1;
         }});
  }
  // Sends the caller's copy, not the block's slot.
  cases.push_back({"WriteMacroSlot",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock& b, Version&) {
                     return c.WriteMacroSlot(b.macroSlots[7], 31);
                   },
                   [](DeviceStateBlock& b) {
                     auto slot = BytesOf(b.macroSlots[7]);
                     return std::vector<std::string>{"set 00 11 00 1F 03 00 00 00 CC",
                                                     "sleep 1",
                                                     PageWrite(slot, 0),
                                                     "sleep 0",
                                                     PageWrite(slot, 1),
                                                     "sleep 0",
                                                     PageWrite(slot, 2)};
                   },
                   NoChange});
  cases.push_back(
      {"ReadMacroSlot", Bytes(9, 0x33), Incoming(192),
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.ReadMacroSlot(b, 5); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 91 00 05 00 00 00 00 69", "get", "read", "read",
                                         "read"};
       },
       [](DeviceStateBlock& b, Version&, const Bytes& in) {
         std::memcpy(b.macroSlots[5].data(), in.data(), 192);
       }});
  cases.push_back(
      {"WriteColorPage",
       {},
       {},
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.WriteColorPage(b, 4); },
       [](DeviceStateBlock& b) {
         std::vector<std::string> j{"set 00 12 00 04 08 00 00 00 E1", "sleep 5"};
         for (std::size_t p = 0; p < 8; ++p) {
           Append(j, {PageWrite(BytesOf(b.colorPages[4]), p), "sleep 5"});
         }
         return j;
       },
       NoChange});
  cases.push_back(
      {"ReadColorPage", Bytes(9, 0x33), Incoming(512),
       [](CommandSet& c, DeviceStateBlock& b, Version&) { return c.ReadColorPage(b, 1); },
       [](DeviceStateBlock&) {
         std::vector<std::string> j{"set 00 92 00 01 08 00 00 00 64", "sleep 5", "get", "sleep 5"};
         for (int p = 0; p < 8; ++p) Append(j, {"read", "sleep 5"});
         return j;
       },
       [](DeviceStateBlock& b, Version&, const Bytes& in) {
         std::memcpy(b.colorPages[1].data(), in.data(), 512);
       }});
  cases.push_back({"FactoryReset",
                   {},
                   {},
                   [](CommandSet& c, DeviceStateBlock&, Version&) { return c.FactoryReset(); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 13 FF 00 00 00 00 00 ED", "sleep 300"};
                   },
                   NoChange});
  cases.push_back(
      {"FactoryResetSequence",
       {},
       {},
       [](CommandSet& c, DeviceStateBlock&, Version&) { return c.FactoryResetSequence(); },
       [](DeviceStateBlock&) {
         return std::vector<std::string>{"set 00 13 FF 00 00 00 00 00 ED",
                                         "sleep 300",
                                         "set 00 09 01 00 00 00 00 00 F5",
                                         "sleep 20",
                                         "sleep 300",
                                         "set 00 09 01 00 00 00 00 00 F5",
                                         "sleep 20",
                                         "sleep 300"};
       },
       NoChange});
  cases.push_back({"GetVersion",
                   {0x00, 0x80, 0x01, 0x07, 0x11, 0x22, 0x33, 0x44, 0x55},
                   {},
                   [](CommandSet& c, DeviceStateBlock&, Version& v) { return c.GetVersion(v); },
                   [](DeviceStateBlock&) {
                     return std::vector<std::string>{"set 00 80 00 00 00 00 00 00 7F", "sleep 10",
                                                     "get", "sleep 10"};
                   },
                   [](DeviceStateBlock&, Version& v, const Bytes&) {
                     v = {1, 7, 0, 0};
                   }});
  return cases;
}

class CommandSetTest : public ::testing::TestWithParam<CommandCase> {
 protected:
  void SetUp() override {
    command_ = transport_.AddCommandInterface();
    ASSERT_TRUE(link_.OpenCommandInterface());
  }

  Journal journal_;
  FakeHidTransport transport_{journal_};
  std::shared_ptr<FakeInterface> command_;
  DeviceLink link_{transport_};
  RecordingClock clock_{journal_};
  CommandSet commands_{link_, clock_};
};

TEST_P(CommandSetTest, SendsExactReportsAndPausesAndStoresTheAnswer) {
  const CommandCase& c = GetParam();
  if (!c.reply.empty()) command_->QueueFeatureReply(c.reply);
  for (std::size_t offset = 0; offset < c.incoming.size(); offset += kPageDataSize) {
    command_->QueuePage(std::span(c.incoming).subspan(offset));
  }
  auto block = std::make_unique<DeviceStateBlock>(EditedBlock());
  auto expected = std::make_unique<DeviceStateBlock>(*block);
  Version version{9, 9, 9, 9};
  Version expectedVersion = version;
  const std::vector<std::string> expectedJournal = c.journal(*block);

  EXPECT_TRUE(c.run(commands_, *block, version));

  EXPECT_EQ(journal_.Entries(), expectedJournal);
  EXPECT_EQ(command_->PendingFeatureReplies(), 0u) << "every reply is fetched";
  EXPECT_EQ(command_->PendingInputReports(), 0u) << "every page is read";
  c.change(*expected, expectedVersion, c.incoming);
  EXPECT_EQ(std::memcmp(block.get(), expected.get(), sizeof(DeviceStateBlock)), 0)
      << "the command changed other bytes of the block than its own";
  EXPECT_EQ(version, expectedVersion);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandSetTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST_P(CommandSetTest, StopsAtAFailedSend) {
  const CommandCase& c = GetParam();
  command_->FailSends(true);
  auto block = std::make_unique<DeviceStateBlock>(EditedBlock());
  Version version{};
  const std::string firstReport = c.journal(*block).front();

  EXPECT_FALSE(c.run(commands_, *block, version));

  EXPECT_EQ(journal_.Entries(), std::vector<std::string>{firstReport + " (failed)"})
      << "nothing follows a report the keyboard did not take";
}

// A read whose reply or pages do not arrive keeps the block (and the version) as they were,
// even though the transfer may have scribbled over its own buffers.
TEST_P(CommandSetTest, FailedReadLeavesTheBlockAsItWas) {
  const CommandCase& c = GetParam();
  if (c.reply.empty()) return;  // a write: nothing to store
  link_.SetPageTimeout(std::chrono::milliseconds(10));
  const auto original = std::make_unique<DeviceStateBlock>(EditedBlock());
  const Version originalVersion{9, 9, 9, 9};

  struct Variant {
    const char* what;
    bool failFetch;
    std::size_t pagesDelivered;
  };
  std::vector<Variant> variants{{"reply lost", true, 0}};
  if (!c.incoming.empty()) {
    variants.push_back({"last page lost", false, c.incoming.size() / kPageDataSize - 1});
  }
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.what);
    command_->FailFetches(v.failFetch);
    if (!v.failFetch) command_->QueueFeatureReply(c.reply);
    for (std::size_t p = 0; p < v.pagesDelivered; ++p) {
      command_->QueuePage(std::span(c.incoming).subspan(p * kPageDataSize));
    }
    auto block = std::make_unique<DeviceStateBlock>(*original);
    block->winLock = 0;  // ReadKeyEnable must not derive it from a lost page either
    const auto before = std::make_unique<DeviceStateBlock>(*block);
    Version version = originalVersion;

    EXPECT_FALSE(c.run(commands_, *block, version));

    EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(DeviceStateBlock)), 0);
    EXPECT_EQ(version, originalVersion);
    EXPECT_EQ(command_->PendingInputReports(), 0u);
  }
}

TEST_F(CommandSetTest, IndexOutOfRangeSendsNothing) {
  auto block = std::make_unique<DeviceStateBlock>(EditedBlock());
  EXPECT_FALSE(commands_.SetPaletteColor(*block, kPaletteEntries));
  EXPECT_FALSE(commands_.GetPaletteColor(*block, kPaletteEntries));
  EXPECT_FALSE(commands_.WriteMacroSlot(block->macroSlots[0], kMacroSlotCount));
  EXPECT_FALSE(commands_.ReadMacroSlot(*block, kMacroSlotCount));
  EXPECT_FALSE(commands_.WriteColorPage(*block, kColorPageCount));
  EXPECT_FALSE(commands_.ReadColorPage(*block, kColorPageCount));
  EXPECT_TRUE(journal_.Entries().empty());
}

TEST(CommandSetSpeed, TravelsAsTenMinusSpeed) {
  Journal journal;
  FakeHidTransport transport(journal);
  transport.AddCommandInterface();
  DeviceLink link(transport);
  ASSERT_TRUE(link.OpenCommandInterface());
  RecordingClock clock(journal);
  CommandSet commands(link, clock);
  auto block = std::make_unique<DeviceStateBlock>();
  for (auto [speed, sent] : {std::pair{0, "0A"}, std::pair{9, "01"}}) {
    journal.Clear();
    block->speed = uint8_t(speed);
    ASSERT_TRUE(commands.SetLighting(*block, LightingPhase::Close));
    EXPECT_EQ(journal.Entries().at(0).substr(0, 18), std::string("set 00 08 02 00 ") + sent)
        << "speed " << speed;
  }
}

}  // namespace
}  // namespace tarsel
