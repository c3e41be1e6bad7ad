#include "report_text.h"

#include <cstdint>
#include <cstdio>

namespace tarsel {

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
  return text;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      out += "\\u00" + Hex2(u);
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace tarsel
