// The single-instance rule with the real program as the other process.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "local_socket_instance_guard.h"
#include "skin_folder_fixture.h"

namespace tarsel::testing {
namespace {

constexpr char kName[] = " {57D1171D-1a34-0804-8A3A-65ABA2150010}";

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

std::filesystem::path RuntimeFolder(const ProgramFolderWithSkins& folder) {
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

TEST(SingleInstance, SecondLaunchRaisesTheFirstAndExitsAtOnce) {
  ProgramFolderWithSkins folder;
  const auto runtime = RuntimeFolder(folder);
  LocalSocketInstanceGuard first(runtime.string());
  int raised = 0;
  ASSERT_TRUE(first.Claim(kName, [&] { ++raised; }));

  struct stat st {};
  const std::string socket = (runtime / (std::string("tarsel") + kName + ".socket")).string();
  ASSERT_EQ(::stat(socket.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << "only the same user may connect";

  RealProgram program(folder);
  QProcess second;
  program.Start(second, runtime);
  ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_TRUE(WaitFor([&] { return raised == 1; }));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "keymap.bin"))
      << "the second launch touched nothing";
}

TEST(SingleInstance, CrashedFirstInstanceDoesNotBlockTheNext) {
  ProgramFolderWithSkins folder;
  const auto runtime = RuntimeFolder(folder);
  RealProgram program(folder);
  QProcess crashed;
  program.Start(crashed, runtime);
  // Running means it holds the name: a claim now fails (and asks it to show itself).
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(folder.path() / "keymap.bin"); }));
  {
    LocalSocketInstanceGuard probe(runtime.string());
    EXPECT_FALSE(probe.Claim(kName, [] {}));
  }
  crashed.kill();
  ASSERT_TRUE(crashed.waitForFinished(5000));

  LocalSocketInstanceGuard next(runtime.string());
  int raised = 0;
  EXPECT_TRUE(next.Claim(kName, [&] { ++raised; }));
  // And it is reachable: a later claim finds it.
  LocalSocketInstanceGuard later(runtime.string());
  EXPECT_FALSE(later.Claim(kName, [] {}));
  EXPECT_TRUE(WaitFor([&] { return raised == 1; }));
}

}  // namespace
}  // namespace tarsel::testing
