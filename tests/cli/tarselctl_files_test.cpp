// tarselctl's file commands run in-process: `assign` on keymap files read back with `show --json`,
// `macros` on libraries written by the macro library code, and refusals that leave files alone.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/tarselctl.h"
#include "config/file_bytes.h"
#include "config/key_table.h"
#include "config/keymap_file.h"
#include "config/temp_folder.h"
#include "macro/event_string.h"
#include "macro/macro_library.h"

namespace tarsel {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

using testing::ReadAll;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Keys as they leave the factory: own entries, all enabled, no assignments.
std::unique_ptr<KeymapFile> FactoryKeymap() {
  auto keymap = std::make_unique<KeymapFile>();
  std::memset(keymap.get(), 0, sizeof *keymap);
  for (const KeyTableEntry& key : KeyTable) {
    keymap->block.keyMap[MapEntryIndex(key.position)] = key.defaultEntry;
    keymap->block.keyEnable[key.enableBit / 8] |= uint8_t(1u << (key.enableBit % 8));
  }
  for (MacroSlot& slot : keymap->block.macroSlots) slot.fill(0xAA);  // to see which get packed
  return keymap;
}

// A macro written the way the recorder writes one.
void Record(MacroRecord& record, std::u16string_view name, uint16_t loops,
            const std::vector<std::pair<uint8_t, uint16_t>>& pressesAndDelays) {
  static const KeyLabels labels = KeyLabels::BuildKeyLabels();
  record.SetName(name);
  record.SetLoopCount(loops);
  EventStrings strings;
  std::size_t position = 0;
  for (const auto& [code, delay] : pressesAndDelays) {
    position = WriteEventAt(strings, position, labels, code, false, delay).next;
    position = WriteEventAt(strings, position, labels, code, true, delay).next;
  }
  record.deviceEvents = strings.device;
  record.displayEvents = strings.display;
}

class TarselctlFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keymapFile_ = folder_.path() / "profile.bin";
    WriteKeymap(*FactoryKeymap());
  }

  Outcome Run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolEnvironment environment{folder_.path() / "program", {}, {}, out, err, {}};
    Outcome outcome;
    outcome.exitCode = RunTarselctl(args, environment);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
  }

  void WriteKeymap(const KeymapFile& keymap) {
    std::ofstream(keymapFile_, std::ios::binary)
        .write(reinterpret_cast<const char*>(&keymap), sizeof keymap);
  }

  std::unique_ptr<KeymapFile> ReadKeymap() {
    auto keymap = std::make_unique<KeymapFile>();
    const std::vector<uint8_t> bytes = ReadAll(keymapFile_);
    EXPECT_EQ(bytes.size(), sizeof *keymap);
    std::memcpy(keymap.get(), bytes.data(), std::min(bytes.size(), sizeof *keymap));
    return keymap;
  }

  // Three macros beside the keymap file, as the macro manager saves them.
  std::unique_ptr<MacroLibrary> WriteLibrary(const fs::path& folder) {
    auto library = std::make_unique<MacroLibrary>();
    Record(library->records[0], u"Macro_001", 300, {{0x41, 150}});
    Record(library->records[1], u"Fire", 1, {{0x20, 20}, {0x20, 500}});
    Record(library->records[2], u"Reload", 2, {{0x52, 1}});
    EXPECT_TRUE(SaveMacroFile(*library, folder).ok());
    return library;
  }

  std::string ShowJson() {
    const Outcome shown = Run({"show", keymapFile_.string(), "--json"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    return shown.out;
  }

  testing::TempFolder folder_;
  fs::path keymapFile_;
};

TEST_F(TarselctlFilesTest, AssignedKeysShowTheirEntryAndRecord) {
  const std::string program = (folder_.path() / "games" / "run it.sh").string();
  WriteLibrary(folder_.path());
  struct Case {
    std::vector<std::string> assign;  // KEY KIND ...
    std::string keyJson;              // the key's line in show --json, from its label on
    std::string actionJson;           // its action record; empty when it has none
  } cases[] = {
      {{"Esc", "startup", program},
       R"("label": "Esc", "keyCode": 27, "entry": [10, 0, 27, 0], "default": false, "enabled": true)",
       R"({"record": 0, "label": "Esc", "keyCode": 27, "kind": "Startup", "path": ")" + program +
           R"(", "dataLength": 0, "code": [3, 0, 35, 2], "keys": []})"},
      // A onto its own key is no assignment at all.
      {{"a", "single", "A"},
       R"("label": "A", "keyCode": 65, "entry": [0, 0, 4, 0], "default": true)",
       ""},
      {{"F1", "single", "volume up"},
       R"("label": "F1", "keyCode": 112, "entry": [3, 0, 233, 0], "default": false)",
       R"("label": "F1", "keyCode": 112, "kind": "Single", "path": "", "dataLength": 1, "code": [175, 0, 0, 0], "keys": ["Volume UP"]})"},
      {{"0x71", "combine", "LCtrl", "LShift", "Esc"},
       R"("label": "F2", "keyCode": 113, "entry": [0, 224, 225, 41], "default": false)",
       R"("kind": "Combine", "path": "", "dataLength": 3, "code": [162, 160, 27, 0], "keys": ["LCtrl", "LShift", "Esc"]})"},
      {{"F3", "basic", "search"},
       R"("label": "F3", "keyCode": 114, "entry": [0, 227, 9, 0], "default": false)",
       R"("label": "F3", "keyCode": 114, "kind": "Basic", "path": "", "dataLength": 0, "code": [0, 227, 9, 0])"},
      {{"F4", "macro", "Reload"},
       R"("label": "F4", "keyCode": 115, "entry": [4, 1, 2, 0], "default": false)",
       R"("label": "F4", "keyCode": 115, "kind": "Macro", "path": "", "dataLength": 0, "code": [4, 1, 2, 0])"},
      {{"index:94", "open-folder", "/srv/music/"},
       R"("index": 94, "label": "Enter", "keyCode": 108, "entry": [10, 0, 108, 0])",
       R"("kind": "OpenFolder", "path": "/srv/music/")"},
      {{"F5", "disable"},
       R"("label": "F5", "keyCode": 116, "entry": [0, 0, 62, 0], "default": true, "enabled": false)",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.assign[0] + " " + c.assign[1]);
    std::vector<std::string> args = {"assign", keymapFile_.string()};
    args.insert(args.end(), c.assign.begin(), c.assign.end());
    const Outcome assigned = Run(args);
    ASSERT_EQ(assigned.exitCode, 0) << assigned.err;
    EXPECT_EQ(std::count(assigned.out.begin(), assigned.out.end(), '\n'), 1) << assigned.out;
    const std::string json = ShowJson();
    EXPECT_TRUE(Has(json, c.keyJson)) << json;
    if (c.actionJson.empty()) {
      // Action lines carry the same label and key code as the key's line, then its kind.
      const std::string labelAndCode = c.keyJson.substr(0, c.keyJson.find(", \"entry\""));
      EXPECT_FALSE(Has(json, labelAndCode + R"(, "kind")")) << json;
    } else {
      EXPECT_TRUE(Has(json, c.actionJson)) << json;
    }
  }
  // Each assignment kept the earlier ones: the file was updated, not rewritten from scratch.
  const std::string json = ShowJson();
  EXPECT_TRUE(Has(json, R"("label": "Esc", "keyCode": 27, "entry": [10, 0, 27, 0])"));
  EXPECT_TRUE(Has(json, R"("label": "F1", "keyCode": 112, "entry": [3, 0, 233, 0])"));
}

