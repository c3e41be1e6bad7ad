#include <gtest/gtest.h>

#include "app/basic_main_content.h"
#include "main_window_fixture.h"

namespace tarsel::testing {
namespace {

class MainWindowPaintTest : public MainWindowTest {
 protected:
  void SetUp() override {
    dlg.SetContent(std::make_unique<BasicMainContent>(dlg));
    Start();
  }
};

TEST_F(MainWindowPaintTest, FixedPicturesAndLabelsAtTheirPlaces) {
  host.Repaint();
  const RecordingCanvas& f = host.lastFrame;
  struct Picture {
    const char* name;
    int x, y;
  } pictures[] = {{"button-help-normal.png", 936, 5},
                  {"button-min-normal.png", 957, 5},
                  {"button-close-normal.png", 978, 5},
                  {"logo.png", 19, 35},
                  {"kb_BK.png", 307, 211},
                  {"button-save-normal.png", 924, 605},
                  {"Config.png", 17, 603},
                  {"MacroManagementBK.png", 19, 335},
                  {"MacroButton3.png", 19, 345}};
  for (const Picture& p : pictures) {
    const DrawCall* c = f.FindImage(p.name);
    ASSERT_NE(c, nullptr) << p.name;
    EXPECT_EQ(c->x, p.x) << p.name;
    EXPECT_EQ(c->y, p.y) << p.name;
  }
  const DrawCall* save = f.FindText(u"Save");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->x, 938);
  EXPECT_EQ(save->colour, (Rgb{239, 14, 2}));
  const DrawCall* macro = f.FindText(u"Macro Management");
  ASSERT_NE(macro, nullptr);
  EXPECT_EQ(macro->y, 347);
  EXPECT_EQ(macro->height, 15);
  // The keyboard picture lies under everything of the panel.
  EXPECT_LT(f.IndexOf("kb_BK.png"), f.IndexOf("Thumb.png"));
}

TEST_F(MainWindowPaintTest, FoldingLightingMovesTheMacroStripUp) {
  EXPECT_TRUE(dlg.state().regions.Contains(kRegionMacroManagement, 100, 350));
  dlg.state().lightingCollapsed = true;
  dlg.state().Relayout();
  const SkinRegion* macro = dlg.state().regions.Find(kRegionMacroManagement);
  ASSERT_NE(macro, nullptr);
  EXPECT_EQ(macro->rect, (Rect{19, 150, 259, 168}));
  EXPECT_EQ(BasicMainContent(dlg).HitTest(100, 350), kRegionNone);
  EXPECT_EQ(dlg.state().regions.Find(8), nullptr);
  EXPECT_EQ(dlg.state().regions.Find(13), nullptr);

  dlg.state().responseTimeCollapsed = true;
  dlg.state().Relayout();
  EXPECT_EQ(dlg.state().layout.d, 30 + 220 + 40);
  host.Repaint();
  EXPECT_EQ(host.lastFrame.FindImage("MacroButton3.png")->y, 150);
}

TEST_F(MainWindowPaintTest, PressOnEmptyPictureMovesTheWindowButNotOnTheLogo) {
  dlg.OnMouseDown(MouseButton::Left, 280, 150);
  dlg.OnMouseMove(285, 155, true);
  EXPECT_EQ(host.systemMoves, 1);

  dlg.OnMouseUp(MouseButton::Left, 285, 155);
  dlg.OnMouseDown(MouseButton::Left, 100, 60);  // logo
  dlg.OnMouseMove(105, 65, true);
  EXPECT_EQ(host.systemMoves, 1);

  // A move with the button up disarms the drag.
  dlg.OnMouseUp(MouseButton::Left, 105, 65);
  dlg.OnMouseDown(MouseButton::Left, 280, 150);
  dlg.OnMouseMove(281, 151, false);
  dlg.OnMouseMove(282, 152, true);
  EXPECT_EQ(host.systemMoves, 1);
}

TEST_F(MainWindowPaintTest, DraggingASliderEditsTheBlockAndRepaints) {
  const int paints = host.paintCount;
  // Brightness track at (28, 260): its middle is about 25.
  dlg.OnMouseDown(MouseButton::Left, 28 + 110, 265);
  EXPECT_EQ(host.systemMoves, 0);
  EXPECT_NEAR(config->block.brightness, 25, 1);
  dlg.OnMouseMove(28 + 7 + 205, 300, true);
  dlg.OnMouseUp(MouseButton::Left, 28 + 7 + 205, 300);
  EXPECT_EQ(config->block.brightness, 50);
  EXPECT_GT(host.paintCount, paints);
  // The wheel changes nothing.
  dlg.OnMouseWheel(100, 265, 120);
  EXPECT_EQ(config->block.brightness, 50);
  EXPECT_EQ(dlg.brightnessSlider().GetPos(), 50);
}

TEST_F(MainWindowPaintTest, SliderMovedToWhereAFullPassLastDrewItRepaintsAndStores) {
  // The window's passes draw the strips too: a slider moved back to the value a notice last drew,
  // after a pass drew it elsewhere, must still be redrawn and copied into the block.
  const auto press = [&](int position) {
    const int x = 28 + CBitSlider::kChannelLeft + CBitSlider::kThumbTravel * position / 50;
    dlg.OnMouseDown(MouseButton::Left, x, 265);
    dlg.OnMouseUp(MouseButton::Left, x, 265);
  };
  press(0);
  EXPECT_EQ(config->block.brightness, 0);
  press(30);
  config->block.brightness = 0;  // as Cancel does: the block reverts and the sliders follow it
  dlg.SetSlidersFromBlock();
  host.Repaint();

  const int paints = host.paintCount;
  press(30);
  EXPECT_EQ(config->block.brightness, 30);
  EXPECT_GT(host.paintCount, paints);
  const DrawCall* thumb = host.lastFrame.FindImage("Thumb.png");
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->x, 28 + dlg.brightnessSlider().ThumbDrawPosition().x);
}

}  // namespace
}  // namespace tarsel::testing
