#include <gtest/gtest.h>

#include <array>

#include "app/firmware_version.h"
#include "config/keymap_file.h"
#include "main_window_fixture.h"
#include "platform/messages.h"

namespace tarsel::testing {
namespace {

std::vector<uint8_t> VerBin(uint8_t major, uint8_t minor) {
  std::vector<uint8_t> bytes(12, 'x');
  bytes[5] = major;
  bytes[7] = minor;
  return bytes;
}

TEST(FirmwareVersionFile, ReadsDigitsAtBytesFiveAndSeven) {
  struct Case {
    std::vector<uint8_t> bytes;
    FirmwareVersion expected;
  } cases[] = {
      {VerBin('3', '7'), {3, 7}},
      {VerBin('9', '0'), {9, 0}},
      {{'V', 'E', 'R', ':', ' ', '2', '.', '1'}, {2, 1}},  // 8 bytes are enough
      {{'V', 'E', 'R', ':', ' ', '2', '.'}, {0, 0}},       // too short for the minor digit
      {{}, {0, 0}},
      {VerBin(' ', '1'), {0, 0}},  // not a digit: no version rather than a wrapped 240
      {VerBin('1', 0xFF), {0, 0}},
  };
  for (const Case& c : cases) {
    const FirmwareVersion v = ParseVersionBytes(c.bytes);
    EXPECT_EQ(v, c.expected) << "bytes " << c.bytes.size();
  }
  TempFolder folder;
  EXPECT_EQ(ReadVersionFile(folder.path()), (FirmwareVersion{0, 0}));
  WriteAll(folder.path() / "VER.bin", VerBin('3', '7'));
  EXPECT_EQ(ReadVersionFile(folder.path()), (FirmwareVersion{3, 7}));
}

TEST_F(MainWindowTest, FirmwarePromptWhenPackageIsNewer) {
  struct Case {
    FirmwareVersion package, keyboard;
    bool prompt;
  } cases[] = {
      {{2, 0}, {1, 9}, true},  {{1, 3}, {1, 3}, false}, {{1, 2}, {1, 3}, false},
      {{1, 4}, {2, 0}, false}, {{1, 4}, {1, 3}, true},  {{0, 0}, {0, 0}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackageIsNewer(c.package, c.keyboard), c.prompt);
  }

  WriteAll(folder.path() / "VER.bin", VerBin('2', '0'));
  Start();
  device.firmware = {1, 9, 0, 0};
  dialogs.answers = {MessageBoxResult::Cancel, MessageBoxResult::Ok};
  host.Messages().Send(WM_DEVICE_STATE_READY, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, u"Update new firmware\uFF1F");
  EXPECT_EQ(dialogs.shown[0].caption, u"Firmware Update");
  EXPECT_EQ(dialogs.shown[0].buttons, MessageBoxButtons::OkCancel);
  EXPECT_TRUE(launcher.started.empty()) << "declined";

  // Declining is not remembered: the next full read asks again.
  host.Messages().Send(WM_DEVICE_STATE_READY, 0, 0);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], folder.path() / "Tarsel_Update.exe");

  // A refresh after the profile dialog neither re-reads the lighting nor asks.
  device.calls.clear();
  host.Messages().Send(WM_DEVICE_STATE_READY, 0, 1);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"TakeDeviceState", "ReadReportRate"}));
}

TEST_F(MainWindowTest, ChinesePromptTexts) {
  settings.values["Language"] = "chinese";
  WriteAll(folder.path() / "VER.bin", VerBin('1', '5'));
  Start();
  device.firmware = {1, 4, 0, 0};
  host.Messages().Send(WM_DEVICE_STATE_READY, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, u"更新到新的固件吗？");
  EXPECT_EQ(dialogs.shown[0].caption, u"固件更新");
}

TEST_F(MainWindowTest, DeviceStateReadyTakesTheReadSetsSlidersAndWritesKeymap) {
  Start();
  DeviceStateBlock read{};
  read.brightness = 40;
  read.speed = 6;
  read.reportRate = 0;
  device.readBlock = read;
  device.reportRate = 2;  // the report rate is read separately
  const int paints = host.paintCount;
  host.Messages().Send(WM_DEVICE_STATE_READY, 0, 0);

  EXPECT_EQ(device.calls.back(), "ReadLighting");
  EXPECT_EQ(dlg.brightnessSlider().GetPos(), 40);
  EXPECT_EQ(dlg.speedSlider().GetPos(), 6);
  EXPECT_EQ(dlg.reportRateSlider().GetPos(), 2);
  EXPECT_GT(host.paintCount, paints);
  auto onDisk = std::make_unique<Configuration>();
  ParseKeymapBytes(ReadAll(Keymap()), onDisk->block, onDisk->store, false);
  EXPECT_EQ(onDisk->block.brightness, 40);
  EXPECT_EQ(onDisk->block.reportRate, 2);
}

}  // namespace
}  // namespace tarsel::testing
