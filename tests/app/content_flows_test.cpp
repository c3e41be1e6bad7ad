// The flows of the bottom buttons, the close button and the macro and profile dialogs.
#include <gtest/gtest.h>

#include "content_fixture.h"
#include "platform/messages.h"

namespace tarsel::testing {
namespace {

constexpr Point kSave{950, 620};
constexpr Point kCancel{890, 620};
constexpr Point kDefault{830, 620};
constexpr Point kProfile{50, 620};
constexpr Point kMacro{100, 350};

class ContentFlowTest : public ContentTest {
 protected:
  void SetUp() override { Start(); }
  void Click(Point p) { host.Click(p.x, p.y); }
  // Unsaved edits of the lighting, a slider and a key record.
  void Edit() {
    host.Click(100, 165);
    host.Click(100, 173 + 2 * 20 + 5);  // Wave
    dlg.brightnessSlider().SetPos(45);  // as a drag would, through WM_SLIDER_CHANGED
    config->store.records[5].kind = KindMacro;
    host.Repaint();
    ASSERT_EQ(block().brightness, 45);
  }
};

TEST_F(ContentFlowTest, SaveWritesTheChangesUnderTheWaitCursorAndKeepsThem) {
  Edit();
  host.cursors.clear();
  Click(kSave);
  EXPECT_EQ(device.calls, std::vector<std::string>{"WriteChanges"});
  ASSERT_TRUE(device.written);
  EXPECT_EQ(device.written->effect, 3);
  EXPECT_EQ(device.written->brightness, 45);
  EXPECT_EQ(host.cursors, (std::vector<CursorShape>{CursorShape::Wait, CursorShape::Arrow}));
  EXPECT_EQ(config->savedBlock.effect, 3);
  EXPECT_EQ(config->savedStore.records[5].kind, KindMacro);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Live));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ContentFlowTest, SaveThatTheKeyboardDidNotConfirmSaysSoAndKeepsTheSavedCopy) {
  device.writeConfirmed = false;
  Edit();
  Click(kSave);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, u"Save");
  EXPECT_NE(dialogs.shown[0].text.find(u"did not confirm"), std::u16string::npos);
  EXPECT_EQ(config->savedBlock.effect, 1);  // the next Save sends the lighting again
  EXPECT_EQ(config->savedStore.records[5].kind, KindSingle);
  // The edits themselves are kept, in memory and in keymap.bin.
  EXPECT_EQ(block().effect, 3);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Live));
  EXPECT_EQ(host.cursors.back(), CursorShape::Arrow);
}

class ChineseContentFlowTest : public ContentFlowTest {
 protected:
  void SetUp() override {
    settings.values["Language"] = "chinese";
    Start();
  }
};

TEST_F(ChineseContentFlowTest, UnconfirmedSaveAndDefaultSpeakChinese) {
  device.writeConfirmed = false;
  Click(kSave);
  device.restoreConfirmed = false;
  dialogs.answers = {MessageBoxResult::Cancel, MessageBoxResult::Ok};
  Click(kDefault);
  Click(kDefault);
  ASSERT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(dialogs.shown[0].caption, u"保存");
  EXPECT_NE(dialogs.shown[0].text.find(u"键盘没有确认"), std::u16string::npos);
  EXPECT_EQ(dialogs.shown[1].text, u"确认恢复至出厂设置吗？");
  EXPECT_EQ(dialogs.shown[1].caption, u"出厂设置");
  EXPECT_EQ(dialogs.shown[3].caption, u"出厂设置");
  EXPECT_NE(dialogs.shown[3].text.find(u"键盘没有确认"), std::u16string::npos);
}

TEST_F(ContentFlowTest, CancelHidesAndRevertsUnsavedEditsWithoutTheKeyboard) {
  host.Show(ShowState::Normal);
  Edit();
  Click(kCancel);
  EXPECT_EQ(host.state, ShowState::Hidden);
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(block().effect, 1);
  EXPECT_EQ(config->store.records[5].kind, KindSingle);
  // The brightness slider went back too, so painting does not bring the edit back.
  host.Repaint();
  EXPECT_EQ(block().brightness, 30);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Saved));
  EXPECT_FALSE(state().keyChanged[5]);
}

TEST_F(ContentFlowTest, CancelSetsTheViewFromTheSavedEffect) {
  block().effect = 52;
  Click(kSave);
  host.Click(100, 165);
  host.Click(100, 173 + 5);  // Static, unsaved
  EXPECT_FALSE(state().colorEditView);
  Click(kCancel);
  EXPECT_EQ(block().effect, 52);
  EXPECT_TRUE(state().colorEditView);
}

