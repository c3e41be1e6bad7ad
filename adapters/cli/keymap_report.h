// What `tarselctl show` and `tarselctl read` print about a configuration: text for people, JSON
// for scripts.
#pragma once

#include <cstddef>
#include <string>

#include "config/action_store.h"
#include "config/device_state_block.h"
#include "config/key_labels.h"

namespace tarsel {

std::string KeymapText(const DeviceStateBlock& block, const ActionStore& store,
                       const KeyLabels& labels);
std::string KeymapJson(const DeviceStateBlock& block, const ActionStore& store,
                       const KeyLabels& labels);

// The key's label without its padding ("Esc", "Volume UP"), or "0x07" for a code without one.
std::string KeyCodeName(const KeyLabels& labels, uint8_t keyCode);

// Whether key index keyIndex works (its bit in the key-enable bitmap is set).
bool KeyEnabled(const DeviceStateBlock& block, std::size_t keyIndex);

// "[0A 00 1B 00] host action, key code 0x1B" style description of a key-map entry.
std::string DescribeEntry(const KeyMapEntry& entry);

}  // namespace tarsel
