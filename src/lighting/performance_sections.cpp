#include "lighting/performance_sections.h"

#include <string_view>

#include "platform/geometry.h"
#include "skin/skin_palette.h"
#include "skin/slider_strip.h"

namespace tarsel {

namespace {

constexpr int kLabelHeight = 15;

std::u16string_view Text(bool chinese, std::u16string_view english, std::u16string_view zh) {
  return chinese ? zh : english;
}

std::u16string Ascii(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

void PaintGameMode(Canvas& canvas, const DeviceStateBlock& block, const PerformanceView& v) {
  const Point g{19, v.a + 165};
  const bool zh = v.chinese;
  if (v.gameModeCollapsed) {
    canvas.DrawSkinImage("gamemode_Close.png", g.x, g.y);
    if (zh) {
      canvas.DrawSkinText(u"游戏模式", g.x, g.y, kLabelTextColour, kLabelHeight);
    } else {
      canvas.DrawSkinText(u"Game Mode", g.x, g.y, kLabelTextColour, kLabelHeight);
      canvas.DrawSkinText(u"Win Lock", g.x + 130, g.y, kLabelTextColour, kLabelHeight);
    }
    return;
  }
  canvas.DrawSkinImage("gamemode_open.png", g.x, g.y);
  canvas.DrawSkinText(Text(zh, u"Game Mode", u"游戏模式"), g.x, g.y, kLabelTextColour,
                      kLabelHeight);
  canvas.DrawSkinText(Text(zh, u"Win Lock", u"Win Lock模式"), g.x + 130, g.y, kLabelTextColour,
                      kLabelHeight);
  const auto radios = [&](bool on, int onX, int offX) {
    canvas.DrawSkinImage(on ? "Enable.png" : "Disable.png", onX, g.y + 33);
    canvas.DrawSkinImage(on ? "Disable.png" : "Enable.png", offX, g.y + 33);
    canvas.DrawSkinText(Text(zh, u"ON", u"开启"), onX + 17, g.y + 31, kLabelTextColour,
                        kLabelHeight);
    canvas.DrawSkinText(Text(zh, u"OFF", u"关闭"), offX + 17, g.y + 31, kLabelTextColour,
                        kLabelHeight);
  };
  radios(block.gameMode != 0, g.x + 15, 88);
  radios(block.winLock != 0, g.x + 145, 218);
}

void PaintResponseTime(Canvas& canvas, const DeviceStateBlock& block, const PerformanceView& v) {
  const Point r{19, v.a + 220};
  const std::u16string_view label = Text(v.chinese, u"Response Time", u"按键响应时间");
  if (v.responseTimeCollapsed) {
    canvas.DrawSkinImage("responsetime_close.png", r.x, r.y);
    canvas.DrawSkinText(label, r.x, r.y, kLabelTextColour, kLabelHeight);
    return;
  }
  canvas.DrawSkinImage("responsetime_open.png", r.x, r.y);
  canvas.DrawSkinText(label, r.x, r.y, kLabelTextColour, kLabelHeight);
  canvas.DrawSkinImage("Light_Item.png", r.x + 9, r.y + 28);
  // Shown as read, even when the keyboard reported a value outside 1..10.
  const std::u16string value = Ascii(std::to_string(2 * int{block.responseTime}) + " ms");
  canvas.DrawSkinText(value, r.x + 81, r.y + 28, kLabelTextColour, kLabelHeight);
}

}  // namespace

void ApplyGameModeClick(DeviceStateBlock& block, GameModeClick click) {
  switch (click) {
    case GameModeClick::GameModeOn:
      if (block.gameMode == 0) {
        block.gameMode = 1;
        block.winLock = 1;
      }
      break;
    case GameModeClick::GameModeOff:
      block.gameMode = 0;
      block.winLock = 0;
      break;
    case GameModeClick::WinLockOn:
      if (block.gameMode == 1) block.winLock = 1;
      break;
    case GameModeClick::WinLockOff:
      block.winLock = 0;
      break;
  }
}

std::optional<int> ResponseListRowAt(int a, int x, int y) {
  const int top = ResponseListTop(a);
  const Rect list{kResponseListLeft, top, kResponseListLeft + kResponseListWidth,
                  top + kResponseListRows * kResponseRowHeight - 1};
  if (!list.Contains(x, y)) return std::nullopt;
  return (y - top) / kResponseRowHeight;
}

std::optional<uint8_t> ClickResponseList(DeviceStateBlock& block, int a, int x, int y) {
  const std::optional<int> row = ResponseListRowAt(a, x, y);
  if (!row) return std::nullopt;
  block.responseTime = static_cast<uint8_t>(*row + 1);
  return block.responseTime;
}

std::u16string ResponseRowLabel(int row) {
  return Ascii(std::to_string(2 * (row + 1)) + "ms");
}

void PerformanceSections::Paint(Canvas& canvas, DeviceStateBlock& block,
                                const PerformanceView& view) {
  PaintGameMode(canvas, block, view);
  PaintResponseTime(canvas, block, view);

  const Point p{19, view.d};
  const std::u16string_view label = Text(view.chinese, u"USB Report Rate", u"USB报告率");
  if (view.reportRateCollapsed) {
    canvas.DrawSkinImage("reportrate_Close.png", p.x, p.y);
    canvas.DrawSkinText(label, p.x, p.y, kLabelTextColour, kLabelHeight);
    reportRate_.SetVisible(false);
    return;
  }
  canvas.DrawSkinImage("reportrate_Open.png", p.x, p.y);
  canvas.DrawSkinText(label, p.x, p.y, kLabelTextColour, kLabelHeight);
  if (p.y != placedTop_) {
    reportRate_.Place(28, p.y + 23);
    placedTop_ = p.y;
  }
  // Shown before its strip is drawn: a slider hidden by an earlier fold would otherwise neither
  // draw nor hand its position over on the first pass after unfolding.
  reportRate_.SetVisible(true);
  DrawSliderStrip(canvas, reportRate_, block);
}

void PerformanceSections::PaintResponseList(Canvas& canvas, const PerformanceView& view,
                                            CBitSlider& speed, CBitSlider& brightness) const {
  speed.SetVisible(false);
  brightness.SetVisible(false);
  const int top = ResponseListTop(view.a);
  for (int i = 0; i < kResponseListRows; ++i) {
    const int y = top + kResponseRowHeight * i;
    const Rgb fill = i == view.responseRowHover ? kListRowHoverColour : kListRowColour;
    canvas.FillSolid(kResponseListLeft, y, kResponseListWidth, kResponseRowHeight, fill);
    canvas.DrawSkinText(ResponseRowLabel(i), 97, y, kAccentTextColour, 18);
  }
}

}  // namespace tarsel
