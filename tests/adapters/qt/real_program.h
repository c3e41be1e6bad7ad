// The real program as a separate process, run from a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "skin_folder_fixture.h"

namespace tarsel::testing {

// The program copied into a temporary program folder, so its data files land there.
class RealProgram {
 public:
  explicit RealProgram(const ProgramFolderWithSkins& folder) {
    exe_ = folder.path() / "tarsel";
    std::filesystem::copy_file(std::filesystem::path(TARSEL_PROGRAM_DIR) / "tarsel", exe_);
  }
  void Start(QProcess& process, const std::filesystem::path& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString(exe_.string()), {});
    ASSERT_TRUE(process.waitForStarted(5000));
  }

 private:
  std::filesystem::path exe_;
};

inline std::filesystem::path RuntimeFolder(const ProgramFolderWithSkins& folder) {
  const auto runtime = folder.path() / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  return runtime;
}

// Runs the event loop until done() or the time is up.
template <typename Done>
bool WaitFor(Done done, int ms = 10000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

}  // namespace tarsel::testing
