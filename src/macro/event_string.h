// Macro event strings: the walk, encoding and decoding, the event-list rows built from them, and
// the edits the macro editor makes. Every edit changes the device and display strings in step and
// leaves both a sequence of whole events within their 190 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/key_labels.h"
#include "macro/macro_library.h"

namespace tarsel {

inline constexpr uint8_t kReleaseFlag = 0x80;
inline constexpr uint8_t kLongDelayMark = 0x7F;  // flag bits 0-6 of a 4-byte event
inline constexpr uint16_t kMaxShortDelay = 126;
inline constexpr uint16_t kMaxDelay = 60000;
inline constexpr uint16_t kInsertedDelay = 50;

struct MacroEvent {
  std::size_t position = 0;  // byte offset of the event in its string
  std::size_t length = 0;    // 2 (short) or 4 (long)
  bool release = false;
  uint16_t delay = 0;  // milliseconds waited before the event
  uint8_t key = 0;
};

// The two strings of one macro: HID usages for the keyboard, key codes for the event list.
struct EventStrings {
  EventString device{};
  EventString display{};
};

// Length of the string: the end of its last whole event. Stops at a 0 key byte and before an
// event that would run past the end of the string.
std::size_t EventStringLength(const EventString& events);

std::vector<MacroEvent> DecodeEvents(const EventString& events);

struct EncodedEvent {
  std::array<uint8_t, 4> bytes{};
  std::size_t length = 0;
};

// Short form for delays up to 126 ms, long form above.
EncodedEvent EncodeEvent(uint8_t key, bool release, uint16_t delay);

enum class EventEdit : uint8_t {
  Done = 0,
  NoEvent = 1,         // no event starts at the row asked for; nothing changed
  NoRoom = 2,          // the event cannot fit in the string; nothing changed
  KeyNotStorable = 3,  // the key has no usage, so the keyboard's string could not hold it
  OnDelayRow = 4,      // Insert Delay on a delay row: the user should edit that delay instead
};

struct EventWrite {
  EventEdit result = EventEdit::Done;
  std::size_t next = 0;  // position after the written event
};

// Recording: writes a press or release of keyCode with the given delay at position in both strings,
// over what is there. The first event of a string always gets 1 ms.
EventWrite WriteEventAt(EventStrings& strings, std::size_t position, const KeyLabels& labels,
                        uint8_t keyCode, bool release, uint16_t delay);

// Event-list rows: a delay row ("%d ms") before the key row of each event whose delay is above
// 1 ms, and a key row ("%s dn" / "%s up" with the key's label) for every event.
struct EventRow {
  bool isDelay = false;
  std::u16string text;
  std::size_t position = 0;  // the event the row belongs to
};
std::vector<EventRow> BuildEventRows(const EventStrings& strings, const KeyLabels& labels);

// The byte position of the event whose first row is row, or the string's length when row is the
// row count; nothing when no event starts at that row.
std::optional<std::size_t> RowToEvent(const EventStrings& strings, std::size_t row);

// Inserts a 1 ms press or release of keyCode before the event starting at row (at the end when row
// is the row count). A full string loses whole events at its end to make room.
EventEdit InsertEventAtRow(EventStrings& strings, std::size_t row, const KeyLabels& labels,
                           uint8_t keyCode, bool release);

// Byte-position edits; position must be the start of an event of the strings.
void RemoveEvent(EventStrings& strings, std::size_t position);
// The event keeps its press or release and waits 1 ms (short form).
void RemoveDelay(EventStrings& strings, std::size_t position);
// Short form up to 126 ms, long form above (growing may drop whole events at the end).
EventEdit SetDelay(EventStrings& strings, std::size_t position, uint16_t delay);
// The first event waits 1 ms in the short form, its press or release kept.
void NormaliseFirstEvent(EventStrings& strings);

// Editor commands on the selected row of the event list, each ending with the first event at 1 ms.
// Delete: a delay row removes only that delay, a key row removes its whole event.
EventEdit DeleteRow(EventStrings& strings, std::size_t row);
// Insert Delay: the event after the selected key row waits 50 ms.
EventEdit InsertDelayAfterRow(EventStrings& strings, std::size_t row);
// In-place edit of a delay row.
EventEdit EditDelayRow(EventStrings& strings, std::size_t row, uint16_t delay);

// Where a captured key goes for Insert Before and Insert After the selected row, and where mouse
// events go (after the selected event). Nothing when the selected row does not exist.
std::optional<std::size_t> InsertBeforeRow(const std::vector<EventRow>& rows, std::size_t selected);
std::optional<std::size_t> InsertAfterRow(const std::vector<EventRow>& rows, std::size_t selected);

}  // namespace tarsel
