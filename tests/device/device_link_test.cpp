// Discovery, framing and the primitive transfers of the device link against a fake keyboard.
#include "device/device_link.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "device/fake_hid.h"

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using testing::FakeHidTransport;
using testing::FakeInterface;
using testing::Hex;
using testing::Journal;

TEST(FeatureCheckByte, IsFFMinusTheLowByteOfTheSum) {
  struct Case {
    FeatureReport report;
    uint8_t check;
  };
  const Case cases[] = {
      {{0x00, 0x80, 0, 0, 0, 0, 0, 0}, 0x7F},     // GetVersion
      {{0x00, 0x13, 0xFF, 0, 0, 0, 0, 0}, 0xED},  // FactoryReset: the sum wraps
      {{0x00, 0x0E, 0, 0, 0x12, 0, 0, 0}, 0xDF},  // WriteKeyEnable
      {{0x00, 0x94, 0, 0x06, 0, 0, 0, 0}, 0x65},  // GetPaletteColor entry 6
      {{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0x06},
      {{0x00, 0x01, 0xFE, 0, 0, 0, 0, 0}, 0x00},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FeatureCheckByte(c.report), c.check) << Hex(c.report);
  }
  EXPECT_EQ(Hex(BuildFeatureReport(0x09, 1)), "00 09 01 00 00 00 00 00 F5");
  EXPECT_EQ(Hex(BuildFeatureReport(0x0D, 0, 0, 8)), "00 0D 00 00 08 00 00 00 EA");
}

struct DiscoveryCase {
  const char* name;
  std::vector<HidInterfaceInfo> interfaces;
  std::optional<std::string> command;  // expected path for "mi_03"
  std::optional<std::string> event;    // expected path for "ol04"
};

TEST(FindInterfacePath, TakesTheFirstInterfaceWithTheKeyboardIdsAndTheMarker) {
  constexpr uint16_t V = kKeyboardVendorId;
  constexpr uint16_t P = kKeyboardProductId;
  const DiscoveryCase cases[] = {
      {"both interfaces among others",
       {{"/dev/hidraw0#mi_00", 0x046D, 0xC52B},
        {"/dev/hidraw1#mi_00", V, P},
        {"/dev/hidraw2#mi_02&col04", V, P},
        {"/dev/hidraw3#mi_03", V, P}},
       "/dev/hidraw3#mi_03",
       "/dev/hidraw2#mi_02&col04"},
      {"marker on another vendor's or product's device is skipped",
       {{"/dev/hidraw0#mi_03&col04", 0x046D, P},
        {"/dev/hidraw1#mi_03&col04", V, 0xA1DE},
        {"/dev/hidraw5#mi_03&col04", V, P}},
       "/dev/hidraw5#mi_03&col04",
       "/dev/hidraw5#mi_03&col04"},
      {"the lower enumeration index wins",
       {{"/dev/hidraw7#mi_03", V, P}, {"/dev/hidraw4#mi_03", V, P}},
       "/dev/hidraw7#mi_03",
       std::nullopt},
      {"the marker is case-sensitive",
       {{"/dev/hidraw3#MI_03", V, P}, {"/dev/hidraw2#mi_02&COL04", V, P}},
       std::nullopt,
       std::nullopt},
      {"the marker may sit anywhere in the path",
       {{"sim:mi_03:/run/user/1000/kbd", V, P}, {"col04:sim", V, P}},
       "sim:mi_03:/run/user/1000/kbd",
       "col04:sim"},
      {"no keyboard", {}, std::nullopt, std::nullopt},
  };
  for (const DiscoveryCase& c : cases) {
    SCOPED_TRACE(c.name);
    Journal journal;
    FakeHidTransport transport(journal);
    for (const HidInterfaceInfo& info : c.interfaces) {
      transport.AddInterface(info.path, info.vendorId, info.productId);
    }
    DeviceLink link(transport);
    EXPECT_EQ(link.FindInterfacePath(kCommandInterfaceMarker), c.command);
    EXPECT_EQ(link.FindInterfacePath(kEventInterfaceMarker), c.event);
    // DevicePath() keeps the last path found.
    EXPECT_EQ(link.DevicePath(), c.event.value_or(c.command.value_or("")));
  }
}

class DeviceLinkTest : public ::testing::Test {
 protected:
  Journal journal_;
  FakeHidTransport transport_{journal_};
  DeviceLink link_{transport_};
};

TEST_F(DeviceLinkTest, OpensEachInterfaceByItsMarker) {
  transport_.AddInterface("/dev/hidraw1#mi_01", kKeyboardVendorId, kKeyboardProductId);
  transport_.AddEventInterface();
  transport_.AddCommandInterface();

  EXPECT_TRUE(link_.OpenCommandInterface());
  EXPECT_TRUE(link_.OpenEventInterface());

  EXPECT_EQ(transport_.OpenedPaths(),
            (std::vector<std::string>{testing::kFakeCommandPath, testing::kFakeEventPath}));
  EXPECT_TRUE(link_.IsCommandInterfaceOpen());
  EXPECT_TRUE(link_.IsEventInterfaceOpen());
  link_.CloseLink();
  EXPECT_FALSE(link_.IsCommandInterfaceOpen());
  EXPECT_FALSE(link_.IsEventInterfaceOpen());
}

