// What a click does: the pop-up rule, the effect and response-time lists, the section headers,
// directions, swatches, game mode and the view switch.
#include <gtest/gtest.h>

#include "content_fixture.h"
#include "lighting/color_view.h"

namespace tarsel::testing {
namespace {

class ContentClickTest : public ContentTest {
 protected:
  void SetUp() override { Start(); }
  int ListRowY(int row) const { return 173 + 20 * row + 10; }
};

TEST_F(ContentClickTest, AClickThatClosesAPopUpDoesNothingElse) {
  const Point esc = KeyCentre(0);
  mainDialogs.assignment = PendingAssignment{};

  host.Click(940, 10);  // help
  ASSERT_TRUE(state().helpPanelOpen);
  host.Click(esc.x, esc.y);
  EXPECT_FALSE(state().helpPanelOpen);

  host.Click(100, 165);  // effect list
  ASSERT_TRUE(state().effectListOpen);
  host.Click(950, 620);  // on Save, outside the list
  EXPECT_FALSE(state().effectListOpen);

  host.Click(100, 480);  // response-time list
  ASSERT_TRUE(state().responseListOpen);
  host.Click(esc.x, esc.y);
  EXPECT_FALSE(state().responseListOpen);

  EXPECT_TRUE(mainDialogs.keyRequests.empty());
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(block().effect, 1);
  EXPECT_EQ(block().responseTime, 2);

  // With nothing open the same key click does reach the key.
  host.Click(esc.x, esc.y);
  EXPECT_EQ(mainDialogs.keyRequests.size(), 1u);
}

TEST_F(ContentClickTest, HelpPanelRows) {
  host.Click(940, 10);
  host.Click(900, 22 + 10);  // row 0: home page
  host.Click(940, 10);
  host.Click(900, 22 + 25 + 10);  // row 1: updater
  host.Click(940, 10);
  host.Click(900, 22 + 50 + 10);  // row 2: nothing
  EXPECT_EQ(launcher.urls.size(), 1u);
  EXPECT_EQ(launcher.started.size(), 1u);
  EXPECT_FALSE(state().helpPanelOpen);
}

TEST_F(ContentClickTest, EffectListPicksByRowAndTiesColourToTheEffect) {
  block().colorChoice = 3;
  host.Click(100, 165);
  EXPECT_FALSE(dlg.speedSlider().IsVisible());  // the list covers the sliders
  host.Click(100, ListRowY(2));                 // Wave
  EXPECT_EQ(block().effect, 3);
  EXPECT_EQ(block().colorChoice, 8);
  EXPECT_FALSE(state().colorEditView);
  for (const DrawCall& c : host.lastFrame.calls) {
    if (c.kind == DrawCall::Fill && c.y == 223) {
      EXPECT_EQ(c.colour, (Rgb{192, 192, 192}));
    }
  }

  host.Click(100, 165);
  host.Click(100, ListRowY(0));  // Static
  EXPECT_EQ(block().effect, 1);
  EXPECT_EQ(block().colorChoice, 1);

  host.Click(100, 165);
  host.Click(100, 492);  // last pixel row: DIY5
  EXPECT_EQ(block().effect, 55);
  EXPECT_TRUE(state().colorEditView);

  host.Click(100, 165);
  host.Click(100, 493);  // below the list: closes only
  EXPECT_FALSE(state().effectListOpen);
  EXPECT_EQ(block().effect, 55);
}

TEST_F(ContentClickTest, ResponseTimeListRowsAndItsLastPixelRow) {
  host.Click(100, 480);
  host.Click(100, 272);  // first row
  EXPECT_EQ(block().responseTime, 1);
  host.Click(100, 480);
  host.Click(247, 471);  // last pixel row, right edge
  EXPECT_EQ(block().responseTime, 10);
  host.Click(100, 480);
  host.Click(100, 472);  // just below
  EXPECT_EQ(block().responseTime, 10);
  EXPECT_FALSE(state().responseListOpen);
  host.Repaint();
  EXPECT_NE(host.lastFrame.FindText(u"20 ms"), nullptr);
}

TEST_F(ContentClickTest, HeadersFoldAndTheMacroButtonFollows) {
  host.Click(100, 120);
  EXPECT_TRUE(state().lightingCollapsed);
  EXPECT_FALSE(dlg.speedSlider().IsVisible());
  EXPECT_FALSE(dlg.brightnessSlider().IsVisible());
  EXPECT_EQ(host.lastFrame.FindImage("MacroButton3.png")->y, 150);
  host.Click(100, 350);  // where the macro button was
  EXPECT_EQ(mainDialogs.macroRuns, 0);
  host.Click(100, 155);
  EXPECT_EQ(mainDialogs.macroRuns, 1);
  host.Click(100, 120);
  EXPECT_FALSE(state().lightingCollapsed);

  // Folding response time moves the report-rate header and its slider up by 35 pixels.
  EXPECT_EQ(dlg.reportRateSlider().WindowRect().top, 543);
  host.Click(100, 450);
  EXPECT_TRUE(state().responseTimeCollapsed);
  EXPECT_EQ(host.lastFrame.FindText(u"USB Report Rate")->y, 485);
  EXPECT_EQ(dlg.reportRateSlider().WindowRect().top, 508);

  // Folding report rate hides its slider and keeps its value.
  const uint8_t rate = block().reportRate;
  host.Click(100, 490);
  EXPECT_TRUE(state().reportRateCollapsed);
  EXPECT_FALSE(dlg.reportRateSlider().IsVisible());
  EXPECT_EQ(block().reportRate, rate);

  host.Click(100, 400);
  EXPECT_TRUE(state().gameModeCollapsed);
  EXPECT_EQ(state().layout.d, 485);
}

TEST_F(ContentClickTest, DirectionButtonsFollowTheEffect) {
  struct Case {
    uint8_t effect;
    int x;
    uint8_t direction;
  } cases[] = {
      {3, 130, 2}, {3, 30, 3},  {3, 80, 4},   {3, 180, 1},  // Wave: up, down, right, left
      {13, 30, 2}, {13, 80, 1},                             // Radar: right, left
      {16, 30, 3}, {16, 80, 4}, {16, 130, 3},               // up, down
      {2, 30, 3},  // Breathing shows no direction but still takes the click
  };
  for (const Case& c : cases) {
    block().effect = c.effect;
    block().direction = 0;
    host.Click(c.x, 205);
    EXPECT_EQ(block().direction, c.direction) << int{c.effect} << " x " << c.x;
  }
  block().effect = 3;
  host.Click(130, 205);
  const DrawCall* enabled = host.lastFrame.FindImage("Direction-R-Enable.png");
  ASSERT_NE(enabled, nullptr);
  EXPECT_EQ(enabled->x, 129);
}

TEST_F(ContentClickTest, SwatchesSelectFirstThenEditColour) {
  block().effect = 2;
  block().colorChoice = 1;
  const int swatch3 = 28 + 25 * 2 + 5;
  host.Click(swatch3, 230);
  EXPECT_EQ(block().colorChoice, 3);
  EXPECT_TRUE(dialogs.colourInitials.empty());

  dialogs.colourAnswer = Rgb{10, 20, 30};
  host.Click(swatch3, 230);
  ASSERT_EQ(dialogs.colourInitials.size(), 1u);
  EXPECT_EQ(dialogs.colourInitials[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(block().palette[2], (RgbColor{10, 20, 30}));
  const DrawCall* frame = nullptr;
  for (const DrawCall& c : host.lastFrame.calls) {
    if (c.kind == DrawCall::Frame) frame = &c;
  }
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ((Rect{frame->x, frame->y, frame->width, frame->height}), (Rect{76, 221, 23, 23}));

  dialogs.colourAnswer.reset();  // chooser cancelled: colour kept, swatch still chosen
  host.Click(swatch3, 230);
  EXPECT_EQ(block().palette[2], (RgbColor{10, 20, 30}));
  EXPECT_EQ(block().colorChoice, 3);

  host.Click(210, 230);  // multicolour
  EXPECT_EQ(block().colorChoice, 8);

  block().effect = 1;  // Static: no multicolour swatch
  block().colorChoice = 2;
  host.Click(210, 230);
  EXPECT_EQ(block().colorChoice, 2);
  EXPECT_EQ(host.lastFrame.FindImage("8.png"), nullptr);

  block().effect = 3;  // Wave: only multicolour
  host.Click(swatch3, 230);
  EXPECT_EQ(block().colorChoice, 8);
}

TEST_F(ContentClickTest, GameModeAndWinLock) {
  struct Case {
    const char* what;
    uint8_t gameMode, winLock;
    int x, y;
    uint8_t gameModeAfter, winLockAfter;
  } cases[] = {
      {"game mode on locks Win", 0, 0, 40, 425, 1, 1},
      {"game mode on again keeps an open lock", 1, 0, 40, 425, 1, 0},
      {"game mode off unlocks", 1, 1, 100, 425, 0, 0},
      {"Win lock needs game mode", 0, 0, 170, 425, 0, 0},
      {"Win lock on in game mode", 1, 0, 170, 425, 1, 1},
      {"Win lock off", 1, 1, 230, 425, 1, 0},
  };
  for (const Case& c : cases) {
    block().gameMode = c.gameMode;
    block().winLock = c.winLock;
    host.Click(c.x, c.y);
    EXPECT_EQ(block().gameMode, c.gameModeAfter) << c.what;
    EXPECT_EQ(block().winLock, c.winLockAfter) << c.what;
  }
}

TEST_F(ContentClickTest, ViewSwitchDecidesWhatAKeyClickDoes) {
  block().effect = 51;
  const Point esc = KeyCentre(0);
  dialogs.colourAnswer = Rgb{0, 0, 255};
  host.Click(135, 205);  // DIY
  EXPECT_TRUE(state().colorEditView);
  host.Click(esc.x, esc.y);
  EXPECT_EQ(dialogs.colourInitials.size(), 1u);
  EXPECT_TRUE(mainDialogs.keyRequests.empty());

  host.Click(35, 205);  // Keymap
  EXPECT_FALSE(state().colorEditView);
  host.Click(esc.x, esc.y);
  EXPECT_EQ(dialogs.colourInitials.size(), 1u);
  EXPECT_EQ(mainDialogs.keyRequests.size(), 1u);
}

}  // namespace
}  // namespace tarsel::testing
