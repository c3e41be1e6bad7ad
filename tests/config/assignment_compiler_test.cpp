// The assignment compiler: every kind of choice, the key-enable bit, and the save that follows.
#include "config/assignment_compiler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "config/file_bytes.h"
#include "config/key_table.h"
#include "config/keymap_file.h"
#include "config/temp_folder.h"

namespace tarsel {
namespace {

using testing::ReadAll;
using testing::TempFolder;

constexpr std::size_t kEsc = 0;         // default code 0x1B, usage 0x29
constexpr std::size_t kKeyA = 63;       // default code 0x41, usage 0x04
constexpr std::size_t kVolumeUp = 19;   // default code 0xAF, factory entry 03 00 E9 00
constexpr std::size_t kBackslash = 54;  // default code 0xDC, factory usage 0x31

// What an earlier assignment left in the record and entry, so "unchanged" can be seen.
constexpr uint8_t kOldKind = KindCombine;
constexpr uint8_t kOldData = 0x11;
constexpr uint8_t kOldLength = 7;
constexpr KeyMapEntry kOldEntry = {0x00, 0x00, 0x77, 0x00};
const std::u16string kOldPath = u"/home/user/old.mp3";

KeyMapEntry Entry(const char* hex) {
  unsigned b[4];
  EXPECT_EQ(std::sscanf(hex, "%x %x %x %x", &b[0], &b[1], &b[2], &b[3]), 4);
  return {uint8_t(b[0]), uint8_t(b[1]), uint8_t(b[2]), uint8_t(b[3])};
}

std::u16string PathOf(const ActionRecord& record) {
  std::u16string path;
  for (std::size_t unit = 0; unit < kActionPathUnits; ++unit) {
    const char16_t c = char16_t(record.path[2 * unit] | (record.path[2 * unit + 1] << 8));
    if (c == 0) break;
    path.push_back(c);
  }
  return path;
}

class AssignmentCompilerTest : public ::testing::Test {
 protected:
  AssignmentCompilerTest() {
    ResetKeyCodes(config_->store);
    for (std::size_t i = 0; i < 5; ++i) {
      library_->records[i].SetName(u"macro " + std::u16string(1, char16_t(u'0' + i)));
      library_->records[i].SetLoopCount(uint16_t(i + 1));
      library_->records[i].deviceEvents[0] = 0x01;
      library_->records[i].deviceEvents[1] = uint8_t(0x04 + i);
    }
    config_->block.keyEnable.fill(0xFF);
  }

  AssignmentTarget Target(FunctionNames names = FunctionNames::English) {
    return {*config_, *library_, labels_, keyChanged_, names, folder_.path()};
  }

  // Gives key k the traces of an earlier assignment.
  void SeedKey(std::size_t k) {
    ActionRecord& record = config_->store.records[k];
    record.kind = kOldKind;
    record.data.fill(kOldData);
    record.dataLength = kOldLength;
    for (std::size_t unit = 0; unit < kOldPath.size(); ++unit)
      record.path[2 * unit] = uint8_t(kOldPath[unit]);
    EntryOf(k) = kOldEntry;
  }

  KeyMapEntry& EntryOf(std::size_t k) {
    return config_->block.keyMap[MapEntryIndex(KeyTable[k].position)];
  }

  bool EnableBit(std::size_t k) const {
    const uint8_t bit = KeyTable[k].enableBit;
    return (config_->block.keyEnable[bit / 8] >> (bit % 8)) & 1;
  }

  // keymap.bin holds exactly the live pair.
  void ExpectSaved() {
    EXPECT_EQ(ReadAll(KeymapFilePath(folder_.path())),
              SerializeKeymap(config_->block, config_->store));
  }

