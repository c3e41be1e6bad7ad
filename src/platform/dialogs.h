// Dialogs port: the standard dialogs a window asks the desktop for. All are modal to the owner.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace tarsel {

class WindowHost;

enum class MessageBoxButtons : uint8_t { Ok, OkCancel };
enum class MessageBoxResult : uint8_t { Ok, Cancel };

// One entry of a file type list: what the user reads, and glob patterns ("*.bin", "*.wav").
struct FileFilter {
  std::u16string description;
  std::vector<std::string> patterns;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // An empty caption leaves the desktop's default caption. Closing the box counts as Cancel.
  virtual MessageBoxResult ShowMessageBox(WindowHost* owner, std::u16string_view text,
                                          std::u16string_view caption,
                                          MessageBoxButtons buttons) = 0;
  // nullopt when the user cancels.
  virtual std::optional<Rgb> ChooseColour(WindowHost* owner, Rgb initial) = 0;
  // Full path of the chosen file, nullopt when cancelled.
  virtual std::optional<std::string> OpenFile(WindowHost* owner, std::u16string_view title,
                                              const std::vector<FileFilter>& filters,
                                              const std::string& startFolder) = 0;
  virtual std::optional<std::string> SaveFile(WindowHost* owner, std::u16string_view title,
                                              const std::vector<FileFilter>& filters,
                                              const std::string& startFolder,
                                              std::string_view defaultSuffix) = 0;
  // Chosen folder, nullopt when cancelled.
  virtual std::optional<std::string> BrowseFolder(WindowHost* owner, std::u16string_view title) = 0;
};

}  // namespace tarsel
