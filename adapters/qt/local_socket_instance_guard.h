// Single instance through a lock file and a local socket in the user's runtime folder: the first
// instance holds the lock and listens; a later one connects, asks it to show its window, and
// exits. The lock is an flock() on a file there: it dies with its process, so a crashed instance
// never blocks the next start, and taking it writes nothing to disk.
#pragma once

#include <QLocalServer>
#include <memory>
#include <string>

#include "platform/single_instance.h"

namespace tarsel {

class LocalSocketInstanceGuard final : public SingleInstanceGuard {
 public:
  // folder: where the lock and socket live; empty picks $XDG_RUNTIME_DIR, else a private
  // folder (mode 0700) under the temporary folder.
  explicit LocalSocketInstanceGuard(std::string folder = {});
  ~LocalSocketInstanceGuard() override;
  bool Claim(std::string_view name, std::function<void()> onActivate) override;

 private:
  bool AskFirstToShow(const QString& socketPath);

  std::string folder_;
  int lockFd_ = -1;  // holds the lock while open
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> onActivate_;
};

}  // namespace tarsel
