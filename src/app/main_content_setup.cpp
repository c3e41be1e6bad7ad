#include "app/main_content_setup.h"

#include <memory>

#include "app/main_content.h"

namespace tarsel {

void InstallMainContent(CVelkanDlg& dlg, MacroLibrary& library, MainWindowDialogs& dialogs) {
  dlg.SetContent(std::make_unique<MainContent>(dlg, library, dialogs));
  dlg.SetMacroLibraryLoader([&library](const std::filesystem::path& programFolder) {
    // A library that can be neither read nor created stays empty; the program goes on.
    (void)LoadMacroFile(library, programFolder);
  });
}

}  // namespace tarsel
