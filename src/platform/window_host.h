// Window port: one top-level skinned window, driven by a toolkit-free handler.
//
// The core window class implements WindowHandler; the UI adapter creates the real window, turns
// its input into handler calls on the UI thread and carries out the handler's requests through
// WindowHost. Window messages with fixed numbers (messages.h) reach the handler through
// OnMessage, from any thread, via the MessageSink the host hands out.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/message_sink.h"

namespace tarsel {

enum class CursorShape : uint8_t { Arrow, Wait };

// What a paint pass starts from: the skin folder the canvas resolves names in (ending in '/'),
// and the background picture in it that gives the canvas and the client area their size.
struct SkinSource {
  std::string folder;
  std::string background;
};

enum class MouseButton : uint8_t { Left, Right };

class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  virtual SkinSource Skin() const = 0;
  // One paint pass onto a canvas that already holds the background picture. Not called when the
  // background picture is missing (there is nothing to draw on).
  virtual void OnPaint(Canvas& canvas) = 0;
  virtual void OnMouseDown(MouseButton button, int x, int y) = 0;
  virtual void OnMouseUp(MouseButton button, int x, int y) = 0;
  virtual void OnMouseMove(int x, int y, bool leftButtonDown) = 0;
  // Wheel turns are reported so a handler can swallow them; nothing happens by default.
  virtual void OnMouseWheel(int /*x*/, int /*y*/, int /*delta*/) {}
  virtual void OnFocusLost() {}
  virtual void OnTimer(int /*timerId*/) {}
  // A key press the window received while focused (Windows virtual-key code).
  virtual void OnKeyDown(uint8_t /*keyCode*/) {}
  // A numbered message (messages.h), always on the UI thread.
  virtual intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // The user asked the window manager to close the window (not one of the skin's buttons).
  // Return true to allow it.
  virtual bool OnCloseRequest() { return false; }
};

enum class ShowState : uint8_t {
  Hidden,
  Normal,     // shown, not minimised
  Minimised,  // iconified to the task bar (used only where no tray can bring a hidden window back)
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual void SetTitle(std::u16string_view title) = 0;
  // Decodes the handler's background picture and sizes the client area to it; nullopt (and no
  // change) when the picture is missing or broken.
  virtual std::optional<Size> SizeToBackground() = 0;
  virtual void Resize(Size clientSize) = 0;
  virtual Size ClientSize() const = 0;
  // Client area in screen coordinates.
  virtual Rect ScreenRect() const = 0;

  virtual void Show(ShowState state) = 0;
  virtual ShowState State() const = 0;
  // Shows the window normally and asks the window manager to put it in front with focus.
  virtual void BringToFront() = 0;

  // Runs a full paint pass now and shows it in one copy.
  virtual void Repaint() = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  // Hands the window to the window manager's move loop, as if its caption had been pressed.
  virtual void StartSystemMove() = 0;

  // Periodic timer delivered to OnTimer; starting a running id restarts it.
  virtual void StartTimer(int timerId, int intervalMs) = 0;
  virtual void StopTimer(int timerId) = 0;

  // Runs the window modally (a nested event loop) until EndDialog; returns its result. The
  // window's visibility is whatever the handler set during the run (RunModal does not show it).
  virtual int RunModal() = 0;
  virtual void EndDialog(int result) = 0;

  // Delivers numbered messages to this window's handler on the UI thread. Send from the UI
  // thread calls the handler directly; from another thread it waits for the handler, and returns
  // 0 without running it once the window is gone, so a worker never hangs on a closed window.
  virtual MessageSink& Messages() = 0;
};

// Creates windows; owners make dialogs modal to them and centre them.
class WindowFactory {
 public:
  virtual ~WindowFactory() = default;
  // owner may be null for a top-level window. The handler must outlive the host.
  virtual std::unique_ptr<WindowHost> CreateSkinnedWindow(WindowHandler& handler,
                                                          WindowHost* owner) = 0;
};

}  // namespace tarsel