TEST_F(TarselctlFilesTest, DefaultGivesAnAssignedDisabledKeyBackItsOwnFunction) {
  ASSERT_EQ(Run({"assign", keymapFile_.string(), "F6", "open-file", "/tmp/notes.txt"}).exitCode, 0);
  ASSERT_EQ(Run({"assign", keymapFile_.string(), "F6", "disable"}).exitCode, 0);
  EXPECT_TRUE(Has(
      ShowJson(),
      R"("label": "F6", "keyCode": 117, "entry": [10, 0, 117, 0], "default": false, "enabled": false)"));

  const Outcome reset = Run({"assign", keymapFile_.string(), "F6", "default"});
  ASSERT_EQ(reset.exitCode, 0) << reset.err;
  EXPECT_EQ(reset.out, "F6: [00 00 3F 00] keys\n");
  const std::string json = ShowJson();
  EXPECT_TRUE(Has(
      json,
      R"("label": "F6", "keyCode": 117, "entry": [0, 0, 63, 0], "default": true, "enabled": true)"));
  EXPECT_FALSE(Has(json, R"("kind": "OpenFile")")) << json;

  ASSERT_EQ(Run({"assign", keymapFile_.string(), "F6", "disable"}).exitCode, 0);
  ASSERT_EQ(Run({"assign", keymapFile_.string(), "F6", "enable"}).exitCode, 0);
  EXPECT_TRUE(Has(
      ShowJson(),
      R"("label": "F6", "keyCode": 117, "entry": [0, 0, 63, 0], "default": true, "enabled": true)"));
}

