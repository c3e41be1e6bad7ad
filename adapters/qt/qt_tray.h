// Tray icon through QSystemTrayIcon.
#pragma once

#include <QSystemTrayIcon>
#include <memory>

#include "platform/tray.h"

namespace tarsel {

class QtTray final : public Tray {
 public:
  QtTray();
  ~QtTray() override;
  bool IsAvailable() const override;
  bool Add(std::u16string_view tip, MessageSink& owner) override;
  void Remove() override;
  void ShowBalloon(std::u16string_view title, std::u16string_view text) override;
  bool RunSingleItemMenu(std::u16string_view itemText) override;

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace tarsel
