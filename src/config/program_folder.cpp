#include "config/program_folder.h"

#include <system_error>

namespace tarsel {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !executable.has_parent_path()) return {};
  // Appending an empty element leaves the trailing separator.
  return executable.parent_path() / "";
}

}  // namespace tarsel
