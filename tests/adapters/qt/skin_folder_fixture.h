// A temporary program folder whose skins are the generated ones.
#pragma once

#include <filesystem>

#include "config/temp_folder.h"

namespace tarsel::testing {

class ProgramFolderWithSkins {
 public:
  ProgramFolderWithSkins() {
    std::filesystem::create_directory_symlink(std::filesystem::path(TARSEL_PROGRAM_DIR) / "png",
                                              path() / "png");
  }
  std::filesystem::path path() const { return folder_.path(); }
  std::filesystem::path MainPng() const { return path() / "png/english/main.png"; }

 private:
  TempFolder folder_;
};

}  // namespace tarsel::testing
