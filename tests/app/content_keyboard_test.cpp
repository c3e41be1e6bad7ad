// The keyboard picture: change markers, highlights, the key click into the key-assignment
// dialog, and the colour view of the DIY layouts.
#include <gtest/gtest.h>

#include <functional>

#include "app/keyboard_view.h"
#include "content_fixture.h"
#include "lighting/color_view.h"

namespace tarsel::testing {
namespace {

constexpr std::size_t kA = 63;  // "A"

KeyMapEntry& EntryOf(Configuration& c, std::size_t k) {
  return c.block.keyMap[MapEntryIndex(KeyTable[k].position)];
}

void Disable(Configuration& c, std::size_t k) {
  const uint8_t bit = KeyTable[k].enableBit;
  c.block.keyEnable[bit / 8] &= uint8_t(~(1u << (bit % 8)));
}

TEST(RecomputeKeyChanged, MarksWhatDiffersFromTheDefault) {
  struct Case {
    const char* what;
    std::size_t key;
    std::function<void(Configuration&)> edit;
    bool changed;
  } cases[] = {
      {"factory state", kA, [](Configuration&) {}, false},
      {"macro entry, even an empty slot", kA,
       [](Configuration& c) {
         EntryOf(c, kA) = {4, 0, 7, 0};
       },
       true},
      {"other main key", kA, [](Configuration& c) { EntryOf(c, kA)[2] = 0x05; }, true},
      {"modifier byte alone", kA, [](Configuration& c) { EntryOf(c, kA)[1] = 0xE0; }, false},
      {"record of another kind", kA,
       [](Configuration& c) { c.store.records[kA].kind = KindCombine; }, true},
      {"single key of its own code", kA,
       [](Configuration& c) {
         ActionRecord& r = c.store.records[kA];
         r.data[0] = r.keyCode;
         r.dataLength = 1;
       },
       false},
      {"single key of another code", kA,
       [](Configuration& c) {
         c.store.records[kA].data[0] = 0x42;
         c.store.records[kA].dataLength = 1;
       },
       true},
      {"disabled key at its defaults", kA, [](Configuration& c) { Disable(c, kA); }, true},
      {"Fn, even disabled", kFnKeyIndex, [](Configuration& c) { Disable(c, kFnKeyIndex); }, false},
  };
  for (const Case& c : cases) {
    auto config = std::make_unique<Configuration>();
    MakeFactoryConfiguration(*config);
    c.edit(*config);
    std::array<bool, 255> changed{};
    changed.fill(true);
    RecomputeKeyChanged(*config, changed);
    EXPECT_EQ(changed[c.key], c.changed) << c.what;
    // Nothing else was touched by the edit.
    for (std::size_t k = 0; k < kKeyCount; ++k) {
      if (k != c.key) {
        EXPECT_FALSE(changed[k]) << c.what << " key " << k;
      }
    }
  }
}

class ContentKeyboardTest : public ContentTest {};

TEST_F(ContentKeyboardTest, ChangedKeysAreLitButNeverTheWindowsKey) {
  Start();
  state().keyChanged[kA] = true;
  state().keyChanged[kWinKeyIndex] = true;
  host.Repaint();
  std::vector<std::pair<int, int>> lit;
  for (const DrawCall& c : host.lastFrame.calls) {
    if (c.kind == DrawCall::ImagePart && c.name == "kb_hl.png") lit.emplace_back(c.x, c.y);
  }
  EXPECT_EQ(lit, (std::vector<std::pair<int, int>>{{307 + 63, 211 + 107}}));
  EXPECT_FALSE(state().keyChanged[kWinKeyIndex]);
}

TEST_F(ContentKeyboardTest, KeyClickRunsTheDialogOnTheStoredRecordsAndCompilesItsChoice) {
  Start([](Configuration& c) { c.store.records[kA].kind = KindBasic; });
  config->store.records[kA].kind = KindSingle;  // differs from keymap.bin: reloaded before the run
  mainDialogs.onKeyDialog = [this] { EXPECT_EQ(config->store.records[kA].kind, KindBasic); };
  PendingAssignment single;
  single.kind = KindSingle;
  single.count = 1;
  single.keys[0] = 0x42;  // "B"
  single.keyEnabled = 0;
  mainDialogs.assignment = single;

  const Point a = KeyCentre(kA);
  host.Click(a.x, a.y);
  ASSERT_EQ(mainDialogs.keyRequests.size(), 1u);
  const KeyAssignmentRequest& r = mainDialogs.keyRequests[0];
  EXPECT_EQ(r.keyIndex, kA);
  EXPECT_EQ(r.keyCode, 0x41);
  EXPECT_EQ(r.usage, dlg.keyLabels().UsageOf(0x41));
  EXPECT_EQ(state().hoveredKey, kA);

  EXPECT_EQ(EntryOf(*config, kA)[2], dlg.keyLabels().UsageOf(0x42));
  EXPECT_TRUE(state().keyChanged[kA]);
  const uint8_t bit = KeyTable[kA].enableBit;
  EXPECT_EQ(block().keyEnable[bit / 8] >> (bit % 8) & 1, 0);
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Live));
  EXPECT_TRUE(device.calls.empty());  // the keyboard gets it with the next Save
}

