#include "keyboard_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <span>
#include <vector>

#include "config/key_table.h"
#include "factory_settings.h"

namespace tarsel {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kAck = {4, 4, 0, 0};

FeatureReport Feature(uint8_t command, uint8_t p1 = 0, uint8_t p2 = 0, uint8_t p3 = 0,
                      uint8_t p4 = 0, uint8_t p5 = 0, uint8_t p6 = 0) {
  FeatureReport report{0, command, p1, p2, p3, p4, p5, p6, 0};
  report[8] = FeatureCheckByte(report);
  return report;
}

Bytes Page(uint8_t fill) {
  Bytes page(kPageReportSize, fill);
  page[0] = 0;
  return page;
}

template <typename Region>
Bytes RegionBytes(const Region& region) {
  const auto* first = reinterpret_cast<const uint8_t*>(&region);
  return Bytes(first, first + sizeof(region));
}

std::vector<Bytes> Drain(KeyboardModel& model, ModelInterface which) {
  std::vector<Bytes> reports;
  while (auto report = model.TakeReport(which)) reports.push_back(*report);
  return reports;
}

TEST(FeatureCheckByte, MatchesKnownReportsAndWraps) {
  EXPECT_EQ(Feature(0x80)[8], 0x7F);
  EXPECT_EQ(Feature(0x13, 0xFF)[8], 0xED);  // the sum passes 0xFF
  EXPECT_EQ(Feature(0x0E, 0, 0, 0x12)[8], 0xDF);
  EXPECT_EQ(Feature(0x94, 0, 6)[8], 0x65);
}

TEST(KeyboardModelFactory, StartsWithPlausibleSettings) {
  const KeyboardModel model;
  const DeviceStateBlock& state = model.State();
  EXPECT_EQ(state.effect, 1);
  EXPECT_LE(state.speed, 9);
  EXPECT_EQ(state.brightness, 50);
  EXPECT_EQ(state.colorChoice, 8);
  EXPECT_EQ(state.direction, 1);
  EXPECT_EQ(state.responseTime, 1);
  EXPECT_EQ(state.reportRate, 1);
  EXPECT_EQ(state.gameMode, 0);
  EXPECT_EQ(std::set<RgbColor>(state.palette.begin(), state.palette.end()).size(), 7u);

  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const KeyTableEntry& key = KeyTable[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(state.keyMap[MapEntryIndex(key.position)], key.defaultEntry);
    EXPECT_TRUE(state.keyEnable[key.enableBit / 8] & (1u << (key.enableBit % 8)));
  }
  EXPECT_TRUE(state.keyEnable[1] & 1u) << "bit 8 (Windows keys work) is set";

  for (std::size_t page = 0; page < kColorPageCount; ++page) {
    std::set<RgbColor> colours;
    for (std::size_t m = 0; m < kColorPageSize; m += 4) {
      EXPECT_EQ(state.colorPages[page][m], 0);
      colours.insert({state.colorPages[page][m + 1], state.colorPages[page][m + 2],
                      state.colorPages[page][m + 3]});
    }
    EXPECT_GT(colours.size(), 3u) << "page " << page << " is a pattern, not one colour";
    if (page > 0) {
      EXPECT_NE(state.colorPages[page], state.colorPages[page - 1]);
    }
  }
}

struct ReplyCase {
  const char* name;
  FeatureReport request;
  std::function<void(DeviceStateBlock&)> prepare;
  std::vector<std::pair<std::size_t, uint8_t>> expected;  // reply byte, value
};

TEST(KeyboardModelReads, EachGetCommandRepliesAtItsPositions) {
  const std::vector<ReplyCase> cases = {
      {"GetVersion", Feature(0x80), {}, {{2, 1}, {3, 2}}},
      {"GetReportRate", Feature(0x81), [](auto& s) { s.reportRate = 3; }, {{2, 3}}},
      {"GetResponseTime", Feature(0x84), [](auto& s) { s.responseTime = 7; }, {{2, 7}}},
      {"GetLighting (speed 0 travels as 10)",
       Feature(0x88),
       [](auto& s) {
         s.effect = 0x33;
         s.speed = 0;
         s.brightness = 20;
         s.colorChoice = 4;
         s.direction = 3;
       },
       {{3, 0x33}, {4, 10}, {5, 20}, {6, 4}, {7, 3}}},
      {"GetLighting (speed 9 travels as 1)", Feature(0x88), [](auto& s) { s.speed = 9; }, {{4, 1}}},
      {"GetGameMode", Feature(0x89), [](auto& s) { s.gameMode = 1; }, {{2, 1}}},
      {"GetPaletteColor 6",
       Feature(0x94, 0, 6),
       [](auto& s) {
         s.palette[6] = {0x12, 0x34, 0x56};
       },
       {{4, 0x12}, {5, 0x34}, {6, 0x56}}},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyboardModel model;
    if (c.prepare) c.prepare(model.MutableState());
    ASSERT_TRUE(model.HostSetFeature(c.request));
    const FeatureReport reply = model.HostGetFeature(0);
    EXPECT_EQ(reply[0], 0);
    for (const auto& [index, value] : c.expected) EXPECT_EQ(reply[index], value) << index;
    EXPECT_EQ(reply[8], FeatureCheckByte(reply));
    EXPECT_EQ(model.PendingReports(ModelInterface::Event), 0u) << "reads are not acknowledged";
    model.HostGetFeature(0);
    EXPECT_EQ(model.PendingReports(ModelInterface::Command), 0u) << "no pages for a value read";
  }
}

struct RegionCase {
  const char* name;
  uint8_t readCommand;
  uint8_t writeCommand;
  uint8_t index;
  uint8_t pageCount;  // as the write announces it
  std::size_t pages;
  std::function<std::span<uint8_t>(DeviceStateBlock&)> region;
};

std::vector<RegionCase> RegionCases() {
  return {
      {"key map", 0x8D, 0x0D, 0, 8, 8,
       [](DeviceStateBlock& s) {
         return std::span<uint8_t>(reinterpret_cast<uint8_t*>(&s.keyMap), sizeof s.keyMap);
       }},
      {"key enable", 0x8E, 0x0E, 0, 0x12, 1,
       [](DeviceStateBlock& s) { return std::span(s.keyEnable); }},
      {"macro slot 31", 0x91, 0x11, 31, 3, 3,
       [](DeviceStateBlock& s) { return std::span(s.macroSlots[31]); }},
      {"colour page 4", 0x92, 0x12, 4, 8, 8,
       [](DeviceStateBlock& s) { return std::span(s.colorPages[4]); }},
  };
}

TEST(KeyboardModelReads, PageReadsSendTheRegionInOrder) {
  for (const RegionCase& c : RegionCases()) {
    SCOPED_TRACE(c.name);
    KeyboardModel model;
    const std::span<uint8_t> region = c.region(model.MutableState());
    for (std::size_t i = 0; i < region.size(); ++i) region[i] = static_cast<uint8_t>(i * 7 + 1);

    // The key map and macro slot requests carry no page count; the pages come all the same.
    ASSERT_TRUE(model.HostSetFeature(Feature(c.readCommand, 0, c.index)));
    EXPECT_EQ(model.PendingReports(ModelInterface::Command), 0u) << "pages follow the reply";
    model.HostGetFeature(0);
    const std::vector<Bytes> pages = Drain(model, ModelInterface::Command);
    ASSERT_EQ(pages.size(), c.pages);
    Bytes data;
    for (const Bytes& page : pages) {
      ASSERT_EQ(page.size(), kPageReportSize);
      EXPECT_EQ(page[0], 0);
      data.insert(data.end(), page.begin() + 1, page.end());
    }
    EXPECT_TRUE(std::equal(region.begin(), region.end(), data.begin()));
    EXPECT_TRUE(std::all_of(data.begin() + static_cast<std::ptrdiff_t>(region.size()), data.end(),
                            [](uint8_t b) { return b == 0; }))
        << "padding after the region";
  }
}

TEST(KeyboardModelWrites, PageWritesAreStoredAndAcknowledgedAfterTheLastPage) {
  for (const RegionCase& c : RegionCases()) {
    SCOPED_TRACE(c.name);
    KeyboardModel model;
    const Bytes before = RegionBytes(model.State());
    ASSERT_TRUE(model.HostSetFeature(Feature(c.writeCommand, 0, c.index, c.pageCount)));
    for (std::size_t j = 0; j + 1 < c.pages; ++j) {
      ASSERT_TRUE(model.HostWritePage(Page(static_cast<uint8_t>(0xA0 + j))));
    }
    EXPECT_EQ(model.PendingReports(ModelInterface::Event), 0u) << "no ack before the last page";
    EXPECT_EQ(RegionBytes(model.State()), before) << "nothing stored before the last page";

    ASSERT_TRUE(model.HostWritePage(Page(static_cast<uint8_t>(0xA0 + c.pages - 1))));
    EXPECT_EQ(Drain(model, ModelInterface::Event), std::vector<Bytes>{kAck});
    const std::span<uint8_t> region = c.region(model.MutableState());
    for (std::size_t i = 0; i < region.size(); ++i) {
      ASSERT_EQ(region[i], 0xA0 + i / kPageDataSize) << "byte " << i;
    }
    EXPECT_FALSE(model.HostWritePage(Page(0xEE))) << "a page after the last one is not taken";
  }
}

struct SetCase {
  const char* name;
  FeatureReport report;
  std::function<bool(const DeviceStateBlock&)> stored;
};

TEST(KeyboardModelWrites, SettingCommandsAreStoredAndAcknowledged) {
  const std::vector<SetCase> cases = {
      {"SetReportRate", Feature(0x01, 3), [](auto& s) { return s.reportRate == 3; }},
      {"SetResponseTime", Feature(0x04, 9), [](auto& s) { return s.responseTime == 9; }},
      {"SetGameMode", Feature(0x09, 1), [](auto& s) { return s.gameMode == 1; }},
      {"SetPaletteColor 6", Feature(0x14, 0, 6, 1, 2, 3),
       [](auto& s) {
         return s.palette[6] == RgbColor{1, 2, 3};
       }},
      {"SetLighting phase 2", Feature(0x08, 2, 0x35, 10, 17, 3, 4),
       [](auto& s) {
         return s.effect == 0x35 && s.speed == 0 && s.brightness == 17 && s.colorChoice == 3 &&
                s.direction == 4;
       }},
      {"SetLighting phase 1 opens a batch and stores nothing", Feature(0x08, 1, 0x35, 1, 0, 3, 4),
       [](auto& s) { return s.effect == 1 && s.brightness == 50 && s.direction == 1; }},
      {"FactoryReset", Feature(0x13, 0xFF),
       [](auto& s) { return s.reportRate == 1 && s.gameMode == 0; }},
  };
  for (const SetCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyboardModel model;
    EXPECT_TRUE(model.HostSetFeature(c.report));
    EXPECT_TRUE(c.stored(model.State()));
    EXPECT_EQ(Drain(model, ModelInterface::Event), std::vector<Bytes>{kAck});
  }
}

TEST(KeyboardModelWrites, MalformedOrOutOfRangeReportsChangeNothing) {
  FeatureReport badCheck = Feature(0x01, 3);
  badCheck[8] ^= 1;
  FeatureReport badReportId = Feature(0x01, 3);
  badReportId[0] = 1;
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"wrong check byte", Bytes(badCheck.begin(), badCheck.end())},
      {"report id not 0", Bytes(badReportId.begin(), badReportId.end())},
      {"short report", Bytes{0, 0x01, 3}},
      {"unknown command",
       [] {
         auto r = Feature(0x55, 1);
         return Bytes(r.begin(), r.end());
       }()},
      {"palette entry 7",
       [] {
         auto r = Feature(0x14, 0, 7, 1, 2, 3);
         return Bytes(r.begin(), r.end());
       }()},
      {"macro slot 32",
       [] {
         auto r = Feature(0x11, 0, 32, 3);
         return Bytes(r.begin(), r.end());
       }()},
      {"colour page 5",
       [] {
         auto r = Feature(0x12, 0, 5, 8);
         return Bytes(r.begin(), r.end());
       }()},
      {"read colour page 5",
       [] {
         auto r = Feature(0x92, 0, 5, 8);
         return Bytes(r.begin(), r.end());
       }()},
      {"factory reset without its guard",
       [] {
         auto r = Feature(0x13, 0x01);
         return Bytes(r.begin(), r.end());
       }()},
  };
  for (const auto& [name, report] : cases) {
    SCOPED_TRACE(name);
    KeyboardModel model;
    model.MutableState().gameMode = 1;  // so that a stray factory reset would show
    const Bytes before = RegionBytes(model.State());
    EXPECT_FALSE(model.HostSetFeature(report));
    // Pages that would have followed a rejected write land nowhere.
    for (int j = 0; j < 8; ++j) EXPECT_FALSE(model.HostWritePage(Page(0x77)));
    EXPECT_EQ(RegionBytes(model.State()), before);
    model.HostGetFeature(0);
    EXPECT_EQ(model.PendingReports(ModelInterface::Event), 0u);
    EXPECT_EQ(model.PendingReports(ModelInterface::Command), 0u);
  }
}

