// tarselctl as a user runs it: a separate process against the simulator, judged by its exit code,
// its output and the simulator's log.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "config/action_store.h"
#include "config/keymap_file.h"
#include "device/sequences/kbdsim_process.h"

extern char** environ;

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using testing::KbdsimProcess;
using testing::SimFolder;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class TarselctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programFolder_ = folder_.Root() / "program";
    fs::create_directories(programFolder_);
  }

  pid_t Start(std::vector<std::string> args) {
    args.insert(args.begin(), {TARSELCTL, "--program-folder", programFolder_.string(),
                               "--ack-timeout-ms", "300"});
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, OutPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, ErrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }

  Outcome Finish(pid_t pid) {
    Outcome outcome;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
      outcome.exitCode = WEXITSTATUS(status);
    outcome.out = ReadAll(OutPath());
    outcome.err = ReadAll(ErrPath());
    return outcome;
  }

  Outcome Run(std::vector<std::string> args) { return Finish(Start(std::move(args))); }

  void StartSim(std::vector<std::string> options = {}) {
    sim_ = std::make_unique<KbdsimProcess>(folder_.Discovery(), folder_.Root() / "sim.log",
                                           std::move(options));
    ASSERT_TRUE(sim_->Ready());
  }

  fs::path OutPath() const { return folder_.Root() / "out.txt"; }
  fs::path ErrPath() const { return folder_.Root() / "err.txt"; }

  SimFolder folder_;
  fs::path programFolder_;
  std::unique_ptr<KbdsimProcess> sim_;
};

TEST_F(TarselctlTest, WithoutKeyboardEveryDeviceCommandSaysSo) {
  for (auto args :
       std::vector<std::vector<std::string>>{{"list"}, {"read"}, {"set", "brightness", "3"}}) {
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 2) << args[0];
    EXPECT_EQ(outcome.err, "tarselctl: no keyboard found\n") << args[0];
  }
}

