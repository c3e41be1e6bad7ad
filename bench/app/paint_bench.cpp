// A full paint pass of the main window with the picture cache, beside the same pass decoding every
// picture from disk again (what a cache-less pass costs).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "adapters/qt/skin_folder_fixture.h"
#include "app/app_services.h"
#include "app/main_window.h"
#include "fakes/fake_keyboard_session.h"
#include "fakes/fake_services.h"
#include "qt_window_host.h"

namespace tarsel {
namespace {

struct MainWindowRig {
  testing::ProgramFolderWithSkins folder;
  testing::FakeDialogs dialogs;
  testing::FakeTray tray;
  testing::FakeShell shell;
  testing::FakeLauncher launcher;
  testing::FakeSettings settings;
  testing::FakeInstanceGuard guard;
  testing::FakeDeviceChangeSource changes;
  testing::FakeKeyboardSession device;
  QtWindowFactory windows;
  AppServices services{windows,  dialogs, tray,    shell,  launcher,
                       settings, guard,   changes, device, folder.path()};
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  CVelkanDlg dlg{services, *config};
  std::unique_ptr<QtWindowHost> host;

  explicit MainWindowRig(PictureCache& pictures) {
    host = std::make_unique<QtWindowHost>(dlg, pictures, nullptr);
    dlg.Attach(*host);
    dlg.OnInitDialog();
    dlg.state().helpPanelOpen = true;  // the busiest frame this window draws
  }
};

void BM_PaintPassCached(benchmark::State& state) {
  PictureCache cache;
  MainWindowRig rig(cache);
  rig.host->Compose();  // warm
  for (auto _ : state) benchmark::DoNotOptimize(rig.host->Compose());
}
BENCHMARK(BM_PaintPassCached)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_PaintPassDecodingEveryPicture(benchmark::State& state) {
  PictureCache setup;
  MainWindowRig rig(setup);
  for (auto _ : state) {
    PictureCache fresh;  // nothing kept between passes
    QtWindowHost host(rig.dlg, fresh, nullptr);
    benchmark::DoNotOptimize(host.Compose());
  }
}
BENCHMARK(BM_PaintPassDecodingEveryPicture)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace tarsel

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