TEST(KeyboardModelWrites, AnInterruptedWriteIsDroppedWhole) {
  KeyboardModel model;
  const ColorPage before = model.State().colorPages[2];
  ASSERT_TRUE(model.HostSetFeature(Feature(0x12, 0, 2, 8)));
  for (int j = 0; j < 3; ++j) ASSERT_TRUE(model.HostWritePage(Page(0x11)));
  // The host gives up and goes on with another command.
  ASSERT_TRUE(model.HostSetFeature(Feature(0x01, 2)));
  for (int j = 0; j < 5; ++j) EXPECT_FALSE(model.HostWritePage(Page(0x11)));
  EXPECT_EQ(model.State().colorPages[2], before);
  EXPECT_EQ(Drain(model, ModelInterface::Event), std::vector<Bytes>{kAck}) << "only SetReportRate";
}

TEST(KeyboardModelReads, ANewCommandDiscardsPagesNotYetSent) {
  KeyboardModel model;
  ASSERT_TRUE(model.HostSetFeature(Feature(0x8D)));
  model.HostGetFeature(0);
  ASSERT_TRUE(model.TakeReport(ModelInterface::Command));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x92, 0, 1, 8)));  // reply never fetched
  ASSERT_TRUE(model.HostSetFeature(Feature(0x8E, 0, 0, 0x12)));
  model.HostGetFeature(0);
  const std::vector<Bytes> pages = Drain(model, ModelInterface::Command);
  ASSERT_EQ(pages.size(), 1u) << "only the key-enable page, no stale pages of earlier reads";
  EXPECT_TRUE(std::equal(model.State().keyEnable.begin(), model.State().keyEnable.end(),
                         pages[0].begin() + 1));
}

