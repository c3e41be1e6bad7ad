#include "qt_window_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

namespace tarsel {

namespace {

MouseButton ToButton(Qt::MouseButton b) {
  return b == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
}

}  // namespace

SkinWidget::SkinWidget(QtWindowHost& host, WindowHandler& handler, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), host_(host), handler_(handler) {
  // The whole client area comes from the frame: no background erase, no flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void SkinWidget::paintEvent(QPaintEvent*) {
  if (frame_.isNull()) frame_ = host_.Compose();
  if (frame_.isNull()) return;
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, frame_);
}

void SkinWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
  const QPoint p = e->position().toPoint();
  handler_.OnMouseDown(ToButton(e->button()), p.x(), p.y());
}

void SkinWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
  const QPoint p = e->position().toPoint();
  handler_.OnMouseUp(ToButton(e->button()), p.x(), p.y());
}

void SkinWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  handler_.OnMouseMove(p.x(), p.y(), (e->buttons() & Qt::LeftButton) != 0);
}

void SkinWidget::wheelEvent(QWheelEvent* e) {
  const QPoint p = e->position().toPoint();
  handler_.OnMouseWheel(p.x(), p.y(), e->angleDelta().y());
  e->accept();
}

void SkinWidget::focusOutEvent(QFocusEvent*) {
  handler_.OnFocusLost();
}

void SkinWidget::closeEvent(QCloseEvent* e) {
  if (handler_.OnCloseRequest()) {
    e->accept();
  } else {
    e->ignore();
  }
}

QtWindowHost::QtWindowHost(WindowHandler& handler, PictureCache& pictures, QtWindowHost* owner)
    : handler_(handler), pictures_(pictures) {
  widget_ = std::make_unique<SkinWidget>(*this, handler, owner ? &owner->Widget() : nullptr);
  sink_ = std::make_unique<QtMessageSink>(handler, *widget_);
  if (owner) widget_->setWindowModality(Qt::WindowModal);
}

QtWindowHost::~QtWindowHost() {
  sink_->Close();
  timers_.clear();
  if (modalLoop_) modalLoop_->exit(0);
}

void QtWindowHost::SetTitle(std::u16string_view title) {
  widget_->setWindowTitle(QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size())));
}

std::optional<Size> QtWindowHost::SizeToBackground() {
  const SkinSource skin = handler_.Skin();
  const QImage* background = pictures_.Get(skin.folder, skin.background);
  if (!background) return std::nullopt;
  const Size size{background->width(), background->height()};
  Resize(size);
  return size;
}

void QtWindowHost::Resize(Size clientSize) {
  widget_->setFixedSize(clientSize.width, clientSize.height);
}

Size QtWindowHost::ClientSize() const {
  return {widget_->width(), widget_->height()};
}

Rect QtWindowHost::ScreenRect() const {
  const QPoint topLeft = widget_->mapToGlobal(QPoint(0, 0));
  return {topLeft.x(), topLeft.y(), topLeft.x() + widget_->width() - 1,
          topLeft.y() + widget_->height() - 1};
}

void QtWindowHost::Show(ShowState state) {
  switch (state) {
    case ShowState::Hidden:
      widget_->hide();
      break;
    case ShowState::Normal:
      widget_->showNormal();
      break;
    case ShowState::Minimised:
      widget_->showMinimized();
      break;
  }
}

ShowState QtWindowHost::State() const {
  if (!widget_->isVisible()) return ShowState::Hidden;
  return widget_->isMinimized() ? ShowState::Minimised : ShowState::Normal;
}

void QtWindowHost::BringToFront() {
  widget_->showNormal();
  widget_->raise();
  widget_->activateWindow();
}

QImage QtWindowHost::Compose() {
  const PictureCache::Pass pass(pictures_);
  const SkinSource skin = handler_.Skin();
  const QImage* background = pictures_.Get(skin.folder, skin.background);
  if (!background) return {};
  QImage frame = background->copy();
  {
    QtCanvas canvas(frame, pictures_, skin.folder, &texts_);
    handler_.OnPaint(canvas);
  }
  ++paintPasses_;
  return frame;
}

void QtWindowHost::Repaint() {
  QImage frame = Compose();
  // A missing background shows nothing new; the last frame stays.
  if (frame.isNull()) return;
  widget_->SetFrame(std::move(frame));
  widget_->update();
}

void QtWindowHost::SetCursor(CursorShape shape) {
  if (shape == CursorShape::Wait) {
    widget_->setCursor(Qt::WaitCursor);
  } else {
    widget_->unsetCursor();
  }
  // The cursor shows at once even when the caller blocks the event loop next.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWindowHost::StartSystemMove() {
  if (QWindow* window = widget_->windowHandle()) window->startSystemMove();
}

void QtWindowHost::StartTimer(int timerId, int intervalMs) {
  auto& timer = timers_[timerId];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, widget_.get(),
                     [this, timerId] { handler_.OnTimer(timerId); });
  }
  timer->start(intervalMs);
}

void QtWindowHost::StopTimer(int timerId) {
  timers_.erase(timerId);
}

int QtWindowHost::RunModal() {
  // A window ended while it was being set up does not run at all.
  if (!endResult_) {
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
  }
  const int result = endResult_.value_or(0);
  endResult_.reset();
  return result;
}

void QtWindowHost::EndDialog(int result) {
  endResult_ = result;
  if (modalLoop_) modalLoop_->exit(result);
}

std::unique_ptr<WindowHost> QtWindowFactory::CreateSkinnedWindow(WindowHandler& handler,
                                                                 WindowHost* owner) {
  return std::make_unique<QtWindowHost>(handler, pictures_, dynamic_cast<QtWindowHost*>(owner));
}

}  // namespace tarsel
