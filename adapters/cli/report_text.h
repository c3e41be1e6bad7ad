// Small pieces of text shared by the reports tarselctl prints.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// Two upper-case hex digits of the low byte: "0A".
std::string Hex2(unsigned value);

// A JSON string literal of UTF-8 text, quotes and control characters escaped.
std::string JsonString(std::string_view text);

// UTF-8 to UTF-16; nothing when the text is not valid UTF-8 (an overlong form, a surrogate, a
// cut sequence), so that no path or name is stored garbled.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

}  // namespace tarsel