  TempFolder folder_;
  std::unique_ptr<Configuration> config_ = std::make_unique<Configuration>();
  std::unique_ptr<MacroLibrary> library_ = std::make_unique<MacroLibrary>();
  const KeyLabels labels_ = KeyLabels::BuildKeyLabels();
  std::array<bool, 255> keyChanged_{};
};

PendingAssignment Pending(uint8_t kind, std::vector<uint8_t> keys = {}, uint32_t count = 0) {
  PendingAssignment pending;
  pending.kind = kind;
  std::copy(keys.begin(), keys.end(), pending.keys.begin());
  pending.count = count ? count : uint32_t(keys.size());
  return pending;
}

TEST_F(AssignmentCompilerTest, EveryKindGivesItsRecordEntryAndMarker) {
  struct Case {
    const char* what;
    std::size_t key;
    PendingAssignment pending;
    uint8_t kind;
    std::vector<uint8_t> dataHead;  // the leading data bytes ...
    uint8_t dataRest;               // ... and the value of all that follow
    uint8_t dataLength;
    std::u16string path;
    KeyMapEntry entry;
    bool marker;
  };
  auto withLabel = [](const char16_t* label) {
    PendingAssignment p = Pending(KindBasic);
    p.functionLabel = label;
    return p;
  };
  auto withMacro = [](int32_t index) {
    PendingAssignment p = Pending(KindMacro);
    p.macroIndex = index;
    return p;
  };
  auto withPath = [](uint8_t kind) {
    PendingAssignment p = Pending(kind);
    p.hostPath = u"/home/user/game.sh";
    return p;
  };
  const Case cases[] = {
      {"Default button",
       kEsc,
       Pending(KindMacro, {}, kDefaultButtonCount),
       KindSingle,
       {},
       0,
       0,
       kOldPath,
       Entry("00 00 29 00"),
       false},
      {"single, another key",
       kKeyA,
       Pending(KindSingle, {0x42}),
       KindSingle,
       {0x42},
       0,
       1,
       kOldPath,
       Entry("00 00 05 00"),
       true},
      {"single, the key's own code",
       kKeyA,
       Pending(KindSingle, {0x41}),
       KindSingle,
       {},
       0,
       0,
       kOldPath,
       Entry("00 00 04 00"),
       false},
      {"single, count 2",
       kKeyA,
       Pending(KindSingle, {0x42, 0x43}),
       KindSingle,
       {0x42, 0x43},
       0,
       2,
       kOldPath,
       kOldEntry,
       false},
      {"combine LCtrl LShift Esc",
       kKeyA,
       Pending(KindCombine, {0xA2, 0xA0, 0x1B}),
       KindCombine,
       {0xA2, 0xA0, 0x1B},
       0,
       3,
       kOldPath,
       Entry("00 E0 E1 29"),
       true},
      {"combine, one key",
       kKeyA,
       Pending(KindCombine, {0x42}),
       KindCombine,
       {0x42},
       0,
       1,
       kOldPath,
       Entry("00 05 00 00"),
       false},
      {"macro 3",
       kKeyA,
       withMacro(3),
       KindMacro,
       {4, 1, 3, 0},
       kOldData,
       kOldLength,
       kOldPath,
       Entry("04 01 03 00"),
       true},
      {"no macro chosen",
       kKeyA,
       withMacro(-1),
       KindMacro,
       {4, 1, 0xFF, 0},
       kOldData,
       kOldLength,
       kOldPath,
       kOldEntry,
       false},
      {"basic, known",
       kKeyA,
       withLabel(u"Copy"),
       KindBasic,
       {0x00, 0xE0, 0x06, 0x00},
       kOldData,
       kOldLength,
       kOldPath,
       Entry("00 E0 06 00"),
       true},
      {"basic, Chinese name in English",
       kKeyA,
       withLabel(u"搜索"),
       KindBasic,
       {},
       kOldData,
       kOldLength,
       kOldPath,
       kOldEntry,
       true},
      {"play sound",
       kEsc,
       withPath(KindPlaySound),
       KindPlaySound,
       {3, 0, 0x23, 2},
       kOldData,
       kOldLength,
       u"/home/user/game.sh",
       Entry("0A 00 1B 00"),
       true},
      {"startup",
       kEsc,
       withPath(KindStartup),
       KindStartup,
       {3, 0, 0x23, 2},
       kOldData,
       kOldLength,
       u"/home/user/game.sh",
       Entry("0A 00 1B 00"),
       true},
      {"open file",
       kKeyA,
       withPath(KindOpenFile),
       KindOpenFile,
       {3, 0, 0x23, 2},
       kOldData,
       kOldLength,
       u"/home/user/game.sh",
       Entry("0A 00 41 00"),
       true},
      {"open folder",
       kEsc,
       withPath(KindOpenFolder),
       KindOpenFolder,
       {3, 0, 0x23, 2},
       kOldData,
       kOldLength,
       u"/home/user/game.sh",
       Entry("0A 00 1B 00"),
       true},
      {"default kind",
       kEsc,
       Pending(KindDefault),
       KindSingle,
       {},
       0,
       0,
       kOldPath,
       Entry("00 00 29 00"),
       false},
      {"no kind",
       kEsc,
       Pending(KindNone),
       kOldKind,
       {},
       kOldData,
       kOldLength,
       kOldPath,
       kOldEntry,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SeedKey(c.key);
    keyChanged_[c.key] = false;  // as the main window does before the call
    PendingAssignment pending = c.pending;

    const AssignmentResult result = CompileAssignment(c.key, pending, Target());

    EXPECT_TRUE(result.applied);
    EXPECT_TRUE(result.saved.ok());
    const ActionRecord& record = config_->store.records[c.key];
    EXPECT_EQ(record.kind, c.kind);
    std::array<uint8_t, kActionDataSize> data;
    data.fill(c.dataRest);
    std::copy(c.dataHead.begin(), c.dataHead.end(), data.begin());
    EXPECT_EQ(record.data, data);
    EXPECT_EQ(record.dataLength, c.dataLength);
    EXPECT_EQ(PathOf(record), c.path);
    EXPECT_EQ(record.keyCode, KeyTable[c.key].defaultKeyCode);
    EXPECT_EQ(EntryOf(c.key), c.entry);
    EXPECT_EQ(keyChanged_[c.key], c.marker);
    ExpectSaved();
  }
}

TEST_F(AssignmentCompilerTest, MediaKeysAssignedAsSingleKeysBecomeConsumerEntries) {
  const std::pair<uint8_t, const char*> cases[] = {
      {0xAF, "03 00 E9 00"},  // Volume Up
      {0xAE, "03 00 EA 00"},  // Volume Down
      {0xB3, "03 00 CD 00"},  // Play/Pause
      {0xB5, "03 00 83 01"},  // Media
  };
  for (const auto& [code, entry] : cases) {
    PendingAssignment pending = Pending(KindSingle, {code});
    CompileAssignment(kKeyA, pending, Target());
    EXPECT_EQ(EntryOf(kKeyA), Entry(entry)) << int(code);
  }
}

TEST_F(AssignmentCompilerTest, DefaultButtonEnablesTheKeyAndRestoresItsFactoryEntry) {
  struct Case {
    std::size_t key;
    const char* entry;
  };
  // The factory entry, not a plain key usage: media keys stay media keys, and the backslash
  // key keeps the usage the keyboard gives it.
  const Case cases[] = {
      {kEsc, "00 00 29 00"}, {kVolumeUp, "03 00 E9 00"}, {kBackslash, "00 00 31 00"}};
  for (const Case& c : cases) {
    SeedKey(c.key);
    PendingAssignment pending = Pending(KindStartup, {}, kDefaultButtonCount);
    pending.keyEnabled = 0;
    UpdateKeyEnable(c.key, pending, Target());
    ASSERT_FALSE(EnableBit(c.key));

    CompileAssignment(c.key, pending, Target());
    EXPECT_EQ(pending.keyEnabled, 1);
    UpdateKeyEnable(c.key, pending, Target());

    EXPECT_EQ(EntryOf(c.key), Entry(c.entry)) << c.key;
    EXPECT_EQ(EntryOf(c.key), KeyTable[c.key].defaultEntry);
    EXPECT_TRUE(EnableBit(c.key));
  }
}

TEST_F(AssignmentCompilerTest, MacroAssignmentRepacksSlotsUpToTheLastNamedMacro) {
  for (MacroSlot& slot : config_->block.macroSlots) slot.fill(0xAA);
  PendingAssignment pending = Pending(KindMacro);
  pending.macroIndex = 3;
  CompileAssignment(kKeyA, pending, Target());
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(config_->block.macroSlots[i], PackMacroSlot(library_->records[i])) << i;
  }
  EXPECT_EQ(config_->block.macroSlots[1][1], 2);  // loop count, low byte second
  EXPECT_EQ(config_->block.macroSlots[5][0], 0xAA);
  ExpectSaved();
}

TEST_F(AssignmentCompilerTest, AMacroTheKeyboardCannotPlayLeavesTheEntry) {
  // Beyond the named macros, or beyond the keyboard's 32 slots, there is nothing in the slot.
  for (int32_t index : {5, 32, 100}) {
    SeedKey(kKeyA);
    keyChanged_[kKeyA] = false;
    PendingAssignment pending = Pending(KindMacro);
    pending.macroIndex = index;
    CompileAssignment(kKeyA, pending, Target());
    EXPECT_EQ(EntryOf(kKeyA), kOldEntry) << index;
    EXPECT_FALSE(keyChanged_[kKeyA]);
  }
}

TEST_F(AssignmentCompilerTest, HostPathIsCutAtTheRecordsBuffer) {
  config_->store.records[kEsc].path.fill(0x33);
  PendingAssignment pending = Pending(KindOpenFile);
  pending.hostPath = u"/" + std::u16string(400, u'p');
  CompileAssignment(kEsc, pending, Target());
  const ActionRecord& record = config_->store.records[kEsc];
  EXPECT_EQ(PathOf(record), pending.hostPath.substr(0, 255));
  EXPECT_EQ(record.path[510], 0);
  EXPECT_EQ(record.path[511], 0);

  // A shorter path ends at its terminator.
  pending.hostPath = u"/tmp/x";
  CompileAssignment(kEsc, pending, Target());
  EXPECT_EQ(PathOf(record), u"/tmp/x");
}

TEST_F(AssignmentCompilerTest, BasicFunctionsInBothLanguages) {
  struct Row {
    const char16_t* english;
    const char16_t* chinese;
    const char* code;
  };
  const Row rows[] = {
      {u"Search", u"搜索", "00 E3 09 00"},
      {u"Run", u"运行", "00 E3 15 00"},
      {u"Media Player", u"多媒体播放器", "03 00 83 01"},
      {u"Prev", u"上一曲", "03 00 B6 00"},
      {u"Next", u"下一曲", "03 00 B5 00"},
      {u"Play/Pause", u"播放/暂停", "03 00 CD 00"},
      {u"Stop", u"停止", "03 00 B7 00"},
      {u"Vol+", u"音量+", "03 00 E9 00"},
      {u"Vol-", u"音量-", "03 00 EA 00"},
      {u"Mute", u"静音", "03 00 E2 00"},
      {u"New", u"新建", "00 E0 11 00"},
      {u"Cut", u"剪切", "00 E0 1B 00"},
      {u"Copy", u"复制", "00 E0 06 00"},
      {u"Paste", u"粘贴", "00 E0 19 00"},
      {u"Save", u"保存", "00 E0 16 00"},
      {u"Print", u"打印", "00 E0 13 00"},
      {u"Select All", u"全选", "00 E0 04 00"},
      {u"Max", u"最大化", "00 E2 2C 1B"},
      {u"Min", u"最小化", "00 E2 2C 11"},
      {u"Computer", u"我的电脑", "03 00 94 01"},
      {u"Task Management", u"任务管理器", "00 E0 E2 4C"},
      {u"Homepage", u"浏览器-主页", "03 00 23 02"},
      {u"Close", u"关闭窗口", "00 E2 3D 00"},
  };
  ASSERT_EQ(BasicFunctions().size(), std::size(rows));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(BasicFunctionCode(row.english, FunctionNames::English), Entry(row.code));
    EXPECT_EQ(BasicFunctionCode(row.chinese, FunctionNames::Chinese), Entry(row.code));
    EXPECT_EQ(BasicFunctionCode(row.chinese, FunctionNames::English), std::nullopt);
    EXPECT_EQ(BasicFunctionCode(row.english, FunctionNames::Chinese), std::nullopt);
  }
  // The whole chain, Chinese interface: "复制" gives the same assignment as "Copy" in English.
  PendingAssignment pending = Pending(KindBasic);
  pending.functionLabel = u"复制";
  CompileAssignment(kKeyA, pending, Target(FunctionNames::Chinese));
  EXPECT_EQ(EntryOf(kKeyA), Entry("00 E0 06 00"));
}

TEST_F(AssignmentCompilerTest, DisablingAKeyKeepsItsAssignmentAndMarksIt) {
  PendingAssignment pending = Pending(KindCombine, {0xA2, 0x43});
  pending.keyEnabled = 0;
  CompileAssignment(kKeyA, pending, Target());
  const AssignmentResult result = UpdateKeyEnable(kKeyA, pending, Target());
  EXPECT_TRUE(result.saved.ok());
  EXPECT_FALSE(EnableBit(kKeyA));
  EXPECT_TRUE(keyChanged_[kKeyA]);
  EXPECT_EQ(config_->store.records[kKeyA].kind, KindCombine);
  EXPECT_EQ(EntryOf(kKeyA), Entry("00 E0 06 00"));
  ExpectSaved();

  pending.keyEnabled = 1;
  UpdateKeyEnable(kKeyA, pending, Target());
  EXPECT_TRUE(EnableBit(kKeyA));
}

TEST_F(AssignmentCompilerTest, SavesAreReportedOrLeftToTheCallerAndOutOfRangeKeysChangeNothing) {
  AssignmentTarget target = Target();
  target.programFolder = folder_.path() / "gone/";
  PendingAssignment pending = Pending(KindSingle, {0x42});
  const AssignmentResult result = CompileAssignment(kKeyA, pending, target);
  EXPECT_TRUE(result.applied);
  EXPECT_EQ(result.saved.error, FileError::CannotOpen);
  EXPECT_EQ(EntryOf(kKeyA), Entry("00 00 05 00"));

  // A caller that writes the configuration itself gives no folder: nothing is saved.
  target.programFolder = std::nullopt;
  pending = Pending(KindSingle, {0x43});
  EXPECT_TRUE(CompileAssignment(kKeyA, pending, target).saved.ok());
  EXPECT_TRUE(UpdateKeyEnable(kKeyA, pending, target).saved.ok());
  EXPECT_EQ(EntryOf(kKeyA), Entry("00 00 06 00"));
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));

  const std::vector<uint8_t> before = SerializeKeymap(config_->block, config_->store);
  EXPECT_FALSE(CompileAssignment(kKeyCount, pending, Target()).applied);
  EXPECT_FALSE(UpdateKeyEnable(200, pending, Target()).applied);
  EXPECT_EQ(SerializeKeymap(config_->block, config_->store), before);
}

}  // namespace
}  // namespace tarsel