TEST(KeyboardModelReads, ReplyIsThatOfTheLastReadCommand) {
  KeyboardModel model;
  EXPECT_EQ(model.HostGetFeature(0), FeatureReport{}) << "nothing asked yet";
  model.MutableState().reportRate = 2;
  ASSERT_TRUE(model.HostSetFeature(Feature(0x81)));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x01, 3)));  // a write in between
  EXPECT_EQ(model.HostGetFeature(0)[2], 2);
  EXPECT_EQ(model.HostGetFeature(5)[0], 5) << "the report id asked for";
}

TEST(KeyboardModelReset, FactoryResetRestoresEveryRegion) {
  KeyboardModel model;
  ASSERT_TRUE(model.HostSetFeature(Feature(0x12, 0, 0, 8)));
  for (int j = 0; j < 8; ++j) ASSERT_TRUE(model.HostWritePage(Page(0x42)));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x11, 0, 5, 3)));
  for (int j = 0; j < 3; ++j) ASSERT_TRUE(model.HostWritePage(Page(0x42)));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x08, 2, 7, 3, 10, 2, 2)));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x14, 0, 0, 9, 9, 9)));
  ASSERT_NE(RegionBytes(model.State()), RegionBytes(FactorySettings()));

  Drain(model, ModelInterface::Event);
  ASSERT_TRUE(model.HostSetFeature(Feature(0x13, 0xFF)));
  EXPECT_EQ(RegionBytes(model.State()), RegionBytes(FactorySettings()));
  EXPECT_EQ(Drain(model, ModelInterface::Event), std::vector<Bytes>{kAck});
}

