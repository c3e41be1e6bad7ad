// The shell port against real programs: a recorder script stands in for both a launched
// program and the desktop's opener, and writes down its arguments, folder and descriptors.
#include "posix/posix_shell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;

// The descriptor the test leaves open without close-on-exec, as a careless library might.
constexpr int kLeakedFd = 213;

class PosixShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tarsel-shell-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    record_ = root_ / "record.txt";
  }
  void TearDown() override { fs::remove_all(root_); }

  // A script that writes its working folder, each argument on its own line, and its open
  // descriptors, then renames the record into place so a reader never sees half of it.
  fs::path WriteRecorder(const fs::path& path) {
    std::ofstream script(path);
    script << "#!/bin/sh\n"
           << "out='" << record_.string() << "'\n"
           << "{ echo \"cwd=$(pwd)\"; for a in \"$0\" \"$@\"; do echo \"arg=$a\"; done;"
           << " for f in /proc/$$/fd/*; do echo \"fd=${f##*/}\"; done; } > \"$out.tmp\"\n"
           << "mv \"$out.tmp\" \"$out\"\n";
    script.close();
    fs::permissions(path, fs::perms::owner_all);
    return path;
  }

  // Waits for the detached program to finish writing; the bound only guards against a hang.
  std::string ReadRecord() {
    for (int i = 0; i < 500 && !fs::exists(record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(record_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path root_;
  fs::path record_;
};

TEST_F(PosixShellTest, StartsExecutablesDirectlyInTheirFolderWhateverTheirNames) {
  // Characters a shell would interpret, spaces and non-ASCII letters, in folder and file names.
  const char* names[] = {"plain", "with space", "quote's \"double\"", "dollar $HOME;ls",
                         "Grüße 游戏"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const fs::path folder = root_ / (std::string(name) + " dir");
    fs::create_directories(folder);
    const fs::path program = WriteRecorder(folder / (std::string(name) + ".sh"));
    fs::remove(record_);

    PosixShell shell("/nonexistent-opener");
    ASSERT_TRUE(shell.Open(program.filename(), folder));
    const std::string record = ReadRecord();
    EXPECT_NE(record.find("cwd=" + folder.string() + "\n"), std::string::npos) << record;
    EXPECT_NE(record.find("arg=" + program.string() + "\n"), std::string::npos) << record;
  }
}

TEST_F(PosixShellTest, HandsOtherFilesToTheOpenerAsOneArgument) {
  const fs::path opener = WriteRecorder(root_ / "opener.sh");
  const fs::path folder = root_ / "My Documents; rm -rf ~";
  fs::create_directories(folder);
  const fs::path document = folder / "notes $USER.txt";
  std::ofstream(document) << "text";

  PosixShell shell(opener.string());
  ASSERT_TRUE(shell.Open(document.filename(), folder));
  const std::string record = ReadRecord();
  EXPECT_NE(record.find("cwd=" + folder.string() + "\n"), std::string::npos) << record;
  EXPECT_NE(record.find("arg=" + document.string() + "\n"), std::string::npos) << record;
}

TEST_F(PosixShellTest, LaunchedProgramInheritsNoDescriptorOfOurs) {
  const int fd = open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(fd, 0);
  ASSERT_EQ(dup2(fd, kLeakedFd), kLeakedFd);
  close(fd);
  const fs::path program = WriteRecorder(root_ / "program.sh");

  PosixShell shell;
  ASSERT_TRUE(shell.Open(program, root_));
  const std::string record = ReadRecord();
  close(kLeakedFd);
  ASSERT_NE(record.find("fd=0\n"), std::string::npos) << record;
  EXPECT_EQ(record.find("fd=" + std::to_string(kLeakedFd) + "\n"), std::string::npos) << record;
}

TEST_F(PosixShellTest, ReportsWhatCouldNotBeStarted) {
  PosixShell shell("/nonexistent-opener");
  EXPECT_FALSE(shell.Open("", root_));
  EXPECT_FALSE(shell.Open("missing.txt", root_));  // the opener itself is missing
  const fs::path program = WriteRecorder(root_ / "program.sh");
  EXPECT_FALSE(shell.Open(program, root_ / "no such folder"));
}

}  // namespace
}  // namespace tarsel
