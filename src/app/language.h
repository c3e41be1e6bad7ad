// The UI language, fixed at start-up from the user's settings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/settings_reader.h"

namespace tarsel {

enum class Language : uint8_t { English, Chinese };

// "chinese", exactly as written, selects Chinese; anything else, or no value, English.
Language ReadLanguage(const SettingsReader& settings);

// The literal of the language in use.
constexpr std::u16string_view Pick(Language language, std::u16string_view english,
                                   std::u16string_view chinese) {
  return language == Language::Chinese ? chinese : english;
}

// programFolder + "png/chinese/" or "png/english/".
std::filesystem::path SkinFolder(const std::filesystem::path& programFolder, Language language);

}  // namespace tarsel
