// The tarsel program: the keyboard's configuration utility on the Qt desktop.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/app_services.h"
#include "app/composite_device_change_source.h"
#include "app/main_content_setup.h"
#include "app/sequences_keyboard_session.h"
#include "app/velkan_app.h"
#include "config/program_folder.h"
#include "device/composite_hid_transport.h"
#include "device/device_link.h"
#include "font_warm_up.h"
#include "hidapi_transport.h"
#include "local_socket_instance_guard.h"
#include "macro/macro_library.h"
#include "platform/system_clock.h"
#include "posix/posix_shell.h"
#include "posix/socket_folder_watch.h"
#include "qt_dialogs.h"
#include "qt_launcher.h"
#include "qt_settings_reader.h"
#include "qt_tray.h"
#include "qt_window_host.h"
#include "sim_socket_transport.h"
#include "termination_signals.h"
#include "udev/udev_device_change_source.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarsel Gaming Keyboard"));
  // The window hides to the tray; only the main window's end ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  // The first frame draws text; have the fonts ready by then.
  const std::jthread fontWarmUp = tarsel::StartFontWarmUp();

  using namespace tarsel;
  // Real keyboards first, then the simulator.
  CompositeHidTransport transport;
  transport.Add(std::make_unique<HidapiTransport>());
  auto simulator = std::make_unique<SimSocketTransport>();
  const std::string simulatorFolder = simulator->Folder();
  transport.Add(std::move(simulator));
  SystemClock clock;
  DeviceLink link(transport);
  SequencesKeyboardSession session(
      link, clock, [](std::chrono::milliseconds delay, std::function<void()> task) {
        QTimer::singleShot(delay, QCoreApplication::instance(), std::move(task));
      });

  QtWindowFactory windows;
  QtDialogs dialogs;
  QtTray tray;
  PosixShell shell;
  QtLauncher launcher;
  QtSettingsReader settings;
  LocalSocketInstanceGuard guard;
  UdevDeviceChangeSource keyboardChanges;
  SocketFolderWatch simulatorChanges(simulatorFolder);
  CompositeDeviceChangeSource deviceChanges({&keyboardChanges, &simulatorChanges});

  AppServices services{windows,  dialogs, tray,          shell,   launcher,
                       settings, guard,   deviceChanges, session, ProgramFolder()};
  // The window's settings panel, keyboard picture and button flows; the macro, profile and
  // key-assignment dialogs plug in through mainDialogs.
  auto macroLibrary = std::make_unique<MacroLibrary>();
  CancellingMainWindowDialogs mainDialogs;
  CVelkanDlg* window = nullptr;  // while the main window exists
  CVelkanApp velkan(services, [&](CVelkanDlg& dlg) {
    InstallMainContent(dlg, *macroLibrary, mainDialogs);
    window = &dlg;
  });
  // A request to terminate ends the program as the tray's Exit does. Open dialogs are closed
  // (as cancelled) first, since the window's end waits for the dialog loops inside it.
  const TerminationSignals termination([&window] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isModal() && w->isVisible()) w->close();
    }
    if (window) window->OnMessage(WM_COMMAND, kCommandTrayExit, 0);
  });
  velkan.InitInstance();
  window = nullptr;
  return 0;
}
