#include "app/main_content.h"

#include <thread>
#include <utility>

#include "app/keyboard_view.h"
#include "app/main_hit_test.h"
#include "app/main_window.h"
#include "lighting/color_view.h"
#include "lighting/effects.h"

namespace tarsel {

namespace {

uint8_t KeyOrNone(int k) {
  return k < 0 ? kNoKey : static_cast<uint8_t>(k);
}

}  // namespace

MainContent::MainContent(CVelkanDlg& dlg, MacroLibrary& library, MainWindowDialogs& dialogs,
                         Pause pause)
    : dlg_(dlg),
      library_(library),
      dialogs_(dialogs),
      pause_(std::move(pause)),
      performance_(dlg.reportRateSlider()) {
  if (!pause_) pause_ = [](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); };
}

LightingSectionView MainContent::LightingView() {
  const MainWindowState& s = dlg_.state();
  return {dlg_.language() == Language::Chinese, s.lightingCollapsed, s.effectListOpen,
          s.colorEditView, s.effectRowHover};
}

PerformanceView MainContent::PerformanceViewState() {
  const MainWindowState& s = dlg_.state();
  return {dlg_.language() == Language::Chinese,
          s.gameModeCollapsed,
          s.responseTimeCollapsed,
          s.reportRateCollapsed,
          s.layout.a,
          s.layout.d,
          s.responseRowHover};
}

LightingSliders MainContent::Sliders() {
  return {dlg_.speedSlider(), dlg_.brightnessSlider()};
}

int MainContent::HitTest(int x, int y) {
  return MainHitTest(dlg_.state(), dlg_.config().block.effect, x, y);
}

void MainContent::PaintKeyboardOverlay(Canvas& canvas) {
  MainWindowState& s = dlg_.state();
  if (!s.colorEditView) {
    PaintKeyAssignmentView(canvas, s);
  } else {
    // Draws nothing unless a DIY effect is the current one.
    PaintColorView(canvas, dlg_.config().block, s.hoveredKey);
  }
}

void MainContent::PaintLightingSection(Canvas& canvas) {
  tarsel::PaintLightingSection(canvas, dlg_.config().block, LightingView(), Sliders());
}

void MainContent::PaintPerformanceSections(Canvas& canvas) {
  performance_.Paint(canvas, dlg_.config().block, PerformanceViewState());
}

void MainContent::PaintDropDown(Canvas& canvas) {
  const MainWindowState& s = dlg_.state();
  if (s.effectListOpen) {
    PaintEffectList(canvas, LightingView(), Sliders());
  } else if (s.responseListOpen) {
    performance_.PaintResponseList(canvas, PerformanceViewState(), dlg_.speedSlider(),
                                   dlg_.brightnessSlider());
  }
}

void MainContent::OnClick(int x, int y) {
  MainWindowState& s = dlg_.state();
  DeviceStateBlock& block = dlg_.config().block;
  // An open pop-up takes the click, whatever it hits, and the click ends there.
  if (s.effectListOpen) {
    if (const auto code = ClickEffectList(block, x, y)) {
      s.colorEditView = IsPerKeyEffect(*code);
      dlg_.speedSlider().SetVisible(true);
    }
    s.effectListOpen = false;
    s.effectRowHover = kNoRow;
    return;
  }
  if (s.responseListOpen) {
    ClickResponseList(block, s.layout.a, x, y);
    s.responseListOpen = false;
    s.responseRowHover = kNoRow;
    return;
  }
  if (s.helpPanelOpen) {
    dlg_.ClickHelpPanel(x, y);
    return;
  }
  ActOnRegion(HitTest(x, y));
  ClickKey(x, y);
}

