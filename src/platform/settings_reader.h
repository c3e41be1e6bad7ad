// Settings reader port: the user's stored preferences, read only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

class SettingsReader {
 public:
  virtual ~SettingsReader() = default;
  // The string value of key, nullopt when absent.
  virtual std::optional<std::string> ReadString(std::string_view key) const = 0;
};

}  // namespace tarsel
