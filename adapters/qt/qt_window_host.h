// A top-level frameless window that shows a handler's skin: Qt input becomes handler calls, and
// each paint pass is composed off screen and shown in one copy.
#pragma once

#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>

#include "picture_cache.h"
#include "platform/window_host.h"
#include "qt_canvas.h"
#include "qt_message_sink.h"
#include "text_layout_cache.h"

namespace tarsel {

class QtWindowHost;

class SkinWidget final : public QWidget {
 public:
  SkinWidget(QtWindowHost& host, WindowHandler& handler, QWidget* owner);
  void SetFrame(QImage frame) { frame_ = std::move(frame); }
  bool HasFrame() const { return !frame_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QtWindowHost& host_;
  WindowHandler& handler_;
  QImage frame_;
};

class QtWindowHost final : public WindowHost {
 public:
  QtWindowHost(WindowHandler& handler, PictureCache& pictures, QtWindowHost* owner);
  ~QtWindowHost() override;

  void SetTitle(std::u16string_view title) override;
  std::optional<Size> SizeToBackground() override;
  void Resize(Size clientSize) override;
  Size ClientSize() const override;
  Rect ScreenRect() const override;
  void Show(ShowState state) override;
  ShowState State() const override;
  void BringToFront() override;
  void Repaint() override;
  void SetCursor(CursorShape shape) override;
  void StartSystemMove() override;
  void StartTimer(int timerId, int intervalMs) override;
  void StopTimer(int timerId) override;
  int RunModal() override;
  void EndDialog(int result) override;
  MessageSink& Messages() override { return *sink_; }

  QWidget& Widget() { return *widget_; }
  // Composes one frame (what Repaint shows) without showing it.
  QImage Compose();
  int PaintPasses() const { return paintPasses_; }

 private:
  WindowHandler& handler_;
  PictureCache& pictures_;
  TextLayoutCache texts_;
  std::unique_ptr<SkinWidget> widget_;
  std::unique_ptr<QtMessageSink> sink_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
  QPointer<QEventLoop> modalLoop_;
  std::optional<int> endResult_;
  int paintPasses_ = 0;
};

class QtWindowFactory final : public WindowFactory {
 public:
  std::unique_ptr<WindowHost> CreateSkinnedWindow(WindowHandler& handler,
                                                  WindowHost* owner) override;
  PictureCache& Pictures() { return pictures_; }

 private:
  PictureCache pictures_;
};

}  // namespace tarsel
