// Plugs the full content into the main window before start-up runs.
#pragma once

#include "app/main_dialogs.h"
#include "app/main_window.h"
#include "macro/macro_library.h"

namespace tarsel {

// library is the process-wide macro library: loaded from MacroDefine.bin at its start-up step
// and used by the macro manager flow and key assignments. Both must outlive the window.
void InstallMainContent(CVelkanDlg& dlg, MacroLibrary& library, MainWindowDialogs& dialogs);

}  // namespace tarsel
