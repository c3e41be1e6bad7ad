// Event strings: encoding, the walk, event-list rows and the editor's changes to both strings.
#include "macro/event_string.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace tarsel {
namespace {

class EventStringTest : public ::testing::Test {
 protected:
  // Both strings of a macro from its display bytes; the device string carries the usages.
  EventStrings FromDisplay(std::initializer_list<uint8_t> display) const {
    EventStrings strings;
    std::copy(display.begin(), display.end(), strings.display.begin());
    strings.device = strings.display;
    for (const MacroEvent& event : DecodeEvents(strings.display)) {
      strings.device[event.position + 1] = labels_.UsageOf(event.key);
    }
    return strings;
  }

  static std::vector<uint8_t> Used(const EventString& events) {
    return {events.begin(), events.begin() + EventStringLength(events)};
  }

  std::vector<std::u16string> RowTexts(const EventStrings& strings) const {
    std::vector<std::u16string> texts;
    for (const EventRow& row : BuildEventRows(strings, labels_)) texts.push_back(row.text);
    return texts;
  }

  // The two strings hold the same events, differing only in the key bytes, and nothing after them.
  void ExpectInStep(const EventStrings& strings) const {
    const std::vector<MacroEvent> device = DecodeEvents(strings.device);
    const std::vector<MacroEvent> display = DecodeEvents(strings.display);
    ASSERT_EQ(device.size(), display.size());
    for (std::size_t i = 0; i < device.size(); ++i) {
      EXPECT_EQ(device[i].position, display[i].position);
      EXPECT_EQ(device[i].length, display[i].length);
      EXPECT_EQ(device[i].release, display[i].release);
      EXPECT_EQ(device[i].delay, display[i].delay);
      EXPECT_EQ(device[i].key, labels_.UsageOf(display[i].key));
    }
    for (const EventString* events : {&strings.device, &strings.display}) {
      EXPECT_TRUE(std::all_of(events->begin() + EventStringLength(*events), events->end(),
                              [](uint8_t b) { return b == 0; }));
    }
  }

  const KeyLabels labels_ = KeyLabels::BuildKeyLabels();
};

TEST_F(EventStringTest, RecordingWritesBothFormsAndTheFirstEventWaitsOneMillisecond) {
  EventStrings strings;
  EventWrite write = WriteEventAt(strings, 0, labels_, 0x41, false, 900);
  EXPECT_EQ(write.result, EventEdit::Done);
  write = WriteEventAt(strings, write.next, labels_, 0x41, true, 150);
  EXPECT_EQ(write.next, 6u);
  EXPECT_EQ(Used(strings.device), (std::vector<uint8_t>{0x01, 0x04, 0xFF, 0x04, 0x00, 0x96}));
  EXPECT_EQ(Used(strings.display), (std::vector<uint8_t>{0x01, 0x41, 0xFF, 0x41, 0x00, 0x96}));
}

TEST_F(EventStringTest, ShortAndLongEventsByDelay) {
  struct Case {
    bool release;
    uint16_t delay;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {false, 0, {0x00, 0x04}},
      {false, 126, {0x7E, 0x04}},
      {true, 126, {0xFE, 0x04}},
      {false, 127, {0x7F, 0x04, 0x00, 0x7F}},
      {true, 127, {0xFF, 0x04, 0x00, 0x7F}},
      {true, 60000, {0xFF, 0x04, 0xEA, 0x60}},
  };
  for (const Case& c : cases) {
    const EncodedEvent encoded = EncodeEvent(0x04, c.release, c.delay);
    EXPECT_EQ(std::vector<uint8_t>(encoded.bytes.begin(), encoded.bytes.begin() + encoded.length),
              c.bytes)
        << c.delay;
    EventString events{};
    std::copy(c.bytes.begin(), c.bytes.end(), events.begin());
    const std::vector<MacroEvent> decoded = DecodeEvents(events);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0].release, c.release);
    EXPECT_EQ(decoded[0].delay, c.delay);
  }
}

