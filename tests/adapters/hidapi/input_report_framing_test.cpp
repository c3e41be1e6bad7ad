#include "input_report_framing.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarsel {
namespace {

ReportDescriptorInfo Numbered(bool numbered) {
  ReportDescriptorInfo info;
  info.usesReportIds = numbered;
  return info;
}

TEST(InputReportFraming, FollowsTheDescriptorAndThePathOpened) {
  struct Case {
    const char* name;
    std::optional<ReportDescriptorInfo> descriptor;
    bool eventPath;
    bool numbered;
    bool eventOnly;
  };
  const Case cases[] = {
      {"unnumbered command interface", Numbered(false), false, false, false},
      {"unnumbered, opened by its event path", Numbered(false), true, false, false},
      {"numbered, opened by its event path", Numbered(true), true, true, true},
      {"numbered, opened by its interface path", Numbered(true), false, true, false},
      {"descriptor unreadable", std::nullopt, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const InputReportFraming framing = InputReportFraming::For(c.descriptor, c.eventPath);
    EXPECT_EQ(framing.numbered, c.numbered);
    EXPECT_EQ(framing.eventOnly, c.eventOnly);
  }
}

// hidraw hands over an unnumbered 64-byte page without a report id: the link gets 65 bytes
// starting with report id 0.
TEST(InputReportFraming, PutsReportIdZeroInFrontOfUnnumberedReports) {
  const InputReportFraming framing{false, false};
  std::vector<uint8_t> buffer(65, 0xEE);
  ASSERT_EQ(framing.PayloadOffset(), 1u);
  std::fill(buffer.begin() + 1, buffer.end(), 0x5A);  // what the node delivered

  EXPECT_EQ(framing.Accept(buffer, 64), 65u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(framing.Accept(buffer, 0), std::nullopt) << "nothing arrived";
}

TEST(InputReportFraming, EventPathKeepsOnlyReportIdFour) {
  const InputReportFraming event{true, true};
  const InputReportFraming plain{true, false};
  std::vector<uint8_t> ack{0x04, 0x04, 0x00, 0x00};
  std::vector<uint8_t> consumer{0x01, 0xE9, 0x00, 0x00};

  EXPECT_EQ(event.PayloadOffset(), 0u);
  EXPECT_EQ(event.Accept(ack, 4), 4u);
  EXPECT_EQ(event.Accept(consumer, 3), std::nullopt);
  EXPECT_EQ(plain.Accept(consumer, 3), 3u);
}

}  // namespace
}  // namespace tarsel
