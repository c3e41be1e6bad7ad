// The configuration a keyboard leaves the factory with, and returns to on a factory reset.
#pragma once

#include "config/device_state_block.h"

namespace tarsel {

// In the host's terms: speed 0..9 as the block holds it, winLock left 0.
DeviceStateBlock FactorySettings();

}  // namespace tarsel
