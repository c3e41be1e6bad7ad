#include "qt_launcher.h"

#include <QDesktopServices>
#include <QUrl>

#include "posix/posix_shell.h"

namespace tarsel {

bool QtLauncher::StartProgram(const std::filesystem::path& program) {
  return SpawnDetached({program.string()}, program.parent_path());
}

bool QtLauncher::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace tarsel
