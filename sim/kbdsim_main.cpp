// tarsel-kbdsim: a simulated keyboard served on Unix sockets, found like a real one.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "kbdsim_options.h"
#include "press_client.h"
#include "sim_server.h"
#include "socket_protocol.h"

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> args(argv + 1, argv + argc);
  tarsel::KbdsimCommand command = tarsel::ParseKbdsimArguments(args);

  if (const auto* error = std::get_if<tarsel::OptionsError>(&command)) {
    std::fprintf(stderr, "tarsel-kbdsim: %s\n", error->message.c_str());
    return 2;
  }
  if (const auto* press = std::get_if<tarsel::PressOptions>(&command)) {
    const std::string folder =
        press->folder.empty() ? tarsel::simsocket::DefaultDiscoveryFolder() : press->folder;
    if (const auto problem = tarsel::PressOnRunningSimulator(folder, press->keyCode)) {
      std::fprintf(stderr, "tarsel-kbdsim: %s\n", problem->c_str());
      return 1;
    }
    return 0;
  }
  tarsel::SimServer server(std::get<tarsel::ServeOptions>(std::move(command)), start);
  return server.Run();
}
