#include "macro/event_string.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tarsel {
namespace {

bool IsLong(uint8_t flag) {
  return (flag & kLongDelayMark) == kLongDelayMark;
}

// Removes count bytes at position, pulling the rest forward and zero-filling the end.
void RemoveBytes(EventString& events, std::size_t position, std::size_t count) {
  std::copy(events.begin() + position + count, events.end(), events.begin() + position);
  std::fill(events.end() - count, events.end(), 0);
}

// Opens count zero bytes at position; bytes pushed past the end are lost, and whatever part of an
// event they belonged to is cleared so the string keeps only whole events.
void OpenBytes(EventString& events, std::size_t position, std::size_t count) {
  std::copy_backward(events.begin() + position, events.end() - count, events.end());
  std::fill(events.begin() + position, events.begin() + position + count, 0);
}

void TrimToWholeEvents(EventString& events) {
  std::fill(events.begin() + EventStringLength(events), events.end(), 0);
}

void WriteEvent(EventString& events, std::size_t position, const EncodedEvent& event) {
  std::copy_n(event.bytes.begin(), event.length, events.begin() + position);
}

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// For each event-list row: whether it is a delay row, and the event it belongs to.
std::vector<std::pair<bool, std::size_t>> RowLayout(const EventString& events) {
  std::vector<std::pair<bool, std::size_t>> rows;
  for (const MacroEvent& event : DecodeEvents(events)) {
    if (event.delay > 1) rows.emplace_back(true, event.position);
    rows.emplace_back(false, event.position);
  }
  return rows;
}

// Sets the delay of the event at position in one string; the caller has made room for growth.
void SetDelayIn(EventString& events, std::size_t position, uint16_t delay, bool wasLong) {
  const bool release = events[position] & kReleaseFlag;
  const uint8_t key = events[position + 1];
  if (wasLong) RemoveBytes(events, position + 2, 2);
  const EncodedEvent encoded = EncodeEvent(key, release, delay);
  if (encoded.length == 4) OpenBytes(events, position + 2, 2);
  WriteEvent(events, position, encoded);
  TrimToWholeEvents(events);
}

}  // namespace

std::size_t EventStringLength(const EventString& events) {
  std::size_t position = 0;
  while (position + 2 <= events.size() && events[position + 1] != 0) {
    const std::size_t length = IsLong(events[position]) ? 4 : 2;
    if (position + length > events.size()) break;
    position += length;
  }
  return position;
}

std::vector<MacroEvent> DecodeEvents(const EventString& events) {
  std::vector<MacroEvent> decoded;
  const std::size_t end = EventStringLength(events);
  for (std::size_t position = 0; position < end;) {
    MacroEvent event;
    event.position = position;
    event.release = events[position] & kReleaseFlag;
    event.key = events[position + 1];
    if (IsLong(events[position])) {
      event.length = 4;
      event.delay = uint16_t((events[position + 2] << 8) | events[position + 3]);
    } else {
      event.length = 2;
      event.delay = events[position] & 0x7F;
    }
    decoded.push_back(event);
    position += event.length;
  }
  return decoded;
}

EncodedEvent EncodeEvent(uint8_t key, bool release, uint16_t delay) {
  const uint8_t releaseBit = release ? kReleaseFlag : 0;
  if (delay <= kMaxShortDelay) return {{uint8_t(delay | releaseBit), key, 0, 0}, 2};
  return {{uint8_t(kLongDelayMark | releaseBit), key, uint8_t(delay >> 8), uint8_t(delay & 0xFF)},
          4};
}

EventWrite WriteEventAt(EventStrings& strings, std::size_t position, const KeyLabels& labels,
                        uint8_t keyCode, bool release, uint16_t delay) {
  const uint8_t usage = labels.UsageOf(keyCode);
  if (usage == 0 || keyCode == 0) return {EventEdit::KeyNotStorable, position};
  if (position == 0) delay = 1;
  const EncodedEvent device = EncodeEvent(usage, release, delay);
  if (position + device.length > kEventStringSize) return {EventEdit::NoRoom, position};
  WriteEvent(strings.device, position, device);
  WriteEvent(strings.display, position, EncodeEvent(keyCode, release, delay));
  return {EventEdit::Done, position + device.length};
}

std::vector<EventRow> BuildEventRows(const EventStrings& strings, const KeyLabels& labels) {
  std::vector<EventRow> rows;
  for (const MacroEvent& event : DecodeEvents(strings.display)) {
    if (event.delay > 1) {
      rows.push_back({true, Ascii(std::to_string(event.delay) + " ms"), event.position});
    }
    std::u16string text(labels.LabelOf(event.key));
    text += event.release ? u" up" : u" dn";
    rows.push_back({false, std::move(text), event.position});
  }
  return rows;
}