TEST_F(EventStringTest, TheWalkStopsAtAZeroKeyAndNeverRunsPastTheString) {
  EventString full{};
  for (std::size_t i = 0; i < 190; i += 2) full[i + 1] = 0x04;  // 95 short events
  EXPECT_EQ(EventStringLength(full), 190u);

  EventString zeroKey{};
  zeroKey = {0x01, 0x04, 0x05, 0x00, 0x01, 0x05};
  EXPECT_EQ(EventStringLength(zeroKey), 2u);

  // Damaged: a long event that would end past byte 190 is not part of the string.
  EventString damaged{};
  for (std::size_t i = 0; i < 188; i += 2) damaged[i + 1] = 0x04;
  damaged[188] = 0x7F;
  damaged[189] = 0x04;
  EXPECT_EQ(EventStringLength(damaged), 188u);
  EXPECT_EQ(DecodeEvents(damaged).size(), 94u);

  EventString allLong;
  allLong.fill(0x7F);
  EXPECT_EQ(EventStringLength(allLong), 188u);
}

TEST_F(EventStringTest, RowsAndRowToEventFollowTheDelays) {
  const EventStrings strings = FromDisplay({0x01, 0x41, 0x32, 0x42, 0xFF, 0x44, 0x01, 0x2C});
  EXPECT_EQ(RowTexts(strings),
            (std::vector<std::u16string>{u"A  dn", u"50 ms", u"B  dn", u"300 ms", u"D  up"}));
  struct Case {
    std::size_t row;
    std::optional<std::size_t> position;
  };
  const Case cases[] = {{0, 0}, {1, 2},           {2, std::nullopt}, {3, 4}, {4, std::nullopt},
                        {5, 8}, {6, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(RowToEvent(strings, c.row), c.position) << c.row;

  // Delays of 0 and 1 ms have no delay row.
  EXPECT_EQ(RowTexts(FromDisplay({0x01, 0xF0, 0x00, 0x41, 0x81, 0xF0})),
            (std::vector<std::u16string>{u"MsLB dn", u"A  dn", u"MsLB up"}));
}

TEST_F(EventStringTest, InsertBeforeTheFirstRowPutsTheCapturedKeyFirst) {
  EventStrings strings = FromDisplay({0x01, 0x41, 0x81, 0x41});
  std::size_t row = *InsertBeforeRow(BuildEventRows(strings, labels_), 0);
  EXPECT_EQ(InsertEventAtRow(strings, row++, labels_, 0x42, false), EventEdit::Done);
  EXPECT_EQ(InsertEventAtRow(strings, row, labels_, 0x42, true), EventEdit::Done);
  EXPECT_EQ(Used(strings.display),
            (std::vector<uint8_t>{0x01, 0x42, 0x81, 0x42, 0x01, 0x41, 0x81, 0x41}));
  EXPECT_EQ(Used(strings.device),
            (std::vector<uint8_t>{0x01, 0x05, 0x81, 0x05, 0x01, 0x04, 0x81, 0x04}));
}

TEST_F(EventStringTest, InsertionRowsForTheSelectedRow) {
  // Rows: A dn, 50 ms, B dn, 300 ms, D up.
  const std::vector<EventRow> rows =
      BuildEventRows(FromDisplay({0x01, 0x41, 0x32, 0x42, 0xFF, 0x44, 0x01, 0x2C}), labels_);
  struct Case {
    std::size_t selected;
    std::optional<std::size_t> before;
    std::optional<std::size_t> after;
  };
  const Case cases[] = {
      {0, 0, 1},  // first row
      {1, 1, 3},  // a delay row: before its event, after its key row
      {2, 1, 3},  // a key row with a delay: before the delay
      {4, 3, 5},  // the last row: after it is the end
      {5, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InsertBeforeRow(rows, c.selected), c.before) << c.selected;
    EXPECT_EQ(InsertAfterRow(rows, c.selected), c.after) << c.selected;
  }
}

TEST_F(EventStringTest, LeftClickAfterTheLastRowAppendsPressAndRelease) {
  EventStrings strings = FromDisplay({0x01, 0x41, 0x81, 0x41});
  const std::size_t row = *InsertAfterRow(BuildEventRows(strings, labels_), 1);
  ASSERT_EQ(InsertEventAtRow(strings, row, labels_, 0xF0, false), EventEdit::Done);
  ASSERT_EQ(InsertEventAtRow(strings, row + 1, labels_, 0xF0, true), EventEdit::Done);
  EXPECT_EQ(Used(strings.display),
            (std::vector<uint8_t>{0x01, 0x41, 0x81, 0x41, 0x01, 0xF0, 0x81, 0xF0}));
  EXPECT_EQ(RowTexts(strings).back(), u"MsLB up");
  ExpectInStep(strings);
}

TEST_F(EventStringTest, InsertingIntoAFullStringDropsWholeEventsAtTheEnd) {
  // 93 short events and a long one at the end: 190 bytes.
  EventStrings shortTail;
  EventStrings longTail;
  for (std::size_t i = 0; i < 186; i += 2) {
    shortTail.display[i] = longTail.display[i] = 0x01;
    shortTail.display[i + 1] = longTail.display[i + 1] = 0x41;
  }
  shortTail.display[186] = 0x01;
  shortTail.display[187] = 0x42;
  shortTail.display[188] = 0x81;
  shortTail.display[189] = 0x43;
  longTail.display[186] = 0xFF;
  longTail.display[187] = 0x44;
  longTail.display[188] = 0x01;
  longTail.display[189] = 0x2C;
  for (EventStrings* strings : {&shortTail, &longTail}) {
    strings->device = strings->display;
    for (const MacroEvent& event : DecodeEvents(strings->display)) {
      strings->device[event.position + 1] = labels_.UsageOf(event.key);
    }
  }

  EXPECT_EQ(InsertEventAtRow(shortTail, 0, labels_, 0x5A, false), EventEdit::Done);
  EXPECT_EQ(EventStringLength(shortTail.display), 190u);
  EXPECT_EQ(shortTail.display[189], 0x42);  // the last event fell off, the one before it stays
  ExpectInStep(shortTail);

  EXPECT_EQ(InsertEventAtRow(longTail, 0, labels_, 0x5A, false), EventEdit::Done);
  EXPECT_EQ(EventStringLength(longTail.display), 188u);  // no half of the long event is left
  EXPECT_EQ(longTail.display[188], 0);
  EXPECT_EQ(longTail.display[189], 0);
  ExpectInStep(longTail);

  // No room after the last event of a full string.
  const std::size_t end = BuildEventRows(shortTail, labels_).size();
  const EventStrings before = shortTail;
  EXPECT_EQ(InsertEventAtRow(shortTail, end, labels_, 0x5A, false), EventEdit::NoRoom);
  EXPECT_EQ(shortTail.display, before.display);
}

TEST_F(EventStringTest, AKeyWithoutAUsageIsRefusedSoTheStringsStayInStep) {
  EventStrings strings = FromDisplay({0x01, 0x41, 0x81, 0x41});
  const EventStrings before = strings;
  EXPECT_EQ(InsertEventAtRow(strings, 1, labels_, 0x01, false), EventEdit::KeyNotStorable);
  EXPECT_EQ(WriteEventAt(strings, 4, labels_, 0x01, false, 1).result, EventEdit::KeyNotStorable);
  EXPECT_EQ(strings.device, before.device);
  EXPECT_EQ(strings.display, before.display);
}

TEST_F(EventStringTest, DeletingRows) {
  struct Case {
    const char* what;
    std::vector<uint8_t> display;
    std::size_t row;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      // The first event goes; the next one, 300 ms later, becomes first at 1 ms.
      {"first event",
       {0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42},
       0,
       {0x81, 0x41, 0x01, 0x42}},
      // A delay row: the key event stays, at 1 ms.
      {"long delay",
       {0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42},
       1,
       {0x01, 0x41, 0x81, 0x41, 0x01, 0x42}},
      {"short delay", {0x01, 0x41, 0x32, 0x42}, 1, {0x01, 0x41, 0x01, 0x42}},
      // The key row of an event with a delay removes the whole event.
      {"key row", {0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42}, 2, {0x01, 0x41, 0x01, 0x42}},
      {"last row", {0x01, 0x41, 0x81, 0x41}, 1, {0x01, 0x41}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EventStrings strings;
    std::copy(c.display.begin(), c.display.end(), strings.display.begin());
    strings.device = strings.display;
    for (const MacroEvent& event : DecodeEvents(strings.display)) {
      strings.device[event.position + 1] = labels_.UsageOf(event.key);
    }
    EXPECT_EQ(DeleteRow(strings, c.row), EventEdit::Done);
    EXPECT_EQ(Used(strings.display), c.expected);
    ExpectInStep(strings);
  }
  EventStrings strings = FromDisplay({0x01, 0x41});
  EXPECT_EQ(DeleteRow(strings, 1), EventEdit::NoEvent);
}

TEST_F(EventStringTest, EditingADelayGrowsOrShrinksTheEvent) {
  EventStrings strings =
      FromDisplay({0x01, 0x41, 0x64, 0x42, 0x81, 0x42});  // B pressed after 100 ms
  ASSERT_EQ(RowTexts(strings)[1], u"100 ms");
  EXPECT_EQ(EditDelayRow(strings, 1, 200), EventEdit::Done);
  EXPECT_EQ(Used(strings.display),
            (std::vector<uint8_t>{0x01, 0x41, 0x7F, 0x42, 0x00, 0xC8, 0x81, 0x42}));
  ExpectInStep(strings);
  EXPECT_EQ(EditDelayRow(strings, 1, 126), EventEdit::Done);
  EXPECT_EQ(Used(strings.display), (std::vector<uint8_t>{0x01, 0x41, 0x7E, 0x42, 0x81, 0x42}));
  EXPECT_EQ(EditDelayRow(strings, 2, 300), EventEdit::NoEvent);  // a key row

  // The last event of a full string cannot grow without pushing itself out.
  EventStrings full;
  for (std::size_t i = 0; i < 190; i += 2) {
    full.display[i] = 0x05;
    full.display[i + 1] = 0x41;
  }
  full.display[0] = 0x01;
  full.device = full.display;
  const EventStrings before = full;
  const std::size_t lastDelayRow = BuildEventRows(full, labels_).size() - 2;
  EXPECT_EQ(EditDelayRow(full, lastDelayRow, 500), EventEdit::NoRoom);
  EXPECT_EQ(full.display, before.display);
  // An earlier one can: the last event makes room.
  EXPECT_EQ(EditDelayRow(full, 1, 500), EventEdit::Done);
  EXPECT_EQ(EventStringLength(full.display), 190u);
  EXPECT_EQ(DecodeEvents(full.display).size(), 94u);
}

TEST_F(EventStringTest, InsertDelayGivesTheNextEventFiftyMilliseconds) {
  EventStrings strings = FromDisplay({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  // Rows: A dn, 300 ms, A up, B dn.
  EXPECT_EQ(InsertDelayAfterRow(strings, 1), EventEdit::OnDelayRow);
  EXPECT_EQ(InsertDelayAfterRow(strings, 3), EventEdit::NoEvent);  // the last row
  EXPECT_EQ(InsertDelayAfterRow(strings, 0), EventEdit::Done);     // replaces the 300 ms
  EXPECT_EQ(Used(strings.display), (std::vector<uint8_t>{0x01, 0x41, 0xB2, 0x41, 0x01, 0x42}));
  EXPECT_EQ(InsertDelayAfterRow(strings, 2), EventEdit::Done);
  EXPECT_EQ(RowTexts(strings),
            (std::vector<std::u16string>{u"A  dn", u"50 ms", u"A  up", u"50 ms", u"B  dn"}));
  ExpectInStep(strings);
}

TEST_F(EventStringTest, NormaliseFirstEventKeepsPressOrRelease) {
  EventStrings strings = FromDisplay({0xFF, 0x41, 0x01, 0x2C, 0x05, 0x42});
  NormaliseFirstEvent(strings);
  EXPECT_EQ(Used(strings.display), (std::vector<uint8_t>{0x81, 0x41, 0x05, 0x42}));
  ExpectInStep(strings);
  EventStrings empty;
  NormaliseFirstEvent(empty);
  EXPECT_EQ(empty.display, EventString{});
}

}  // namespace
}  // namespace tarsel