TEST_F(ContentFlowTest, CloseButtonWritesTheSavedPairAndEnds) {
  Edit();
  Click({990, 10});
  EXPECT_EQ(host.endResult, kDialogOk);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Saved));
  EXPECT_NE(Serialized(KeymapSource::Saved), Serialized(KeymapSource::Live));
}

TEST_F(ContentFlowTest, DefaultAsksFirst) {
  Edit();
  Click(kDefault);  // unanswered box: Cancel
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, u"Confirm to return Factory Setting?");
  EXPECT_EQ(dialogs.shown[0].caption, u"Factory Setting");
  EXPECT_EQ(dialogs.shown[0].buttons, MessageBoxButtons::OkCancel);
  EXPECT_TRUE(device.calls.empty());
  EXPECT_FALSE(state().lightingCollapsed);
}

TEST_F(ContentFlowTest, DefaultRestoresReadsBackAndStoresTheFactoryState) {
  Edit();
  state().colorEditView = true;
  state().keyChanged[5] = true;
  device.factoryBlock = config->savedBlock;  // the factory state the window started from
  device.factoryBlock.brightness = 50;
  std::array<uint8_t, kKeyEnableSize> enable{};
  enable.fill(0xFF);
  enable[2] = 0x7F;
  device.keyEnableRead = enable;
  dialogs.answers.push_back(MessageBoxResult::Ok);

  Click(kDefault);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"RestoreFactorySettings", "ReadKeyEnable"}));
  EXPECT_FALSE(state().colorEditView);
  EXPECT_TRUE(state().lightingCollapsed && state().gameModeCollapsed &&
              state().responseTimeCollapsed && state().reportRateCollapsed);
  EXPECT_EQ(dlg.brightnessSlider().GetPos(), 50);
  EXPECT_FALSE(state().keyChanged[5]);
  EXPECT_EQ(block().keyEnable[2], 0x7F);
  EXPECT_EQ(config->store.records[5].kind, KindSingle);
  EXPECT_EQ(config->store.records[0].keyCode, KeyTable[0].defaultKeyCode);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Live));
  EXPECT_EQ(Serialized(KeymapSource::Saved), Serialized(KeymapSource::Live));
  EXPECT_EQ(host.cursors.back(), CursorShape::Arrow);
}

TEST_F(ContentFlowTest, DefaultThatTheKeyboardDidNotConfirmKeepsTheSavedState) {
  Click(kSave);
  Edit();
  const std::vector<uint8_t> before = KeymapBytes();
  device.restoreConfirmed = false;
  dialogs.answers.push_back(MessageBoxResult::Ok);
  Click(kDefault);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].caption, u"Factory Setting");
  EXPECT_EQ(config->store.records[5].kind, KindMacro);
  EXPECT_EQ(config->savedBlock.effect, 1);
  EXPECT_EQ(KeymapBytes(), before);
  EXPECT_EQ(host.cursors.back(), CursorShape::Arrow);
}

TEST_F(ContentFlowTest, MacroManagerOkPacksSlotsAndWritesBothFiles) {
  std::filesystem::remove(folder.path() / kMacroFileName);
  Click(kMacro);  // cancelled
  EXPECT_EQ(mainDialogs.macroRuns, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / kMacroFileName));

  mainDialogs.macroOk = true;
  mainDialogs.onMacroManager = [this] {
    library->records[0].SetName(u"Combo");
    library->records[0].SetLoopCount(0x0102);
    library->records[0].deviceEvents[0] = 0x04;
  };
  Click(kMacro);
  EXPECT_EQ(block().macroSlots[0][0], 0x01);  // loop count, high byte first
  EXPECT_EQ(block().macroSlots[0][1], 0x02);
  EXPECT_EQ(block().macroSlots[0][2], 0x04);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Live));
  EXPECT_EQ(ReadAll(folder.path() / kMacroFileName).size(), sizeof(MacroLibrary));
  EXPECT_TRUE(device.calls.empty());  // nothing reaches the keyboard before Save
}

TEST_F(ContentFlowTest, ProfileRunsTheManagerThenRefreshesWithoutTheLightingReread) {
  Click(kProfile);
  ASSERT_EQ(mainDialogs.profileRects.size(), 1u);
  EXPECT_EQ(mainDialogs.profileRects[0], host.ScreenRect());
  EXPECT_EQ(pauses, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(50)});
  EXPECT_EQ(device.calls, (std::vector<std::string>{"TakeDeviceState", "ReadReportRate"}));
}

}  // namespace
}  // namespace tarsel::testing
