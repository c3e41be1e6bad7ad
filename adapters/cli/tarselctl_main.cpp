// tarselctl: the keyboards found, reading, showing, applying and setting configurations, and
// watching key events, from a shell.
#include <pthread.h>
#include <signal.h>

#include <iostream>
#include <thread>

#include "cli/tarselctl.h"
#include "config/program_folder.h"
#include "device/composite_hid_transport.h"
#include "hidapi_transport.h"
#include "posix/socket_folder_watch.h"
#include "sim_socket_transport.h"
#include "udev/udev_device_change_source.h"

namespace {

// Real keyboards first, then the simulator.
std::unique_ptr<tarsel::HidTransport> MakeTransport() {
  auto transport = std::make_unique<tarsel::CompositeHidTransport>();
  transport->Add(std::make_unique<tarsel::HidapiTransport>());
  transport->Add(std::make_unique<tarsel::SimSocketTransport>());
  return transport;
}

std::vector<std::unique_ptr<tarsel::DeviceChangeSource>> MakeChangeSources() {
  std::vector<std::unique_ptr<tarsel::DeviceChangeSource>> sources;
  sources.push_back(std::make_unique<tarsel::UdevDeviceChangeSource>());
  sources.push_back(
      std::make_unique<tarsel::SocketFolderWatch>(tarsel::SimSocketTransport().Folder()));
  return sources;
}

}  // namespace

int main(int argc, char** argv) {
  std::thread signalWaiter;
  tarsel::ToolEnvironment environment{tarsel::ProgramFolder(),
                                      MakeTransport,
                                      MakeChangeSources,
                                      std::cout,
                                      std::cerr,
                                      [&](std::function<void()> stop) {
                                        sigset_t signals;
                                        sigemptyset(&signals);
                                        sigaddset(&signals, SIGINT);
                                        sigaddset(&signals, SIGTERM);
                                        pthread_sigmask(SIG_BLOCK, &signals, nullptr);
                                        signalWaiter =
                                            std::thread([signals, stop = std::move(stop)] {
                                              int signal = 0;
                                              sigwait(&signals, &signal);
                                              stop();
                                            });
                                      }};
  const int code =
      tarsel::RunTarselctl(std::vector<std::string>(argv + 1, argv + argc), environment);
  if (signalWaiter.joinable()) signalWaiter.join();
  return code;
}
