#include "app/language.h"

namespace tarsel {

Language ReadLanguage(const SettingsReader& settings) {
  const auto value = settings.ReadString("Language");
  return value && *value == "chinese" ? Language::Chinese : Language::English;
}

std::filesystem::path SkinFolder(const std::filesystem::path& programFolder, Language language) {
  return programFolder / (language == Language::Chinese ? "png/chinese/" : "png/english/");
}

}  // namespace tarsel
