// Conversions between the UTF-16 texts the data files hold and the UTF-8 the system speaks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; nothing when the text is not valid UTF-8 (an overlong form, a surrogate, a
// cut sequence), so that no path or name is stored garbled.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

}  // namespace tarsel