std::optional<std::size_t> RowToEvent(const EventStrings& strings, std::size_t row) {
  std::size_t firstRow = 0;
  for (const MacroEvent& event : DecodeEvents(strings.display)) {
    if (firstRow == row) return event.position;
    firstRow += event.delay > 1 ? 2 : 1;
    if (firstRow > row) return std::nullopt;
  }
  if (firstRow == row) return EventStringLength(strings.display);
  return std::nullopt;
}

EventEdit InsertEventAtRow(EventStrings& strings, std::size_t row, const KeyLabels& labels,
                           uint8_t keyCode, bool release) {
  const std::optional<std::size_t> position = RowToEvent(strings, row);
  if (!position) return EventEdit::NoEvent;
  const uint8_t usage = labels.UsageOf(keyCode);
  if (usage == 0 || keyCode == 0) return EventEdit::KeyNotStorable;
  if (*position + 2 > kEventStringSize) return EventEdit::NoRoom;
  const auto insert = [&](EventString& events, uint8_t key) {
    OpenBytes(events, *position, 2);
    WriteEvent(events, *position, EncodeEvent(key, release, 1));
    TrimToWholeEvents(events);
  };
  insert(strings.device, usage);
  insert(strings.display, keyCode);
  return EventEdit::Done;
}

void RemoveEvent(EventStrings& strings, std::size_t position) {
  const std::size_t length = IsLong(strings.display[position]) ? 4 : 2;
  RemoveBytes(strings.device, position, length);
  RemoveBytes(strings.display, position, length);
}

void RemoveDelay(EventStrings& strings, std::size_t position) {
  const bool wasLong = IsLong(strings.display[position]);
  SetDelayIn(strings.device, position, 1, wasLong);
  SetDelayIn(strings.display, position, 1, wasLong);
}

EventEdit SetDelay(EventStrings& strings, std::size_t position, uint16_t delay) {
  const bool wasLong = IsLong(strings.display[position]);
  const bool willBeLong = delay > kMaxShortDelay;
  // Growing the last event of a full string would push the event itself out; keep it as it is.
  const std::size_t end = position + (willBeLong ? 4 : 2);
  if (end > kEventStringSize) return EventEdit::NoRoom;
  SetDelayIn(strings.device, position, delay, wasLong);
  SetDelayIn(strings.display, position, delay, wasLong);
  return EventEdit::Done;
}

void NormaliseFirstEvent(EventStrings& strings) {
  if (EventStringLength(strings.display) == 0) return;
  RemoveDelay(strings, 0);
}

EventEdit DeleteRow(EventStrings& strings, std::size_t row) {
  const std::vector<MacroEvent> events = DecodeEvents(strings.display);
  std::size_t firstRow = 0;
  for (const MacroEvent& event : events) {
    const bool hasDelayRow = event.delay > 1;
    if (hasDelayRow && row == firstRow) {
      RemoveDelay(strings, event.position);
    } else if (row == firstRow + (hasDelayRow ? 1 : 0)) {
      RemoveEvent(strings, event.position);
    } else {
      firstRow += hasDelayRow ? 2 : 1;
      continue;
    }
    NormaliseFirstEvent(strings);
    return EventEdit::Done;
  }
  return EventEdit::NoEvent;
}

EventEdit InsertDelayAfterRow(EventStrings& strings, std::size_t row) {
  const auto rows = RowLayout(strings.display);
  if (row + 1 >= rows.size()) return EventEdit::NoEvent;
  if (rows[row].first) return EventEdit::OnDelayRow;
  const std::optional<std::size_t> position = RowToEvent(strings, row + 1);
  if (!position || *position >= EventStringLength(strings.display)) return EventEdit::NoEvent;
  const EventEdit result = SetDelay(strings, *position, kInsertedDelay);
  if (result == EventEdit::Done) NormaliseFirstEvent(strings);
  return result;
}

EventEdit EditDelayRow(EventStrings& strings, std::size_t row, uint16_t delay) {
  const auto rows = RowLayout(strings.display);
  if (row >= rows.size() || !rows[row].first) return EventEdit::NoEvent;
  const EventEdit result = SetDelay(strings, rows[row].second, delay);
  if (result == EventEdit::Done) NormaliseFirstEvent(strings);
  return result;
}

std::optional<std::size_t> InsertBeforeRow(const std::vector<EventRow>& rows,
                                           std::size_t selected) {
  if (selected >= rows.size()) return std::nullopt;
  if (selected == 0 || rows[selected].isDelay) return selected;
  if (rows[selected - 1].isDelay) return selected - 1;
  return selected;
}

std::optional<std::size_t> InsertAfterRow(const std::vector<EventRow>& rows, std::size_t selected) {
  if (selected >= rows.size()) return std::nullopt;
  if (selected + 1 == rows.size()) return rows.size();
  return selected + (rows[selected].isDelay ? 2 : 1);
}

}  // namespace tarsel
