// Standard dialogs through Qt: message boxes, colour chooser, file and folder pickers.
#pragma once

#include "platform/dialogs.h"

namespace tarsel {

class QtDialogs final : public Dialogs {
 public:
  MessageBoxResult ShowMessageBox(WindowHost* owner, std::u16string_view text,
                                  std::u16string_view caption, MessageBoxButtons buttons) override;
  std::optional<Rgb> ChooseColour(WindowHost* owner, Rgb initial) override;
  std::optional<std::string> OpenFile(WindowHost* owner, std::u16string_view title,
                                      const std::vector<FileFilter>& filters,
                                      const std::string& startFolder) override;
  std::optional<std::string> SaveFile(WindowHost* owner, std::u16string_view title,
                                      const std::vector<FileFilter>& filters,
                                      const std::string& startFolder,
                                      std::string_view defaultSuffix) override;
  std::optional<std::string> BrowseFolder(WindowHost* owner, std::u16string_view title) override;
};

}  // namespace tarsel