TEST_F(DeviceLinkTest, InterfaceStaysAbsentWhenNotFoundOrNotOpenable) {
  transport_.AddInterface(testing::kFakeCommandPath, kKeyboardVendorId, kKeyboardProductId,
                          /*openable=*/false);
  EXPECT_FALSE(link_.OpenCommandInterface());
  EXPECT_FALSE(link_.OpenEventInterface());
  EXPECT_FALSE(link_.IsCommandInterfaceOpen());
  EXPECT_FALSE(link_.IsEventInterfaceOpen());

  // Without an interface every primitive says so instead of pretending to work.
  FeatureReport reply{};
  PageData page{};
  EventReport event{};
  EXPECT_FALSE(link_.SendFeature(0x80));
  EXPECT_FALSE(link_.FetchReply(reply));
  EXPECT_FALSE(link_.WritePage(page));
  EXPECT_FALSE(link_.ReadPage(page));
  EXPECT_EQ(link_.ReadEvent(event, 1ms), HidStatus::TimedOut);
  EXPECT_TRUE(journal_.Entries().empty());
}

TEST_F(DeviceLinkTest, FetchReplyPresetsReportIdAndKeepsBytesAsDelivered) {
  auto command = transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  command->QueueFeatureReply({0x00, 0x80, 0x01, 0x07, 0x11, 0x22, 0x33, 0x44, 0x55});
  FeatureReport reply;
  reply.fill(0xAB);

  ASSERT_TRUE(link_.FetchReply(reply));

  EXPECT_EQ(Hex(reply), "00 80 01 07 11 22 33 44 55");  // the check byte is not verified
  EXPECT_EQ(command->FetchPresets(), std::vector<uint8_t>{0x00});
}

TEST_F(DeviceLinkTest, FailedReadsLeaveTheDestinationUntouched) {
  auto command = transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  link_.SetPageTimeout(10ms);
  command->FailFetches(true);
  FeatureReport reply;
  reply.fill(0xAB);
  PageData page;
  page.fill(0xCD);

  EXPECT_FALSE(link_.FetchReply(reply));  // the fake scribbles over the buffer it was given
  EXPECT_FALSE(link_.ReadPage(page));     // nothing arrives: times out

  FeatureReport untouchedReply;
  untouchedReply.fill(0xAB);
  PageData untouchedPage;
  untouchedPage.fill(0xCD);
  EXPECT_EQ(reply, untouchedReply);
  EXPECT_EQ(page, untouchedPage);
}

TEST_F(DeviceLinkTest, WritePageSendsReportIdZeroAndTheData) {
  transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  PageData page;
  for (std::size_t i = 0; i < page.size(); ++i) page[i] = uint8_t(i + 1);

  ASSERT_TRUE(link_.WritePage(page));

  std::vector<uint8_t> expected{0};
  expected.insert(expected.end(), page.begin(), page.end());
  EXPECT_EQ(journal_.Entries(), std::vector<std::string>{"write " + Hex(expected)});
}

TEST_F(DeviceLinkTest, ReadPageSkipsReportsThatAreNotPages) {
  auto command = transport_.AddCommandInterface();
  ASSERT_TRUE(link_.OpenCommandInterface());
  command->QueueInputReport({0x04, 0x04, 0x00, 0x00});                     // an event report
  command->QueueInputReport(std::vector<uint8_t>(kPageReportSize, 0x05));  // numbered, not a page
  PageData data;
  data.fill(0x42);
  command->QueuePage(data);
  PageData page{};

  ASSERT_TRUE(link_.ReadPage(page));

  EXPECT_EQ(page, data);
  EXPECT_EQ(command->PendingInputReports(), 0u);
}

TEST_F(DeviceLinkTest, ReadEventKeepsOnlyReportIdFour) {
  auto event = transport_.AddEventInterface();
  ASSERT_TRUE(link_.OpenEventInterface());
  event->QueueInputReport({0x01, 0x00, 0x04, 0x00, 0x00});  // another collection's report
  event->QueueInputReport({0x04, 0x02, 0x1B});              // short: byte 3 stays preset
  EventReport report;
  report.fill(0xEE);

  ASSERT_EQ(link_.ReadEvent(report, 1000ms), HidStatus::Ok);
  EXPECT_EQ(Hex(report), "04 02 1B 00");
  EXPECT_EQ(link_.ReadEvent(report, 1ms), HidStatus::TimedOut);
  EXPECT_EQ(Hex(report), "04 02 1B 00");
}

TEST(DeviceLinkLogging, ReportsEveryTransferWithItsBytes) {
  Journal journal;
  FakeHidTransport transport(journal);
  auto command = transport.AddCommandInterface();
  std::vector<std::string> log;
  DeviceLink link(transport, [&](ReportKind kind, HidStatus status, std::span<const uint8_t> b) {
    log.push_back(std::to_string(int(kind)) + "/" + std::to_string(int(status)) + ": " + Hex(b));
  });
  ASSERT_TRUE(link.OpenCommandInterface());
  command->QueueFeatureReply({0x00, 0x81, 0x02});
  FeatureReport reply{};

  link.SendFeature(0x81);
  link.FetchReply(reply);
  command->FailSends(true);
  link.SendFeature(0x13, 0xFF);

  EXPECT_EQ(log, (std::vector<std::string>{"0/0: 00 81 00 00 00 00 00 00 7E",
                                           "1/0: 00 81 02 00 00 00 00 00 00",
                                           "0/2: 00 13 FF 00 00 00 00 00 ED"}));
}

}  // namespace
}  // namespace tarsel
