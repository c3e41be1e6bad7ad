// Outcome of reading or writing one of the program's data files, returned to the caller to show.
#pragma once

#include <cstdint>
#include <string>

namespace tarsel {

enum class FileError : uint8_t {
  None = 0,
  CannotOpen = 1,     // the file (or a temporary beside it) could not be opened or created
  CannotRead = 2,     // opened, but reading failed
  CannotWrite = 3,    // writing or flushing the temporary file failed; the old file is untouched
  CannotReplace = 4,  // the finished temporary file could not take the file's place
};

struct FileStatus {
  FileError error = FileError::None;
  int systemError = 0;  // errno of the failing call, 0 when there is none

  bool ok() const { return error == FileError::None; }
};

// A one-line English description such as "cannot write: No space left on device".
std::string DescribeFileStatus(const FileStatus& status);

}  // namespace tarsel
