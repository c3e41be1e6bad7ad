#include "qt_tray.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

#include "platform/messages.h"
#include "qt_canvas.h"

namespace tarsel {

namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtTray::QtTray() = default;
QtTray::~QtTray() = default;

bool QtTray::IsAvailable() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTray::Add(std::u16string_view tip, MessageSink& owner) {
  if (!IsAvailable()) return false;
  icon_ = std::make_unique<QSystemTrayIcon>();
  if (const QImage* image = ResourceImage(ResourcePicture::AppIcon)) {
    icon_->setIcon(QIcon(QPixmap::fromImage(*image)));
  }
  icon_->setToolTip(ToQString(tip));
  QObject::connect(
      icon_.get(), &QSystemTrayIcon::activated, [&owner](QSystemTrayIcon::ActivationReason reason) {
        // Posted so the menu and the window run from the event loop, not from
        // inside the tray's own signal. Status-notifier hosts report a left click
        // only as Trigger and never as DoubleClick: taken alone, a hidden window
        // could never come back there. Showing it twice is harmless.
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) {
          owner.Post(WM_TRAY_NOTIFY, 0, kTrayLeftDoubleClick);
        } else if (reason == QSystemTrayIcon::Context) {
          owner.Post(WM_TRAY_NOTIFY, 0, kTrayRightButtonDown);
        }
      });
  icon_->show();
  return true;
}

void QtTray::Remove() {
  icon_.reset();
}

void QtTray::ShowBalloon(std::u16string_view title, std::u16string_view text) {
  if (icon_) icon_->showMessage(ToQString(title), ToQString(text), QSystemTrayIcon::Information);
}

bool QtTray::RunSingleItemMenu(std::u16string_view itemText) {
  QMenu menu;
  QAction* item = menu.addAction(ToQString(itemText));
  return menu.exec(QCursor::pos()) == item;
}

}  // namespace tarsel
