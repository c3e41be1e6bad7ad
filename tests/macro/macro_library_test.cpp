// MacroDefine.bin, record fields, listing, slot packing and new names.
#include "macro/macro_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/file_bytes.h"
#include "config/temp_folder.h"

namespace tarsel {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

std::vector<uint8_t> BytesOf(const MacroLibrary& library) {
  const auto* p = reinterpret_cast<const uint8_t*>(&library);
  return {p, p + sizeof(library)};
}

std::vector<uint8_t> PatternFile(std::size_t size) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = uint8_t(1 + (i * 13) % 255);
  return bytes;
}

TEST(MacroRecord, NameIsLittleEndianUtf16CutToItsField) {
  MacroRecord record{};
  record.SetName(u"宏A");
  EXPECT_EQ(record.name[0], 0x8F);  // U+5B8F
  EXPECT_EQ(record.name[1], 0x5B);
  EXPECT_EQ(record.name[2], 'A');
  EXPECT_EQ(record.name[3], 0);
  EXPECT_EQ(record.Name(), u"宏A");
  EXPECT_TRUE(record.IsNamed());

  record.SetName(std::u16string(400, u'x'));
  EXPECT_EQ(record.Name(), std::u16string(254, u'x'));
  EXPECT_EQ(record.name[508], 0);
  EXPECT_EQ(record.name[509], 0);

  record.SetName(u"");
  EXPECT_FALSE(record.IsNamed());
}

TEST(MacroRecord, LoopCountIsLowByteFirstInTheRecordAndHighByteFirstInTheSlot) {
  MacroRecord record{};
  record.SetLoopCount(300);
  EXPECT_EQ(record.loopCount[0], 0x2C);
  EXPECT_EQ(record.loopCount[1], 0x01);
  record.flags = 1;
  record.deviceEvents[0] = 0x01;
  record.deviceEvents[1] = 0x04;
  record.deviceEvents[189] = 0x77;
  const MacroSlot slot = PackMacroSlot(record);
  EXPECT_EQ(slot[0], 0x01);
  EXPECT_EQ(slot[1], 0x2C);
  EXPECT_EQ(slot[2], 0x01);
  EXPECT_EQ(slot[3], 0x04);
  EXPECT_EQ(slot[191], 0x77);
}

class MacroFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return MacroFilePath(folder_.path()); }
  TempFolder folder_;
  std::unique_ptr<MacroLibrary> library_ = std::make_unique<MacroLibrary>();
};

TEST_F(MacroFileTest, FirstStartCreatesAnEmptyLibraryFile) {
  library_->records[3].SetName(u"stale");
  EXPECT_EQ(LoadMacroFile(*library_, folder_.path()).outcome, MacroLoadOutcome::Created);
  const std::vector<uint8_t> file = ReadAll(File());
  EXPECT_EQ(file, std::vector<uint8_t>(169860, 0));
  EXPECT_TRUE(MacroNames(*library_).empty());
}

TEST_F(MacroFileTest, FilesOfAnyLengthFillWhatTheyHoldAndTheRestIsZero) {
  for (std::size_t size : {0, 1000, 169860, 200000}) {
    SCOPED_TRACE(size);
    const std::vector<uint8_t> file = PatternFile(size);
    WriteAll(File(), file);
    std::memset(library_.get(), 0xEE, sizeof(MacroLibrary));
    EXPECT_EQ(LoadMacroFile(*library_, folder_.path()).outcome, MacroLoadOutcome::Loaded);

    std::vector<uint8_t> expected(sizeof(MacroLibrary), 0);
    std::copy_n(file.begin(), std::min(size, expected.size()), expected.begin());
    EXPECT_EQ(BytesOf(*library_), expected);
  }
}

