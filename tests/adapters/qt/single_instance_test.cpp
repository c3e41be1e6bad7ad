// The single-instance rule with the real program as the other process.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "local_socket_instance_guard.h"
#include "real_program.h"

namespace tarsel::testing {
namespace {

constexpr char kName[] = " {57D1171D-1a34-0804-8A3A-65ABA2150010}";

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
