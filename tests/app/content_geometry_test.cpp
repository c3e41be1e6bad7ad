// Where clicks land: the region hit test in its order, the folding panel, the keyboard picture's
// key hit test, hover repaints and window dragging.
#include <gtest/gtest.h>

#include "app/keyboard_view.h"
#include "app/main_hit_test.h"
#include "content_fixture.h"

namespace tarsel::testing {
namespace {

struct Folds {
  bool lighting = false, gameMode = false, responseTime = false, reportRate = false;
};

MainWindowState StateWith(Folds f) {
  MainWindowState s;
  s.lightingCollapsed = f.lighting;
  s.gameModeCollapsed = f.gameMode;
  s.responseTimeCollapsed = f.responseTime;
  s.reportRateCollapsed = f.reportRate;
  s.Relayout();
  return s;
}

TEST(MainHitTest, RegionsInOrder) {
  struct Case {
    const char* what;
    Folds folds;
    uint8_t effect;
    int x, y;
    int expected;
  } cases[] = {
      {"close button", {}, 1, 994, 20, kRegionClose},
      {"lighting header", {}, 1, 19, 130, kRegionLightingHeader},
      {"direction 1 under a normal effect", {}, 1, 35, 205, kRegionDirection1},
      {"Keymap switch over direction 1 under DIY1", {}, 51, 35, 205, kRegionKeymapView},
      {"DIY switch over direction 3 under DIY1", {}, 51, 135, 205, kRegionDiyView},
      {"direction 3 under a normal effect", {}, 1, 135, 205, kRegionDirection3},
      {"switch gone with the lighting folded", {true}, 51, 35, 205, kRegionGameModeHeader},
      {"first swatch", {}, 1, 28, 243, kRegionSwatchFirst},
      {"between swatches", {}, 1, 50, 230, kRegionNone},
      {"multicolour swatch", {}, 3, 223, 223, kRegionSwatchFirst + 7},
      {"swatches gone with the lighting folded", {true}, 1, 30, 230, kRegionNone},
      {"macro button", {}, 1, 100, 350, kRegionMacroManagement},
      {"macro button after folding the lighting", {true}, 1, 100, 350, kRegionNone},
      {"macro button moved up", {true}, 1, 100, 150, kRegionMacroManagement},
      {"game mode ON", {}, 1, 40, 425, kRegionGameModeOn},
      {"game mode OFF", {}, 1, 115, 432, kRegionGameModeOff},
      {"Win lock ON", {}, 1, 164, 423, kRegionWinLockOn},
      {"Win lock OFF", {}, 1, 245, 432, kRegionWinLockOff},
      {"Win lock gone with game mode folded", {false, true}, 1, 170, 425, kRegionNone},
      {"game mode header", {}, 1, 200, 390, kRegionGameModeHeader},
      {"response-time selector", {}, 1, 100, 480, kRegionResponseTime},
      {"selector gone when folded", {false, false, true}, 1, 100, 480, kRegionNone},
      {"report-rate header", {}, 1, 100, 520, kRegionReportRateHeader},
      {"report-rate header after folding response time",
       {false, false, true},
       1,
       100,
       485,
       kRegionReportRateHeader},
      {"profile", {}, 1, 19, 633, kRegionProfile},
      {"Default", {}, 1, 857, 635, kRegionDefault},
      {"Cancel", {}, 1, 861, 605, kRegionCancel},
      {"Save", {}, 1, 980, 620, kRegionSave},
      {"logo", {}, 1, 100, 60, kRegionLogo},
      {"empty picture", {}, 1, 280, 150, kRegionNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MainHitTest(StateWith(c.folds), c.effect, c.x, c.y), c.expected) << c.what;
  }
}

TEST(MainHitTest, FoldingMovesTheLowerSections) {
  const MainWindowState open = StateWith({});
  EXPECT_EQ(open.regions.Find(kRegionMacroManagement)->rect, (Rect{19, 345, 259, 363}));
  EXPECT_EQ(open.layout.d, 520);
  const MainWindowState lighting = StateWith({true});
  EXPECT_EQ(lighting.regions.Find(kRegionMacroManagement)->rect, (Rect{19, 150, 259, 168}));
  // Game mode and report rate fold without moving anything.
  const MainWindowState others = StateWith({false, true, false, true});
  EXPECT_EQ(others.layout.d, 520);
  EXPECT_EQ(others.regions.Find(kRegionResponseTimeHeader)->rect, (Rect{19, 445, 261, 465}));
  EXPECT_EQ(StateWith({false, false, true}).layout.d, 485);
  EXPECT_EQ(StateWith({true, false, true}).layout.d, 290);
}

TEST(KeyHitTest, EdgesGapsAndUnassignableKeys) {
  struct Case {
    const char* what;
    int x, y;
    bool colorView;
    int expected;
  } cases[] = {
      {"gap between 1 and 2", 307 + 68, 211 + 60, false, -1},
      {"left edge of 1", 307 + 42, 211 + 60, false, 21},
      {"right edge of 1", 307 + 67, 211 + 60, false, 21},
      {"left edge of 2", 307 + 69, 211 + 60, false, 22},
      {"Esc top-left corner", 307 + 15, 211 + 17, false, 0},
      {"Win in the key-assignment view", 307 + 60, 211 + 170, false, -1},
      {"Win in the colour view", 307 + 60, 211 + 170, true, kWinKeyIndex},
      {"Fn in the key-assignment view", 307 + 330, 211 + 170, false, -1},
      {"Fn in the colour view", 307 + 330, 211 + 170, true, kFnKeyIndex},
      {"tall keypad +", 307 + 610, 211 + 130, false, 61},
      {"outside the picture", 100, 100, true, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyHitTest(c.x, c.y, c.colorView), c.expected) << c.what;
  }
  // The media keys 16..19 are not on the picture: no point of it reaches them.
  for (int y = 200; y < 420; ++y) {
    for (int x = 300; x < 960; ++x) {
      const int k = KeyHitTest(x, y, true);
      ASSERT_FALSE(k >= 16 && k <= 19) << x << "," << y;
    }
  }
}

class ContentHoverTest : public ContentTest {};

TEST_F(ContentHoverTest, RepaintsWhenTheKeyUnderThePointerChanges) {
  Start();
  const Point esc = KeyCentre(0);
  int paints = host.paintCount;
  dlg.OnMouseMove(esc.x, esc.y, false);
  EXPECT_EQ(state().hoveredKey, 0);
  EXPECT_GT(host.paintCount, paints);
  // Lit from the highlight picture.
  bool lit = false;
  for (const DrawCall& c : host.lastFrame.calls) {
    lit |= c.kind == DrawCall::ImagePart && c.name == "kb_hl.png" && c.x == 307 + 15 &&
           c.y == 211 + 17 && c.width == 25 && c.height == 26;
  }
  EXPECT_TRUE(lit);

  paints = host.paintCount;
  dlg.OnMouseMove(esc.x + 1, esc.y, false);  // same key: nothing new to show
  EXPECT_EQ(host.paintCount, paints);
  dlg.OnMouseMove(280, 150, false);  // off the key onto empty picture
  EXPECT_EQ(state().hoveredKey, kNoKey);
  EXPECT_GT(host.paintCount, paints);
}

TEST_F(ContentHoverTest, OpenListFollowsThePointer) {
  Start();
  host.Click(100, 165);  // effect selector
  ASSERT_TRUE(state().effectListOpen);
  dlg.OnMouseMove(100, 173 + 20 * 2 + 5, false);
  EXPECT_EQ(state().effectRowHover, 2);
  EXPECT_EQ(host.lastFrame.calls.back().kind, DrawCall::Text);  // the list is drawn last
  bool hoverRow = false;
  for (const DrawCall& c : host.lastFrame.calls) {
    hoverRow |= c.kind == DrawCall::Fill && c.y == 213 && c.colour == (Rgb{80, 0, 0});
  }
  EXPECT_TRUE(hoverRow);
  dlg.OnMouseMove(249, 200, false);
  EXPECT_EQ(state().effectRowHover, kNoRow);
}

TEST_F(ContentHoverTest, DragOnlyFromEmptyPicture) {
  Start();
  struct Case {
    const char* what;
    int x, y;
    bool moves;
  } cases[] = {
      {"empty picture", 280, 150, true},
      {"logo", 100, 60, false},
      {"a key", KeyCentre(0).x, KeyCentre(0).y, false},
      {"Save", 950, 620, false},
  };
  for (const Case& c : cases) {
    const int before = host.systemMoves;
    dlg.OnMouseDown(MouseButton::Left, c.x, c.y);
    dlg.OnMouseMove(c.x + 2, c.y + 2, true);
    dlg.OnMouseMove(c.x + 3, c.y + 3, false);  // release elsewhere disarms
    EXPECT_EQ(host.systemMoves - before, c.moves ? 1 : 0) << c.what;
  }
  // Not while a drop-down list is open.
  host.Click(100, 165);
  dlg.OnMouseDown(MouseButton::Left, 280, 150);
  dlg.OnMouseMove(282, 152, true);
  EXPECT_TRUE(state().effectListOpen);
  EXPECT_EQ(host.systemMoves, 1);
}

}  // namespace
}  // namespace tarsel::testing
