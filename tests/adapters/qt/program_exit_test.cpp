// How the real program ends when the desktop or a terminal asks it to.
#include <gtest/gtest.h>

#include <signal.h>

#include <string_view>

#include "real_program.h"

namespace tarsel::testing {
namespace {

TEST(ProgramExit, TerminationSignalEndsTheProgramInOrderEvenWithADialogOpen) {
  ProgramFolderWithSkins folder;
  const auto runtime = RuntimeFolder(folder);
  RealProgram program(folder);
  // No keyboard and, offscreen, no tray: start-up ends in the "No Gaming Keyboard Detected!"
  // message box, a dialog loop inside the window's own.
  for (const char* how : {"terminate", "interrupt"}) {
    SCOPED_TRACE(how);
    std::filesystem::remove(folder.path() / "keymap.bin");
    QProcess tarsel;
    program.Start(tarsel, runtime);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(folder.path() / "keymap.bin"); }));
    if (std::string_view(how) == "terminate") {
      tarsel.terminate();
    } else {
      ::kill(static_cast<pid_t>(tarsel.processId()), SIGINT);
    }
    ASSERT_TRUE(WaitFor([&] { return tarsel.state() == QProcess::NotRunning; }, 5000))
        << "still running after the signal";
    // Ended through its own shutdown, not killed by the signal.
    EXPECT_EQ(tarsel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tarsel.exitCode(), 0);
  }
}

}  // namespace
}  // namespace tarsel::testing
