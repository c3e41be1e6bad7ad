// Small pieces of text shared by the reports tarselctl prints.
#pragma once

#include <string>
#include <string_view>

namespace tarsel {

// Two upper-case hex digits of the low byte: "0A".
std::string Hex2(unsigned value);

// A JSON string literal of UTF-8 text, quotes and control characters escaped.
std::string JsonString(std::string_view text);

}  // namespace tarsel
