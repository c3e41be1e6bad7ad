// A full paint pass of the main window with the picture cache, beside the same pass decoding every
// picture from disk again (what a cache-less pass costs), for the frames the window draws most:
// the bare window with its help panel, and the window with its full content in the key-assignment
// view, in the colour view and with the effect list open.
//
// After the table, one line per frame gives the two medians, their ratio and whether the goals
// hold (median at most 1 ms with the cache, at least 10 times faster than decoding every pass).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapters/qt/skin_folder_fixture.h"
#include "app/app_services.h"
#include "app/main_content_setup.h"
#include "app/main_dialogs.h"
#include "app/main_window.h"
#include "config/configuration.h"
#include "config/key_table.h"
#include "fakes/factory_configuration.h"
#include "fakes/fake_app_services.h"
#include "fakes/fake_keyboard_session.h"
#include "lighting/color_view.h"
#include "lighting/effects.h"
#include "macro/macro_library.h"
#include "qt_window_host.h"

namespace tarsel {
namespace {

constexpr double kGoalMedianUs = 1000.0;
constexpr double kGoalSpeedUp = 10.0;

// Effect list geometry: the selector, and the first row's top (rows are 20 pixels).
constexpr Point kEffectSelector{100, 165};
constexpr int kEffectRowTop = 173;
constexpr int kEffectRowHeight = 20;
constexpr int kDiy1Row = 11;

struct MainWindowRig : testing::FakeServices {
  testing::ProgramFolderWithSkins folder;
  testing::FakeKeyboardSession device;
  QtWindowFactory windows;
  AppServices services = With(windows, device, folder.path());
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  std::unique_ptr<MacroLibrary> library = std::make_unique<MacroLibrary>();
  CancellingMainWindowDialogs mainDialogs;
  CVelkanDlg dlg{services, *config};
  std::unique_ptr<QtWindowHost> host;

  MainWindowRig(PictureCache& pictures, bool fullContent) {
    if (fullContent) InstallMainContent(dlg, *library, mainDialogs);
    host = std::make_unique<QtWindowHost>(dlg, pictures, nullptr);
    dlg.Attach(*host);
    dlg.OnInitDialog();
  }

  void Click(Point p) {
    dlg.OnMouseDown(MouseButton::Left, p.x, p.y);
    dlg.OnMouseUp(MouseButton::Left, p.x, p.y);
  }
};

// What a keyboard in its factory state shows, as the initial read would leave it.
void LoadFactoryKeyboard(CVelkanDlg& dlg) {
  testing::MakeFactoryConfiguration(dlg.config());
  dlg.SetSlidersFromBlock();
}

// The frames measured. Each puts the window in its state once; the passes then repeat it.
struct Frame {
  const char* name;
  bool fullContent;
  std::function<void(MainWindowRig&)> setUp;
};

const std::vector<Frame>& Frames() {
  static const std::vector<Frame> frames = {
      {"HelpPanel", false, [](MainWindowRig& rig) { rig.dlg.state().helpPanelOpen = true; }},
      // Every key marked as having its own function and one under the pointer: the most
      // highlights this view draws.
      {"KeyAssignmentView", true,
       [](MainWindowRig& rig) {
         LoadFactoryKeyboard(rig.dlg);
         rig.dlg.state().keyChanged.fill(true);
         rig.dlg.OnMouseMove(307 + 30, 211 + 30, false);
       }},
      // DIY1 picked from the effect list, every key coloured, one key under the pointer.
      {"ColourView", true,
       [](MainWindowRig& rig) {
         LoadFactoryKeyboard(rig.dlg);
         rig.Click(kEffectSelector);
         rig.Click({kEffectSelector.x, kEffectRowTop + kDiy1Row * kEffectRowHeight + 10});
         DeviceStateBlock& block = rig.dlg.config().block;
         for (std::size_t k = 0; k < kKeyCount; ++k) {
           SetKeyColor(block, 0, k,
                       {static_cast<uint8_t>(40 + 2 * k), 200, static_cast<uint8_t>(255 - 2 * k)});
         }
         rig.dlg.OnMouseMove(307 + 30, 211 + 30, false);
       }},
      // The effect list open with the pointer over a row.
      {"EffectListOpen", true,
       [](MainWindowRig& rig) {
         LoadFactoryKeyboard(rig.dlg);
         rig.Click(kEffectSelector);
         rig.dlg.OnMouseMove(kEffectSelector.x, kEffectRowTop + 3 * kEffectRowHeight + 5, false);
       }},
  };
  return frames;
}

void PaintCached(benchmark::State& state, const Frame& frame) {
  PictureCache cache;
  MainWindowRig rig(cache, frame.fullContent);
  frame.setUp(rig);
  rig.host->Compose();  // warm
  for (auto _ : state) benchmark::DoNotOptimize(rig.host->Compose());
}

void PaintDecodingEveryPicture(benchmark::State& state, const Frame& frame) {
  PictureCache setup;
  MainWindowRig rig(setup, frame.fullContent);
  frame.setUp(rig);
  for (auto _ : state) {
    PictureCache fresh;  // nothing kept between passes
    QtWindowHost host(rig.dlg, fresh, nullptr);
    benchmark::DoNotOptimize(host.Compose());
  }
}

// The console table as usual, and the medians kept for the summary.
class SummaryReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      if (run.error_occurred) continue;
      // Times are reported in microseconds (every benchmark here asks for them).
      medianUs_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }

  // Returns false when a goal is missed.
  bool PrintSummary() const {
    bool met = true;
    std::printf("\nMedians (real time):\n");
    for (const Frame& frame : Frames()) {
      const auto cached = medianUs_.find(Name("PaintCached", frame));
      const auto decoding = medianUs_.find(Name("PaintDecodingEveryPicture", frame));
      if (cached == medianUs_.end() || decoding == medianUs_.end()) continue;
      const double ratio = decoding->second / cached->second;
      const bool ok = cached->second <= kGoalMedianUs && ratio >= kGoalSpeedUp;
      met = met && ok;
      std::printf("  %-18s cached %8.1f us, decoding every picture %9.1f us, %5.1fx  %s\n",
                  frame.name, cached->second, decoding->second, ratio,
                  ok ? "ok" : "GOAL MISSED (<= 1000 us and >= 10x)");
    }
    return met;
  }

  static std::string Name(const char* variant, const Frame& frame) {
    return std::string(variant) + "/" + frame.name;
  }

 private:
  std::map<std::string, double> medianUs_;
};

void RegisterAll() {
  for (const Frame& frame : Frames()) {
    for (auto [variant, fn] :
         {std::pair{"PaintCached", &PaintCached},
          std::pair{"PaintDecodingEveryPicture", &PaintDecodingEveryPicture}}) {
      benchmark::RegisterBenchmark(SummaryReporter::Name(variant, frame).c_str(), fn, frame)
          ->Unit(benchmark::kMicrosecond)
          ->UseRealTime()
          ->Repetitions(5)
          ->ReportAggregatesOnly();
    }
  }
}

}  // namespace
}  // namespace tarsel

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tarsel::RegisterAll();
  tarsel::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.PrintSummary() ? 0 : 1;
}
