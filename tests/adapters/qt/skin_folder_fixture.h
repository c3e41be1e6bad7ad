// A temporary program folder whose skins are the generated ones.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace tarsel::testing {

class ProgramFolderWithSkins {
 public:
  ProgramFolderWithSkins() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarsel-qt-XXXXXX").string();
    path_ = std::filesystem::path(mkdtemp(pattern.data())) / "";
    std::filesystem::create_directory_symlink(std::filesystem::path(TARSEL_PROGRAM_DIR) / "png",
                                              path_ / "png");
  }
  ~ProgramFolderWithSkins() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path MainPng() const { return path_ / "png/english/main.png"; }

 private:
  std::filesystem::path path_;
};

}  // namespace tarsel::testing
