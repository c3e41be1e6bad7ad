// POSIX file calls are used here because replacing a file safely needs fsync and rename.
#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tarsel {
namespace {

FileStatus Fail(FileError error) {
  return FileStatus{error, errno};
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now so that a failing close (delayed write errors) can be reported.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error for the file.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string DescribeFileStatus(const FileStatus& status) {
  std::string text;
  switch (status.error) {
    case FileError::None:
      return "ok";
    case FileError::CannotOpen:
      text = "cannot open";
      break;
    case FileError::CannotRead:
      text = "cannot read";
      break;
    case FileError::CannotWrite:
      text = "cannot write";
      break;
    case FileError::CannotReplace:
      text = "cannot replace";
      break;
  }
  if (status.systemError != 0) text += std::string(": ") + std::strerror(status.systemError);
  return text;
}

FileStatus ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                          std::vector<uint8_t>& bytes) {
  bytes.clear();
  // Opening a named pipe blocks until someone writes to it; never wait for that. Reads of a pipe
  // that has a writer still wait for its data, and one without a writer ends at once.
  Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Fail(FileError::CannotOpen);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Fail(FileError::CannotRead);
  if (S_ISDIR(info.st_mode)) return FileStatus{FileError::CannotOpen, EISDIR};
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return Fail(FileError::CannotRead);
  }
  bytes.resize(maxBytes);
  std::size_t done = 0;
  while (done < maxBytes) {
    const ssize_t n = ::read(fd.get(), bytes.data() + done, maxBytes - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const FileStatus status = Fail(FileError::CannotRead);
      bytes.clear();
      return status;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return {};
}

FileStatus ReplaceFileAtomically(const std::filesystem::path& link,
                                 std::span<const uint8_t> bytes) {
  // A symlinked file (say keymap.bin kept in a synced folder) is replaced where it really lives,
  // so the link keeps pointing at the new content.
  std::filesystem::path target = link;
  std::error_code error;
  if (std::filesystem::is_symlink(link, error)) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(link, error);
    if (!error) target = std::move(resolved);
  }
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  Descriptor fd(::mkstemp(pattern.data()));
  if (fd.get() < 0) return Fail(FileError::CannotOpen);
  const std::filesystem::path temporary = pattern;

  // Keep the permissions of the file being replaced; a new file gets the usual 0644.
  struct stat existing {};
  const mode_t mode = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
                          ? (existing.st_mode & 07777)
                          : 0644;
  FileStatus status;
  if (::fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
    status = Fail(FileError::CannotWrite);
  } else if (!fd.Close()) {
    status = Fail(FileError::CannotWrite);
  } else if (::rename(temporary.c_str(), target.c_str()) != 0) {
    status = Fail(FileError::CannotReplace);
  }
  if (!status.ok()) {
    ::unlink(temporary.c_str());
    return status;
  }
  SyncFolder(folder);
  return {};
}

}  // namespace tarsel
