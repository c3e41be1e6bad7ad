#include "app/velkan_app.h"

namespace tarsel {

bool CVelkanApp::InitInstance() {
  // The window does not exist yet when the guard is claimed; a request that arrives before it
  // does is dropped (the window shows itself at the end of start-up anyway).
  if (!services_.instanceGuard.Claim(kInstanceName, [this] {
        if (window_) window_->Activate();
      })) {
    secondInstance_ = true;
    return false;
  }
  // Large: the block and store with their saved copies.
  auto config = std::make_unique<Configuration>();
  CVelkanDlg dlg(services_, *config);
  if (setup_) setup_(dlg);
  std::unique_ptr<WindowHost> host = services_.windows.CreateSkinnedWindow(dlg, nullptr);
  dlg.Attach(*host);
  window_ = &dlg;
  dlg.OnInitDialog();
  host->RunModal();
  window_ = nullptr;
  dlg.OnDestroy();
  return false;
}

}  // namespace tarsel
