// The program folder: where the executable lies, and with it keymap.bin, MacroDefine.bin and the
// skins.
#pragma once

#include <filesystem>

namespace tarsel {

// The folder of the running executable, ending in '/'. Empty when it cannot be found.
std::filesystem::path ProgramFolder();

}  // namespace tarsel