TEST_F(MacroFileTest, SaveWritesTheWholeLibraryAndLoadReadsItBack) {
  library_->records[0].SetName(u"Macro_001");
  library_->records[0].SetLoopCount(999);
  library_->records[189].reserved = 0;
  library_->records[189].displayEvents[5] = 9;
  ASSERT_TRUE(SaveMacroFile(*library_, folder_.path()).ok());
  EXPECT_EQ(ReadAll(File()), BytesOf(*library_));

  auto loaded = std::make_unique<MacroLibrary>();
  EXPECT_EQ(LoadMacroFile(*loaded, folder_.path()).outcome, MacroLoadOutcome::Loaded);
  EXPECT_EQ(BytesOf(*loaded), BytesOf(*library_));
}

TEST_F(MacroFileTest, FailedSaveKeepsThePreviousFile) {
  const std::vector<uint8_t> previous = PatternFile(169860);
  WriteAll(File(), previous);
  const FileStatus missingFolder = SaveMacroFile(*library_, folder_.path() / "gone/");
  EXPECT_EQ(missingFolder.error, FileError::CannotOpen);

  TempFolder other;
  std::filesystem::create_directories(MacroFilePath(other.path()) / "inside");
  EXPECT_EQ(SaveMacroFile(*library_, other.path()).error, FileError::CannotReplace);
  EXPECT_TRUE(std::filesystem::is_directory(MacroFilePath(other.path())));
  EXPECT_EQ(ReadAll(File()), previous);
}

TEST_F(MacroFileTest, AnUnreadableFileIsReportedAndNotReplaced) {
  std::filesystem::create_directories(File() / "inside");
  const MacroLoadResult result = LoadMacroFile(*library_, folder_.path());
  EXPECT_EQ(result.outcome, MacroLoadOutcome::NotLoaded);
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(std::filesystem::exists(File() / "inside"));
}

TEST(MacroSlots, ListingAndPackingStopAtTheFirstFreeRecord) {
  auto library = std::make_unique<MacroLibrary>();
  library->records[0].SetName(u"one");
  library->records[0].SetLoopCount(2);
  library->records[1].SetName(u"two");
  library->records[1].deviceEvents[0] = 0x42;
  library->records[3].SetName(u"after a gap");  // not offered, not packed
  auto block = std::make_unique<DeviceStateBlock>();
  for (MacroSlot& slot : block->macroSlots) slot.fill(0xAA);

  EXPECT_EQ(MacroNames(*library), (std::vector<std::u16string>{u"one", u"two"}));
  EXPECT_EQ(PackMacroSlots(*library, *block), 2u);
  EXPECT_EQ(block->macroSlots[0], PackMacroSlot(library->records[0]));
  EXPECT_EQ(block->macroSlots[1][2], 0x42);
  MacroSlot untouched;
  untouched.fill(0xAA);
  EXPECT_EQ(block->macroSlots[2], untouched);
  EXPECT_EQ(block->macroSlots[3], untouched);
}

TEST(MacroSlots, PackingStopsAtTheKeyboardsThirtyTwoSlots) {
  auto library = std::make_unique<MacroLibrary>();
  for (std::size_t i = 0; i < 40; ++i)
    library->records[i].SetName(u"m" + std::u16string(1, u'A' + i));
  auto block = std::make_unique<DeviceStateBlock>();
  EXPECT_EQ(PackMacroSlots(*library, *block), 32u);
}

TEST(NewMacroName, TakesTheFirstNumberNotInTheList) {
  EXPECT_EQ(NewMacroName({}), u"Macro_001");
  std::vector<std::u16string> names = {u"Macro_001", u"renamed", u"Macro_003"};
  EXPECT_EQ(NewMacroName(names), u"Macro_002");
  names = {};
  for (int n = 1; n <= 98; ++n) names.push_back(NewMacroName(names));
  EXPECT_EQ(names[8], u"Macro_009");
  EXPECT_EQ(names[9], u"Macro_010");
  EXPECT_EQ(names[97], u"Macro_098");
  EXPECT_EQ(NewMacroName(names), u"Macro_99");
}

}  // namespace
}  // namespace tarsel