TEST(KeyboardModelFaults, DroppedAcknowledgementsStillStoreTheWrite) {
  KeyboardModel model;
  model.SetDropAcks(true);
  ASSERT_TRUE(model.HostSetFeature(Feature(0x09, 1)));
  ASSERT_TRUE(model.HostSetFeature(Feature(0x0E, 0, 0, 0x12)));
  ASSERT_TRUE(model.HostWritePage(Page(0)));
  EXPECT_EQ(model.State().gameMode, 1);
  EXPECT_EQ(model.State().keyEnable, (std::array<uint8_t, kKeyEnableSize>{}));
  EXPECT_EQ(model.PendingReports(ModelInterface::Event), 0u);
}

TEST(KeyboardModelEvents, KeyEventsCarryTheCodeAndAreNotAcknowledgements) {
  KeyboardModel model;
  model.PressKey(0x1B);
  EXPECT_EQ(Drain(model, ModelInterface::Event), (std::vector<Bytes>{{4, 1, 0x1B, 0}}));

  // A physical key reports only when its entry is a host action, with the entry's code.
  EXPECT_FALSE(model.PressPhysicalKey(0));
  model.MutableState().keyMap[MapEntryIndex(KeyTable[0].position)] = {10, 0, 0x1B, 0};
  EXPECT_TRUE(model.PressPhysicalKey(0));
  EXPECT_FALSE(model.PressPhysicalKey(kKeyCount));
  EXPECT_EQ(Drain(model, ModelInterface::Event), (std::vector<Bytes>{{4, 1, 0x1B, 0}}));
}

}  // namespace
}  // namespace tarsel
