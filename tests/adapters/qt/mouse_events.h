// Mouse input sent straight to a widget, as the window system would deliver it.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

namespace tarsel::testing {

inline void SendMouse(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

// A left click; what it posted (repaints, window messages) is handled before this returns.
inline void Click(QWidget& w, QPoint p) {
  SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
}

}  // namespace tarsel::testing
