// The user's preferences of organisation "Brenmor" (Brenmor.conf in the configuration folder).
#pragma once

#include "platform/settings_reader.h"

namespace tarsel {

class QtSettingsReader final : public SettingsReader {
 public:
  std::optional<std::string> ReadString(std::string_view key) const override;
};

}  // namespace tarsel
