#include "posix_shell.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace tarsel {

namespace {

#ifndef CLOSE_RANGE_CLOEXEC
#define CLOSE_RANGE_CLOEXEC (1U << 2)
#endif

// Runs in the forked child of a multi-threaded process: async-signal-safe calls only.
[[noreturn]] void ExecGrandchild(char* const* argv, const char* directory, bool searchPath,
                                 int errorPipe, int highestFd) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction defaultAction = {};
  defaultAction.sa_handler = SIG_DFL;
  sigaction(SIGPIPE, &defaultAction, nullptr);
  // The keyboard's interfaces, sockets and whatever else the program holds stay with it.
  if (syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
    for (int fd = 3; fd <= highestFd; ++fd) {
      if (fd != errorPipe) fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }
  int error = 0;
  if (directory[0] != '\0' && chdir(directory) != 0) {
    error = errno;
  } else {
    if (searchPath) {
      execvp(argv[0], argv);
    } else {
      execv(argv[0], argv);
    }
    error = errno;
  }
  ssize_t ignored = write(errorPipe, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

bool IsExecutableFile(const std::filesystem::path& path) {
  struct stat info = {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool SpawnDetached(const std::vector<std::string>& args,
                   const std::filesystem::path& workingDirectory) {
  if (args.empty() || args[0].empty()) return false;
  // Everything the child needs is prepared before fork: no allocation after it.
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const std::string directory = workingDirectory.string();
  const bool searchPath = args[0].find('/') == std::string::npos;
  long openMax = sysconf(_SC_OPEN_MAX);
  const int highestFd = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return false;
  }
  if (child == 0) {
    // The intermediate child exits at once, so the program is adopted by init and never
    // becomes our zombie.
    close(pipeFds[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      ExecGrandchild(argv.data(), directory.c_str(), searchPath, pipeFds[1], highestFd);
    }
    _exit(grandchild < 0 ? 126 : 0);
  }
  close(pipeFds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  // The pipe closes on a successful exec; an error number arrives otherwise.
  int error = 0;
  ssize_t got;
  do {
    got = read(pipeFds[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(pipeFds[0]);
  if (got > 0) started = false;
  return started;
}

bool PosixShell::Open(const std::filesystem::path& file,
                      const std::filesystem::path& workingDirectory) {
  if (file.empty()) return false;
  const std::filesystem::path target = file.is_absolute() ? file : workingDirectory / file;
  if (IsExecutableFile(target)) return SpawnDetached({target.string()}, workingDirectory);
  return SpawnDetached({opener_, target.string()}, workingDirectory);
}

}  // namespace tarsel
