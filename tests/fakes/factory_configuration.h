// A keyboard in its factory state, as the initial read would leave the configuration.
#pragma once

#include <cstddef>

#include "config/action_store.h"
#include "config/configuration.h"
#include "config/key_table.h"
#include "lighting/effects.h"

namespace tarsel::testing {

// A keyboard in its factory state: default map entries, every key enabled, no assignments.
inline void MakeFactoryConfiguration(Configuration& config) {
  config.block = DeviceStateBlock{};
  for (std::size_t k = 0; k < kKeyCount; ++k) {
    config.block.keyMap[MapEntryIndex(KeyTable[k].position)] = KeyTable[k].defaultEntry;
  }
  config.block.keyEnable.fill(0xFF);
  config.block.effect = kEffectStatic;
  config.block.colorChoice = 1;
  config.block.brightness = 30;
  config.block.speed = 5;
  config.block.reportRate = 2;
  config.block.responseTime = 2;
  config.store = ActionStore{};
  ResetKeyCodes(config.store);
  config.TakeSavedBlockCopy();
  config.TakeSavedActionsCopy();
}

}  // namespace tarsel::testing