TEST_F(ContentKeyboardTest, CancelledDialogChangesNothingAndWinFnOpenNothing) {
  Start();
  const std::vector<uint8_t> before = KeymapBytes();
  const Point a = KeyCentre(kA);
  host.Click(a.x, a.y);
  EXPECT_EQ(mainDialogs.keyRequests.size(), 1u);
  EXPECT_EQ(KeymapBytes(), before);
  EXPECT_FALSE(state().keyChanged[kA]);

  for (std::size_t k : {std::size_t{kWinKeyIndex}, std::size_t{kFnKeyIndex}}) {
    const Point p = KeyCentre(k);
    host.Click(p.x, p.y);
  }
  EXPECT_EQ(mainDialogs.keyRequests.size(), 1u);
  EXPECT_EQ(state().hoveredKey, kNoKey);
}

TEST_F(ContentKeyboardTest, KeyClickWithoutKeymapFileKeepsTheLiveRecords) {
  Start();
  config->store.records[kA].kind = KindMacro;
  std::filesystem::remove(folder.path() / kKeymapFileName);
  mainDialogs.onKeyDialog = [this] { EXPECT_EQ(config->store.records[kA].kind, KindMacro); };
  const Point a = KeyCentre(kA);
  host.Click(a.x, a.y);
  EXPECT_EQ(mainDialogs.keyRequests.size(), 1u);
  EXPECT_EQ(config->store.records[kA].kind, KindMacro);
  EXPECT_EQ(config->store.records[0].keyCode, KeyTable[0].defaultKeyCode);
}

TEST_F(ContentKeyboardTest, ColourViewColoursKeysOfTheCurrentLayout) {
  Start([](Configuration& c) { c.block.effect = 53; });
  state().colorEditView = true;
  dialogs.colourAnswer = Rgb{255, 0, 0};
  const Point esc = KeyCentre(0);
  host.Click(esc.x, esc.y);
  const ColorPage& page = block().colorPages[2];
  EXPECT_EQ((std::array<uint8_t, 4>{page[20], page[21], page[22], page[23]}),
            (std::array<uint8_t, 4>{0, 255, 0, 0}));
  EXPECT_EQ(KeymapBytes(), Serialized(KeymapSource::Saved));  // no file written by the click

  const RecordingCanvas& f = host.lastFrame;
  const DrawCall* label = f.FindText(u"Esc");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ((Point{label->x, label->y}), (Point{302 + 27, 206 + 30}));
  EXPECT_EQ(label->colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(label->height, 10);
  bool filled = false, framed = false;
  for (const DrawCall& c : f.calls) {
    filled |= c.kind == DrawCall::Fill && c.x == 322 && c.y == 228 && c.width == 25 &&
              c.height == 26 && c.colour == (Rgb{255, 0, 0});
    framed |=
        c.kind == DrawCall::Frame && c.x == 320 && c.y == 226 && c.width == 28 && c.height == 29;
  }
  EXPECT_TRUE(filled);
  EXPECT_TRUE(framed);  // the clicked key is the one under the pointer
  EXPECT_EQ(f.IndexOf("kb_hl.png"), -1);

  // Win and Fn can be coloured here; black takes a key's colour and label away.
  for (std::size_t k : {std::size_t{kWinKeyIndex}, std::size_t{kFnKeyIndex}}) {
    const Point p = KeyCentre(k);
    host.Click(p.x, p.y);
    EXPECT_EQ(KeyColor(block(), 2, k), (Rgb{255, 0, 0})) << k;
  }
  dialogs.colourAnswer = Rgb{0, 0, 0};
  host.Click(esc.x, esc.y);
  EXPECT_EQ(host.lastFrame.FindText(u"Esc"), nullptr);
  EXPECT_NE(host.lastFrame.FindText(u"Win"), nullptr);

  // Cancelling the chooser leaves the colour.
  dialogs.colourAnswer.reset();
  const Point win = KeyCentre(kWinKeyIndex);
  host.Click(win.x, win.y);
  EXPECT_EQ(KeyColor(block(), 2, kWinKeyIndex), (Rgb{255, 0, 0}));
}

TEST_F(ContentKeyboardTest, EachLayoutKeepsItsOwnColours) {
  Start([](Configuration& c) {
    c.block.effect = 51;
    SetKeyColor(c.block, 0, kA, {1, 2, 3});
    SetKeyColor(c.block, 1, kA, {4, 5, 6});
  });
  state().colorEditView = true;
  host.Repaint();
  const auto fillOfA = [this]() -> std::optional<Rgb> {
    for (const DrawCall& c : host.lastFrame.calls) {
      if (c.kind == DrawCall::Fill && c.x == 307 + 63 && c.y == 211 + 107) return c.colour;
    }
    return std::nullopt;
  };
  EXPECT_EQ(fillOfA(), (Rgb{1, 2, 3}));
  host.Click(100, 165);
  host.Click(100, 173 + 12 * 20 + 5);  // DIY2
  EXPECT_EQ(fillOfA(), (Rgb{4, 5, 6}));
  host.Click(100, 165);
  host.Click(100, 173 + 11 * 20 + 5);  // DIY1 again
  EXPECT_EQ(fillOfA(), (Rgb{1, 2, 3}));

  // A non-DIY effect with the colour view left on shows neither colours nor highlights, and key
  // clicks do nothing.
  block().effect = 2;
  host.Repaint();
  EXPECT_EQ(fillOfA(), std::nullopt);
  EXPECT_EQ(host.lastFrame.IndexOf("kb_hl.png"), -1);
  dialogs.colourAnswer = Rgb{9, 9, 9};
  const Point a = KeyCentre(kA);
  host.Click(a.x, a.y);
  EXPECT_TRUE(dialogs.colourInitials.empty());
  EXPECT_TRUE(mainDialogs.keyRequests.empty());
}

}  // namespace
}  // namespace tarsel::testing