TEST_F(TarselctlTest, BadInputIsRefusedWithOneLineAndTouchesNothing) {
  StartSim();
  const fs::path shortFile = folder_.Root() / "short.bin";
  std::ofstream(shortFile) << "not a keymap";
  struct Case {
    std::vector<std::string> args;
    std::string errorPart;
  } cases[] = {
      {{"frob"}, "unknown command 'frob'"},
      {{"--verbose", "x", "list"}, "unknown option '--verbose'"},
      {{"set", "brightness", "51"}, "bad value '51' for brightness"},
      {{"set", "effect", "7"}, "bad value '7' for effect"},
      {{"set", "palette", "8", "#000000"}, "bad value '8' for palette"},
      {{"set", "palette", "2", "#00000G"}, "bad colour '#00000G'"},
      {{"set", "speed"}, "speed needs a value"},
      {{"set", "brightness", "10", "volume", "3"}, "unknown setting 'volume'"},
      {{"show", (folder_.Root() / "missing.bin").string()}, "missing.bin: cannot open"},
      {{"show", shortFile.string()}, "wrong size, 12 bytes"},
      {{"apply", shortFile.string()}, "wrong size, 12 bytes"},
      {{"read", "-o", (folder_.Root() / "no folder" / "k.bin").string()}, "read: no folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.err.find(c.errorPart), std::string::npos) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  }
  EXPECT_TRUE(sim_->Log().empty());  // nothing reached the keyboard
  EXPECT_FALSE(fs::exists(folder_.Root() / "no folder"));
  EXPECT_TRUE(fs::is_empty(programFolder_));
}

TEST_F(TarselctlTest, ReadShowSetAndApplyRoundTrip) {
  StartSim();
  const fs::path saved = folder_.Root() / "keyboard.bin";
  ASSERT_EQ(Run({"read", "-o", saved.string()}).exitCode, 0);
  EXPECT_EQ(fs::file_size(saved), sizeof(KeymapFile));

  Outcome shown = Run({"show", saved.string(), "--json"});
  ASSERT_EQ(shown.exitCode, 0);
  EXPECT_NE(shown.out.find("\"brightness\": 50"), std::string::npos);
  EXPECT_NE(shown.out.find("\"label\": \"Esc\""), std::string::npos);

  // One lighting value: a single SetLighting phase 2 after the read.
  std::size_t before = sim_->Log().size();
  ASSERT_EQ(Run({"set", "brightness", "20"}).exitCode, 0);
  auto sets = sim_->FeatureSets(before);
  ASSERT_FALSE(sets.empty());
  EXPECT_EQ(sets.back(), (std::vector<uint8_t>{0x08, 2, 1}));
  EXPECT_EQ(sets[sets.size() - 2], (std::vector<uint8_t>{0x81, 0, 0}));  // end of the read

  // Applying the earlier file puts the brightness back, again with phase 2 alone.
  before = sim_->Log().size();
  const Outcome applied = Run({"apply", saved.string()});
  EXPECT_EQ(applied.exitCode, 0) << applied.err;
  sets = sim_->FeatureSets(before);
  EXPECT_EQ(sets.back(), (std::vector<uint8_t>{0x08, 2, 1}));
  EXPECT_EQ(sets[sets.size() - 2], (std::vector<uint8_t>{0x81, 0, 0}));
  Outcome reread = Run({"read"});
  EXPECT_NE(reread.out.find("brightness 50"), std::string::npos);
}

TEST_F(TarselctlTest, UnconfirmedWriteHasItsOwnExitCode) {
  StartSim({"--drop-acks"});
  const Outcome outcome = Run({"set", "win-lock", "on"});
  EXPECT_EQ(outcome.exitCode, 3);
  EXPECT_EQ(outcome.err, "tarselctl: the keyboard did not confirm: key enable\n");
}

TEST_F(TarselctlTest, WatchLaunchesHostActionsFromTheProgramFolderUntilInterrupted) {
  StartSim();
  const fs::path record = folder_.Root() / "launched.txt";
  const fs::path program = folder_.Root() / "a folder" / "run.sh";
  fs::create_directories(program.parent_path());
  std::ofstream(program) << "#!/bin/sh\npwd > '" << record.string() << ".tmp'\nmv '"
                         << record.string() << ".tmp' '" << record.string() << "'\n";
  fs::permissions(program, fs::perms::owner_all);

  auto keymap = std::make_unique<KeymapFile>();
  std::memset(keymap.get(), 0, sizeof *keymap);
  ActionRecord& action = keymap->store.records[200];  // records past the keys are searched too
  action.keyCode = 0x70;
  action.kind = KindOpenFile;
  const std::string path = program.string();
  for (std::size_t i = 0; i < path.size(); ++i) action.path[2 * i] = static_cast<uint8_t>(path[i]);
  std::ofstream(programFolder_ / "keymap.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(keymap.get()), sizeof *keymap);

  const pid_t watch = Start({"watch", "--launch"});
  for (int i = 0; i < 500 && ReadAll(OutPath()).find("watching") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(sim_->Press(0x70));
  for (int i = 0; i < 500 && !fs::exists(record); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(watch, SIGINT);
  const Outcome outcome = Finish(watch);
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.out.find("key 112 launched"), std::string::npos) << outcome.out;
  EXPECT_EQ(ReadAll(record), program.parent_path().string() + "\n");
}

TEST_F(TarselctlTest, WatchSeesAKilledKeyboardGoAndComeBack) {
  StartSim();
  const pid_t watch = Start({"watch"});
  auto waitFor = [&](const std::string& text) {
    for (int i = 0; i < 1500 && ReadAll(OutPath()).find(text) == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ReadAll(OutPath()).find(text) != std::string::npos;
  };
  ASSERT_TRUE(waitFor("watching"));
  sim_->Kill();  // its socket files stay behind, so only the failing reads tell
  EXPECT_TRUE(waitFor("removed"));
  StartSim();
  EXPECT_TRUE(waitFor("connected"));
  kill(watch, SIGINT);
  const Outcome outcome = Finish(watch);
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.out.rfind("watching\nremoved\n", 0), 0u) << outcome.out;
}

}  // namespace
}  // namespace tarsel
