#include "local_socket_instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <cstdlib>

namespace tarsel {

namespace {

constexpr char kShowRequest[] = "show\n";

std::string DefaultFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
  const std::string folder =
      QDir::tempPath().toStdString() + "/tarsel-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  return folder;
}

}  // namespace

LocalSocketInstanceGuard::LocalSocketInstanceGuard(std::string folder)
    : folder_(folder.empty() ? DefaultFolder() : std::move(folder)) {}

LocalSocketInstanceGuard::~LocalSocketInstanceGuard() {
  if (server_) server_->close();
  // The lock file stays: removing it could let a starting instance lock a file nobody else sees.
  if (lockFd_ >= 0) ::close(lockFd_);
}

bool LocalSocketInstanceGuard::AskFirstToShow(const QString& socketPath) {
  // The first instance may still be starting: try for a little while.
  for (int attempt = 0; attempt < 20; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (socket.waitForConnected(250)) {
      socket.write(kShowRequest);
      socket.waitForBytesWritten(1000);
      socket.waitForReadyRead(1000);  // its answer, or the close
      return true;
    }
    QThread::msleep(100);
  }
  return false;
}

bool LocalSocketInstanceGuard::Claim(std::string_view name, std::function<void()> onActivate) {
  // The name starts with a space and holds braces; fine in a file name, kept as given.
  const QString base = QString::fromStdString(folder_) + QStringLiteral("/tarsel") +
                       QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  const QString socketPath = base + QStringLiteral(".socket");
  const QByteArray lockPath = (base + QStringLiteral(".lock")).toLocal8Bit();
  lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
    AskFirstToShow(socketPath);
    return false;
  }
  onActivate_ = std::move(onActivate);
  // A socket file left by a crashed instance would make listen() fail.
  QLocalServer::removeServer(socketPath);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(socketPath);
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
        if (client->readAll().startsWith("show") && onActivate_) onActivate_();
        client->write("ok\n");
        client->disconnectFromServer();
      });
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
  });
  return true;
}

}  // namespace tarsel
