// Whole-file reads that never wait for a writer that is not there.
#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "config/temp_folder.h"

namespace tarsel {
namespace {

TEST(ReadFilePrefix, ANamedPipeWithoutAWriterReadsAsEmpty) {
  testing::TempFolder folder;
  const std::filesystem::path pipe = folder.path() / "keymap.bin";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  auto read = std::async(std::launch::async, [&] {
    std::vector<uint8_t> bytes{1, 2, 3};
    const FileStatus status = ReadFilePrefix(pipe, 100, bytes);
    return std::make_pair(status, bytes);
  });
  // Generous: only a read that waits for a writer takes anywhere near this long.
  if (read.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    ADD_FAILURE() << "the read waited for a writer";
    const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);  // lets the read go
    if (writer >= 0) ::close(writer);
  }
  const auto [status, bytes] = read.get();
  EXPECT_TRUE(status.ok());
  EXPECT_TRUE(bytes.empty());
}

TEST(ReadFilePrefix, APipeWithAWriterIsReadToItsEnd) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const uint8_t data[] = {7, 8, 9};
  ASSERT_EQ(::write(fds[1], data, sizeof data), ssize_t(sizeof data));
  ::close(fds[1]);
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadFilePrefix("/proc/self/fd/" + std::to_string(fds[0]), 100, bytes).ok());
  EXPECT_EQ(bytes, (std::vector<uint8_t>{7, 8, 9}));
  ::close(fds[0]);
}

TEST(ReplaceFileAtomically, ASymlinkedFileIsReplacedWhereItLivesAndTheLinkStays) {
  testing::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "elsewhere");
  const std::filesystem::path real = folder.path() / "elsewhere" / "keymap.bin";
  const std::filesystem::path link = folder.path() / "keymap.bin";
  const uint8_t before[] = {1};
  ASSERT_TRUE(ReplaceFileAtomically(real, before).ok());
  std::filesystem::create_symlink(real, link);

  const uint8_t after[] = {4, 5};
  ASSERT_TRUE(ReplaceFileAtomically(link, after).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFilePrefix(real, 100, bytes).ok());
  EXPECT_EQ(bytes, (std::vector<uint8_t>{4, 5}));
}

}  // namespace
}  // namespace tarsel