void MainContent::ActOnRegion(int region) {
  MainWindowState& s = dlg_.state();
  DeviceStateBlock& block = dlg_.config().block;
  switch (region) {
    case kRegionHelp:
      s.helpPanelOpen = !s.helpPanelOpen;
      break;
    case kRegionMinimise:
      dlg_.HideWindow();
      break;
    case kRegionClose:
      dlg_.CloseFromButton();
      break;
    case kRegionEffectSelector:
      if (!s.lightingCollapsed) {
        s.effectListOpen = true;
        // The list covers both sliders.
        dlg_.speedSlider().SetVisible(false);
        dlg_.brightnessSlider().SetVisible(false);
      }
      break;
    case kRegionDirection1:
    case kRegionDirection2:
    case kRegionDirection3:
    case kRegionDirection4:
      block.direction = DirectionForButton(block.effect, region - kRegionDirection1);
      break;
    case kRegionMacroManagement:
      MacroManagerFlow();
      break;
    case kRegionGameModeOn:
      ApplyGameModeClick(block, GameModeClick::GameModeOn);
      break;
    case kRegionGameModeOff:
      ApplyGameModeClick(block, GameModeClick::GameModeOff);
      break;
    case kRegionWinLockOn:
      ApplyGameModeClick(block, GameModeClick::WinLockOn);
      break;
    case kRegionWinLockOff:
      ApplyGameModeClick(block, GameModeClick::WinLockOff);
      break;
    case kRegionResponseTime:
      s.responseListOpen = true;
      break;
    case kRegionProfile:
      ProfileFlow();
      break;
    case kRegionDefault:
      FactorySettingFlow();
      break;
    case kRegionCancel:
      CancelFlow();
      break;
    case kRegionSave:
      SaveFlow();
      break;
    case kRegionLightingHeader:
      s.lightingCollapsed = !s.lightingCollapsed;
      break;
    case kRegionGameModeHeader:
      s.gameModeCollapsed = !s.gameModeCollapsed;
      break;
    case kRegionResponseTimeHeader:
      s.responseTimeCollapsed = !s.responseTimeCollapsed;
      break;
    case kRegionReportRateHeader:
      s.reportRateCollapsed = !s.reportRateCollapsed;
      break;
    case kRegionKeymapView:
      s.colorEditView = false;
      break;
    case kRegionDiyView:
      s.colorEditView = true;
      break;
    default:
      if (region >= kRegionSwatchFirst && region < kRegionSwatchFirst + 8) {
        ClickSwatch(region - kRegionSwatchFirst + 1);
      }
      break;
  }
  s.Relayout();
}

void MainContent::ClickSwatch(int swatch) {
  MainWindowState& s = dlg_.state();
  DeviceStateBlock& block = dlg_.config().block;
  if (s.lightingCollapsed) return;
  switch (ClassifySwatchClick(block.effect, block.colorChoice, swatch)) {
    case SwatchClick::Nothing:
      return;
    case SwatchClick::EditColour:
      if (const auto colour = dlg_.services().dialogs.ChooseColour(&dlg_.host(), Rgb{})) {
        block.palette[static_cast<std::size_t>(swatch - 1)] = {colour->r, colour->g, colour->b};
      }
      break;
    case SwatchClick::Select:
      break;
  }
  block.colorChoice = static_cast<uint8_t>(swatch);
}

void MainContent::ClickKey(int x, int y) {
  MainWindowState& s = dlg_.state();
  s.hoveredKey = KeyOrNone(KeyHitTest(x, y, s.colorEditView));
  if (s.hoveredKey == kNoKey) return;
  if (s.colorEditView) {
    ColourKey(s.hoveredKey);
  } else {
    AssignKey(s.hoveredKey);
  }
}

void MainContent::ColourKey(uint8_t k) {
  DeviceStateBlock& block = dlg_.config().block;
  const std::optional<std::size_t> layout = ColorLayoutOf(block.effect);
  if (!layout) return;
  const std::optional<Rgb> colour = dlg_.services().dialogs.ChooseColour(&dlg_.host(), Rgb{});
  if (!colour) return;
  // Kept in memory until Save.
  SetKeyColor(block, *layout, k, *colour);
}

bool MainContent::OnHover(int x, int y) {
  MainWindowState& s = dlg_.state();
  bool repaint = false;
  const int region = HitTest(x, y);
  if (s.effectListOpen) {
    const auto row = EffectListRowAt(x, y);
    s.effectRowHover = row ? static_cast<uint8_t>(*row) : kNoRow;
  } else if (s.responseListOpen) {
    const auto row = ResponseListRowAt(s.layout.a, x, y);
    s.responseRowHover = row ? static_cast<uint8_t>(*row) : kNoRow;
  } else if (region != kRegionNone) {
    s.lastRegion = region;
  } else if (s.lastRegion != kRegionNone) {
    s.lastRegion = kRegionNone;
    repaint = true;
  }

  const uint8_t key = KeyOrNone(KeyHitTest(x, y, s.colorEditView));
  s.hoveredKey = key;
  if (key != lastMoveKey_) {
    repaint = true;
  } else if (key == kNoKey && (region != kRegionNone || s.effectRowHover != kNoRow ||
                               s.responseRowHover != kNoRow)) {
    repaint = true;
  }
  lastMoveKey_ = key;
  return repaint;
}

bool MainContent::IsDragArea(int x, int y) {
  const MainWindowState& s = dlg_.state();
  return !s.effectListOpen && !s.responseListOpen && HitTest(x, y) == kRegionNone &&
         KeyHitTest(x, y, s.colorEditView) < 0;
}

void MainContent::OnConfigurationReplaced() {
  RecomputeKeyChanged(dlg_.config(), dlg_.state().keyChanged);
}

}  // namespace tarsel
