// A window host without a display: paint passes land on a recording canvas, messages are
// delivered on the calling thread, and everything the handler asks for is recorded.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/recording_canvas.h"
#include "platform/window_host.h"

namespace tarsel::testing {

class FakeWindowHost final : public WindowHost {
 public:
  explicit FakeWindowHost(WindowHandler& handler) : handler_(handler), sink_(*this) {}

  void SetTitle(std::u16string_view title) override { this->title = title; }
  std::optional<Size> SizeToBackground() override {
    if (backgroundSize) clientSize = *backgroundSize;
    return backgroundSize;
  }
  void Resize(Size size) override { clientSize = size; }
  Size ClientSize() const override { return clientSize; }
  Rect ScreenRect() const override {
    return {100, 100, 100 + clientSize.width - 1, 100 + clientSize.height - 1};
  }
  void Show(ShowState s) override {
    state = s;
    showHistory.push_back(s);
  }
  ShowState State() const override { return state; }
  void BringToFront() override {
    state = ShowState::Normal;
    ++broughtToFront;
  }
  void Repaint() override {
    lastFrame = RecordingCanvas(clientSize);
    handler_.OnPaint(lastFrame);
    ++paintCount;
  }
  void SetCursor(CursorShape shape) override { cursors.push_back(shape); }
  void StartSystemMove() override { ++systemMoves; }
  void StartTimer(int id, int interval) override { timers[id] = interval; }
  void StopTimer(int id) override { timers.erase(id); }
  int RunModal() override {
    // Delivers what was posted until the handler ends the dialog.
    while (!endResult && PumpOne()) {
    }
    return endResult.value_or(0);
  }
  void EndDialog(int result) override { endResult = result; }
  MessageSink& Messages() override { return sink_; }

  // Delivers one posted message; false when none is waiting.
  bool PumpOne() {
    if (posted.empty()) return false;
    auto [m, w, l] = posted.front();
    posted.pop_front();
    handler_.OnMessage(m, w, l);
    return true;
  }
  void PumpAll() {
    while (PumpOne()) {
    }
  }

  // Mouse helpers in client coordinates.
  void Click(int x, int y) {
    handler_.OnMouseDown(MouseButton::Left, x, y);
    handler_.OnMouseUp(MouseButton::Left, x, y);
  }

  std::u16string title;
  std::optional<Size> backgroundSize = Size{1000, 645};
  Size clientSize{0, 0};
  ShowState state = ShowState::Hidden;
  std::vector<ShowState> showHistory;
  int broughtToFront = 0;
  int paintCount = 0;
  int systemMoves = 0;
  RecordingCanvas lastFrame;
  std::vector<CursorShape> cursors;
  std::map<int, int> timers;
  std::optional<int> endResult;
  std::deque<std::tuple<uint32_t, uintptr_t, intptr_t>> posted;

 private:
  class Sink final : public MessageSink {
   public:
    explicit Sink(FakeWindowHost& host) : host_(host) {}
    void Post(uint32_t m, uintptr_t w, intptr_t l) override { host_.posted.emplace_back(m, w, l); }
    intptr_t Send(uint32_t m, uintptr_t w, intptr_t l) override {
      return host_.handler_.OnMessage(m, w, l);
    }

   private:
    FakeWindowHost& host_;
  };

  WindowHandler& handler_;
  Sink sink_;
};

// Creates FakeWindowHosts and keeps a pointer to the last one for the test to drive.
class FakeWindowFactory final : public WindowFactory {
 public:
  std::unique_ptr<WindowHost> CreateSkinnedWindow(WindowHandler& handler, WindowHost*) override {
    auto host = std::make_unique<FakeWindowHost>(handler);
    if (backgroundSize) host->backgroundSize = backgroundSize;
    last = host.get();
    if (beforeRun) host->endResult.reset();
    return host;
  }
  std::optional<Size> backgroundSize;
  bool beforeRun = false;
  FakeWindowHost* last = nullptr;
};

}  // namespace tarsel::testing
