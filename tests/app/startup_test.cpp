#include <gtest/gtest.h>

#include "app/basic_main_content.h"
#include "app/velkan_app.h"
#include "config/keymap_file.h"
#include "main_window_fixture.h"
#include "platform/messages.h"

namespace tarsel::testing {
namespace {

TEST_F(MainWindowTest, KeymapIsInTheBlockBeforeTheKeyboardIsRead) {
  // A keymap.bin from an earlier run, with values the keyboard will later overwrite.
  auto saved = std::make_unique<Configuration>();
  saved->block.brightness = 33;
  saved->block.effect = 5;
  WriteAll(Keymap(), SerializeKeymap(saved->block, saved->store));

  bool checked = false;
  device.onStartInitialRead = [&] {
    checked = true;
    EXPECT_EQ(config->block.brightness, 33);
    EXPECT_EQ(config->savedBlock.effect, 5) << "saved copy taken before the read starts";
    EXPECT_FALSE(tray.present) << "the tray icon comes last";
  };
  Start();
  ASSERT_TRUE(checked);
  EXPECT_EQ(device.calls,
            (std::vector<std::string>{"OpenAndStartInitialRead", "OpenAndStartListener"}));
  EXPECT_TRUE(tray.present);
  EXPECT_EQ(tray.tip, u"Tarsel Gaming Keyboard");
  EXPECT_EQ(host.title, u"Tarsel Gaming Keyboard");
  EXPECT_EQ(host.state, ShowState::Normal);
  EXPECT_EQ(host.clientSize, (Size{1000, 645}));
  EXPECT_EQ(dlg.brightnessSlider().RangeMax(), 50);
  EXPECT_EQ(dlg.speedSlider().RangeMax(), 9);
  EXPECT_EQ(dlg.reportRateSlider().RangeMax(), 3);
  EXPECT_EQ(dlg.reportRateSlider().ControlId(), kReportRateSliderId);
  EXPECT_TRUE(dialogs.shown.empty());

  // The sliders show the loaded values, so painting keeps them in the block.
  EXPECT_EQ(dlg.brightnessSlider().GetPos(), 33);
  host.Repaint();
  EXPECT_EQ(config->block.brightness, 33);
}

TEST_F(MainWindowTest, MissingKeymapIsCreated) {
  Start();
  EXPECT_EQ(ReadAll(Keymap()).size(), 206920u);
}

TEST_F(MainWindowTest, WithoutKeyboardTheWindowStaysHiddenBehindTheTray) {
  device.present = false;
  Start();
  EXPECT_EQ(host.state, ShowState::Hidden);
  EXPECT_TRUE(tray.present);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, WithoutKeyboardOrTrayTheWindowShowsAndSaysWhy) {
  device.present = false;
  tray.available = false;
  Start();
  EXPECT_EQ(host.state, ShowState::Normal);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, u"No Gaming Keyboard Detected!");
  // The minimise button cannot hide a window nothing could bring back.
  host.Click(965, 10);
  EXPECT_EQ(host.state, ShowState::Minimised);
}

TEST_F(MainWindowTest, FailedDeviceWatchIsReportedAndStartUpGoesOn) {
  deviceChanges.works = false;
  Start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, u"Cannot register for Wdm2 class device notification");
  EXPECT_EQ(host.state, ShowState::Normal);
}

TEST_F(MainWindowTest, DeviceChangesReachTheSessionOnTheUiThread) {
  Start();
  ASSERT_TRUE(deviceChanges.handler);
  deviceChanges.handler(DeviceChange::Removal);
  deviceChanges.handler(DeviceChange::Arrival);
  EXPECT_EQ(device.calls.size(), 2u) << "posted, not run on the watch's thread";
  host.PumpAll();
  EXPECT_EQ(device.calls.back(), "Arrival");
  EXPECT_EQ(device.calls[device.calls.size() - 2], "Removal");
}

TEST_F(MainWindowTest, ShutdownRemovesTrayStopsWatchAndSession) {
  Start();
  dlg.OnDestroy();
  EXPECT_FALSE(tray.present);
  EXPECT_EQ(deviceChanges.stopped, 1);
  EXPECT_EQ(device.calls.back(), "Shutdown");
}

TEST_F(MainWindowTest, LanguageSelectsTextsAndSkinFolder) {
  struct Case {
    const char* value;  // nullptr: no value stored
    Language expected;
  } cases[] = {{nullptr, Language::English},    {"chinese", Language::Chinese},
               {"Chinese", Language::English},  {"CHINESE", Language::English},
               {"chinese ", Language::English}, {"english", Language::English}};
  for (const Case& c : cases) {
    FakeSettings s;
    if (c.value) s.values["Language"] = c.value;
    EXPECT_EQ(ReadLanguage(s), c.expected) << (c.value ? c.value : "(none)");
  }
  EXPECT_EQ(SkinFolder("/opt/t/", Language::Chinese), "/opt/t/png/chinese/");
  EXPECT_EQ(SkinFolder("/opt/t/", Language::English), "/opt/t/png/english/");

  settings.values["Language"] = "chinese";
  Start();
  EXPECT_EQ(dlg.Skin().folder, (folder.path() / "png/chinese/").string());
  EXPECT_EQ(dlg.Skin().background, "main.png");
  host.Repaint();
  EXPECT_NE(host.lastFrame.FindText(u"保存"), nullptr);
  EXPECT_EQ(host.lastFrame.FindText(u"Save"), nullptr);
}

TEST(VelkanApp, SecondLaunchHandsOverAndShowsNothing) {
  TempFolder folder;
  FakeWindowFactory windows;
  FakeServices fakes;
  FakeKeyboardSession device;
  AppServices services = fakes.With(windows, device, folder.path());
  FakeInstanceGuard& guard = fakes.guard;

  guard.first = false;
  CVelkanApp second(services);
  EXPECT_FALSE(second.InitInstance());
  EXPECT_TRUE(second.WasSecondInstance());
  EXPECT_EQ(windows.last, nullptr);
  EXPECT_TRUE(device.calls.empty());

  // The first instance raises its window when a later launch asks, even while hidden.
  guard.first = true;
  device.present = false;
  int raised = 0;
  device.onStartInitialRead = [&] {
    guard.activate();
    raised = windows.last->broughtToFront;
  };
  CVelkanApp first(services);
  EXPECT_FALSE(first.InitInstance());
  EXPECT_EQ(guard.claimedName, " {57D1171D-1a34-0804-8A3A-65ABA2150010}");
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(device.calls.back(), "Shutdown");
}

}  // namespace
}  // namespace tarsel::testing