TEST_F(TarselctlFilesTest, MacroAssignmentPacksTheLibraryIntoTheSlots) {
  // --macros names a library elsewhere; one beside the file would be ignored.
  const fs::path elsewhere = folder_.path() / "macros";
  fs::create_directories(elsewhere);
  const auto library = WriteLibrary(elsewhere);
  const Outcome assigned = Run({"assign", keymapFile_.string(), "G", "macro", "1", "--macros",
                                (elsewhere / kMacroFileName).string()});
  ASSERT_EQ(assigned.exitCode, 0) << assigned.err;
  EXPECT_EQ(assigned.out, "G: [04 01 01 00] macro slot 1\n");
  const auto keymap = ReadKeymap();
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(keymap->block.macroSlots[i], PackMacroSlot(library->records[i])) << i;
  }
  EXPECT_EQ(keymap->block.macroSlots[0][0], 0x01);  // loop count 300, high byte first
  EXPECT_EQ(keymap->block.macroSlots[0][1], 0x2C);
  MacroSlot untouched;
  untouched.fill(0xAA);
  EXPECT_EQ(keymap->block.macroSlots[3], untouched);
  EXPECT_FALSE(fs::exists(folder_.path() / kMacroFileName));  // nothing created beside the file
}

TEST_F(TarselctlFilesTest, RefusedAssignmentsLeaveTheFileByteForByte) {
  const fs::path other = folder_.path() / "elsewhere";
  fs::create_directories(other);
  WriteLibrary(folder_.path());
  const std::string file = keymapFile_.string();
  const std::string shortFile = (folder_.path() / "short.bin").string();
  std::ofstream(shortFile) << "not a keymap";
  const std::string noLibraryFile = (other / "profile.bin").string();
  fs::copy_file(keymapFile_, noLibraryFile);
  struct Case {
    std::vector<std::string> args;
    std::string errorPart;
  } cases[] = {
      {{file, "Knob", "default"}, "no key of the keyboard is named 'Knob'"},
      {{file, "Enter", "default"}, "'Enter' names several keys; give one of index:74, index:94"},
      {{file, "index:108", "default"}, "bad key index 'index:108'"},
      {{file, "Esc"}, "expects FILE KEY KIND"},
      {{file, "Esc", "toggle"}, "unknown kind 'toggle'"},
      {{file, "Esc", "single", "A", "B"}, "single takes one key"},
      {{file, "Esc", "combine", "A"}, "combine takes 2 or 3 keys"},
      {{file, "Esc", "combine", "A", "B", "C", "D"}, "combine takes 2 or 3 keys"},
      {{file, "Esc", "combine", "LCtrl", "Media"}, "'Media' is a media key"},
      {{file, "Esc", "combine", "LCtrl", "lctrl"}, "'lctrl' is named twice"},
      {{file, "Esc", "single", "MsLB"}, "'MsLB' is not a key of a keyboard"},
      {{file, "Esc", "single", "0x07"}, "'0x07' has no key usage"},
      {{file, "Esc", "single", "Enter"}, "give one of 0x0D, 0x6C"},
      {{file, "Esc", "basic", "搜索"}, "no basic function is named '搜索'"},
      {{file, "Esc", "macro", "3"}, "macro 3 cannot be assigned; the library offers macros 0 to 2"},
      {{file, "Esc", "macro", "Jump"}, "no macro is named 'Jump'"},
      {{noLibraryFile, "Esc", "macro", "0"}, "MacroDefine.bin: cannot open"},
      {{file, "Esc", "macro", "0", "--macros"}, "--macros takes one file"},
      {{file, "Esc", "startup", ""}, "empty path"},
      {{file, "Esc", "startup", "/" + std::string(255, 'x')}, "path longer than 255"},
      {{file, "Esc", "open-file", "/tmp/\xff.txt"}, "not valid UTF-8"},
      {{file, "Esc", "default", "now"}, "default takes nothing more"},
      {{shortFile, "Esc", "default"}, "wrong size, 12 bytes"},
      {{(folder_.path() / "missing.bin").string(), "Esc", "default"}, "cannot open"},
  };
  const std::vector<uint8_t> before = ReadAll(keymapFile_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errorPart);
    std::vector<std::string> args = {"assign"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(Has(outcome.err, c.errorPart)) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
    EXPECT_EQ(ReadAll(keymapFile_), before);
  }
  EXPECT_EQ(ReadAll(noLibraryFile), before);
  EXPECT_EQ(ReadAll(shortFile).size(), 12u);
  EXPECT_FALSE(fs::exists(folder_.path() / kKeymapFileName));
  EXPECT_FALSE(fs::exists(other / kMacroFileName));
  EXPECT_FALSE(fs::exists(folder_.path() / "program"));
}

