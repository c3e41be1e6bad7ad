// CVelkanApp: one running copy of the program, which runs the main window until it ends.
#pragma once

#include <functional>
#include <memory>

#include "app/app_services.h"
#include "app/main_window.h"
#include "config/configuration.h"

namespace tarsel {

// The name both the first and a later launch use to find each other.
inline constexpr char kInstanceName[] = " {57D1171D-1a34-0804-8A3A-65ABA2150010}";

class CVelkanApp {
 public:
  // Lets the caller plug the window's content (and other owners' start-up steps) in before
  // start-up runs.
  using WindowSetup = std::function<void(CVelkanDlg&)>;

  explicit CVelkanApp(AppServices& services, WindowSetup setup = {})
      : services_(services), setup_(std::move(setup)) {}

  // Runs the program. A second launch asks the first to show its window and returns at once.
  // Returns false in every case: the process ends when it returns.
  bool InitInstance();
  // True when this launch found another instance running and handed over to it.
  bool WasSecondInstance() const { return secondInstance_; }

 private:
  AppServices& services_;
  WindowSetup setup_;
  bool secondInstance_ = false;
  CVelkanDlg* window_ = nullptr;  // while the main window runs
};

}  // namespace tarsel
