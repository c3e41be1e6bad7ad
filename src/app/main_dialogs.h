// The modal dialogs the main window opens from its buttons and its keyboard picture. Each is a
// long-lived window owned elsewhere; the main window only runs it and acts on how it ended.
#pragma once

#include <optional>

#include "keyassign/key_assignment_dialog.h"
#include "platform/geometry.h"

namespace tarsel {

class MainWindowDialogs : public KeyAssignmentDialog {
 public:
  // The macro manager; true when it ended with OK (its library is then the one to keep).
  virtual bool RunMacroManager() = 0;
  // The profile manager, placed by the main window's screen rectangle. It may replace the
  // configuration; the main window refreshes itself afterwards whatever the result.
  virtual void RunProfileManager(const Rect& mainWindowScreenRect) = 0;
};

// Until a dialog is available every run ends as if cancelled.
class CancellingMainWindowDialogs final : public MainWindowDialogs {
 public:
  std::optional<PendingAssignment> Run(const KeyAssignmentRequest&) override {
    return std::nullopt;
  }
  bool RunMacroManager() override { return false; }
  void RunProfileManager(const Rect&) override {}
};

}  // namespace tarsel
