// Whole-file reads with a size bound and whole-file replacement that never leaves a torn file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "config/file_status.h"

namespace tarsel {

// Reads at most maxBytes from the start of the file; a shorter file gives what it holds. A named
// pipe nobody writes to reads as empty instead of waiting for a writer.
FileStatus ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                          std::vector<uint8_t>& bytes);

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it over
// the target. On any failure the temporary file is removed and the previous target is untouched.
FileStatus ReplaceFileAtomically(const std::filesystem::path& target,
                                 std::span<const uint8_t> bytes);

}  // namespace tarsel