TEST_F(TarselctlFilesTest, MacrosDecodesALibraryWrittenByTheMacroCode) {
  auto library = std::make_unique<MacroLibrary>();
  Record(library->records[0], u"Macro_001", 300, {{0x41, 150}});
  Record(library->records[1], u"Grüße", 1, {{0xF0, 1000}});
  library->records[1].flags = 1;
  // A named record after a free one is shown, but it has no keyboard slot.
  Record(library->records[3], u"Stray", 5, {{0x42, 2}});
  // Strings out of step: the device string lost its last event.
  Record(library->records[4], u"Torn", 1, {{0x43, 2}});
  library->records[4].deviceEvents[2] = 0;
  library->records[4].deviceEvents[3] = 0;
  ASSERT_TRUE(SaveMacroFile(*library, folder_.path()).ok());
  const std::string file = (folder_.path() / kMacroFileName).string();

  const Outcome text = Run({"macros", file});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_TRUE(Has(text.out,
                  "macro 0 \"Macro_001\": loop 300, 2 events, slot 0\n"
                  "  1 ms  A dn  (usage 0x04)\n"
                  "  150 ms  A up  (usage 0x04)\n"))
      << text.out;
  EXPECT_TRUE(Has(text.out,
                  "macro 1 \"Grüße\": loop 1, 2 events, slot 1, delays recorded\n"
                  "  1 ms  MsLB dn  (usage 0xF0)\n"
                  "  1000 ms  MsLB up  (usage 0xF0)\n"))
      << text.out;
  EXPECT_TRUE(Has(text.out, "macro 3 \"Stray\": loop 5, 2 events, no slot\n")) << text.out;
  EXPECT_TRUE(Has(text.out,
                  "macro 4 \"Torn\": loop 1, 2 events, no slot\n"
                  "  (the keyboard's events differ from these)\n"))
      << text.out;

  const Outcome json = Run({"macros", "--json", file});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_TRUE(Has(
      json.out,
      R"({"record": 0, "name": "Macro_001", "loopCount": 300, "delaysRecorded": false, "slot": 0, "consistent": true, "events": [)"
      "\n      "
      R"({"delay": 1, "action": "down", "key": "A", "keyCode": 65, "usage": 4},)"
      "\n      "
      R"({"delay": 150, "action": "up", "key": "A", "keyCode": 65, "usage": 4})"))
      << json.out;
  EXPECT_TRUE(
      Has(json.out, R"("name": "Stray", "loopCount": 5, "delaysRecorded": false, "slot": null)"));
  EXPECT_TRUE(Has(
      json.out,
      R"("name": "Torn", "loopCount": 1, "delaysRecorded": false, "slot": null, "consistent": false)"));
  EXPECT_TRUE(
      Has(json.out, R"({"delay": 2, "action": "up", "key": "C", "keyCode": 67, "usage": null})"));
}

TEST_F(TarselctlFilesTest, MacrosTakesFilesOfAnySizeUpToALibrary) {
  auto library = std::make_unique<MacroLibrary>();
  Record(library->records[0], u"First", 1, {{0x41, 1}});
  Record(library->records[1], u"Second", 1, {{0x42, 1}});
  ASSERT_TRUE(SaveMacroFile(*library, folder_.path()).ok());
  const std::vector<uint8_t> whole = ReadAll(folder_.path() / kMacroFileName);
  ASSERT_EQ(whole.size(), 169860u);
  const fs::path file = folder_.path() / "part.bin";
  auto write = [&](std::size_t size) {
    std::vector<uint8_t> bytes(whole.begin(), whole.begin() + std::min(size, whole.size()));
    bytes.resize(size, 0);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  };
  write(0);
  EXPECT_EQ(Run({"macros", file.string()}).out, "no macros\n");
  EXPECT_EQ(Run({"macros", file.string(), "--json"}).out, "{\n  \"macros\": []\n}\n");
  // 1,000 bytes: record 0 whole, record 1 cut inside its name.
  write(1000);
  Outcome outcome = Run({"macros", file.string()});
  EXPECT_TRUE(Has(outcome.out, "macro 0 \"First\"")) << outcome.out;
  EXPECT_TRUE(Has(outcome.out, "macro 1 \"Second\": loop 0, 0 events")) << outcome.out;
  write(169860);
  EXPECT_TRUE(Has(Run({"macros", file.string()}).out, "macro 1 \"Second\": loop 1, 2 events"));
  write(169861);
  outcome = Run({"macros", file.string()});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_TRUE(Has(outcome.err, "not a macro library")) << outcome.err;
  outcome = Run({"macros", (folder_.path() / "missing.bin").string()});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_TRUE(Has(outcome.err, "cannot open")) << outcome.err;
}

TEST_F(TarselctlFilesTest, HelpNamesTheFileCommands) {
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(Has(help.out, "macros FILE [--json]"));
  EXPECT_TRUE(Has(help.out, "assign FILE KEY KIND"));
  EXPECT_TRUE(Has(help.out, "MacroDefine.bin beside FILE, or --macros LIBRARY"));
}

}  // namespace
}  // namespace tarsel
