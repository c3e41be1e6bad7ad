// keymap.bin: load, first-run create, atomic save, start-up sequence.
#include "config/keymap_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/file_bytes.h"
#include "config/key_table.h"
#include "config/temp_folder.h"

namespace tarsel {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

// A file whose every byte is distinct from its neighbours, so offsets cannot be confused.
std::vector<uint8_t> PatternFile(std::size_t size) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = uint8_t((i * 7 + i / 251) & 0xFF);
  return bytes;
}

std::vector<uint8_t> BytesOf(const void* data, std::size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  return {p, p + size};
}

class KeymapFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return KeymapFilePath(folder_.path()); }

  TempFolder folder_;
  std::unique_ptr<Configuration> config_ = std::make_unique<Configuration>();
};

TEST_F(KeymapFileTest, PathIsInTheProgramFolder) {
  EXPECT_EQ(File(), folder_.path() / "keymap.bin");
}

TEST_F(KeymapFileTest, SaveThenLoadGivesTheSameBytes) {
  const std::vector<uint8_t> original = PatternFile(sizeof(KeymapFile));
  WriteAll(File(), original);
  ASSERT_EQ(LoadKeymapFile(*config_, folder_.path(), false).outcome, KeymapLoadOutcome::Loaded);
  ASSERT_TRUE(SaveKeymapFile(*config_, folder_.path(), KeymapSource::Live).ok());

  // Only the key codes of records 0..107 are stamped on load; every other byte is kept.
  std::vector<uint8_t> expected = original;
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    expected[sizeof(DeviceStateBlock) + i * sizeof(ActionRecord)] = KeyTable[i].defaultKeyCode;
  }
  EXPECT_EQ(ReadAll(File()), expected);
}

TEST_F(KeymapFileTest, SavesTheSavedPairWhenAsked) {
  config_->block.effect = 3;
  config_->savedBlock.effect = 7;
  config_->store.records[5].kind = KindMacro;
  config_->savedStore.records[5].kind = KindBasic;
  ASSERT_TRUE(SaveKeymapFile(*config_, folder_.path(), KeymapSource::Saved).ok());
  EXPECT_EQ(ReadAll(File()), SerializeKeymap(config_->savedBlock, config_->savedStore));
  ASSERT_TRUE(SaveKeymapFile(*config_, folder_.path(), KeymapSource::Live).ok());
  EXPECT_EQ(ReadAll(File()), SerializeKeymap(config_->block, config_->store));
}

TEST_F(KeymapFileTest, FirstRunCreatesAFileFromTheBlockAndAnEmptyStore) {
  config_->block.effect = 9;
  config_->block.keyMap[3] = {0, 0, 0x29, 0};
  config_->store.records[200].kind = KindStartup;
  const std::vector<uint8_t> block = BytesOf(&config_->block, sizeof(DeviceStateBlock));

  EXPECT_EQ(LoadKeymapFile(*config_, folder_.path(), false).outcome, KeymapLoadOutcome::Created);

  const std::vector<uint8_t> written = ReadAll(File());
  ASSERT_EQ(written.size(), 206920u);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), written.begin()));
  EXPECT_TRUE(
      std::all_of(written.begin() + 10060, written.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(config_->store.records[200].kind, 0);
  EXPECT_EQ(config_->block.effect, 9);
}

TEST_F(KeymapFileTest, ShortAndLongFilesFillWhatTheyHold) {
  struct Case {
    std::size_t size;
    bool actionsOnly;
  };
  const Case cases[] = {
      {0, false},      {5000, false},   {10060, false}, {12000, false},
      {206920, false}, {300000, false}, {5000, true},   {12000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + (c.actionsOnly ? " actions only" : ""));
    auto config = std::make_unique<Configuration>();
    std::memset(&config->block, 0xAB, sizeof(config->block));
    std::memset(&config->store, 0xCD, sizeof(config->store));
    auto before = std::make_unique<Configuration>(*config);
    const std::vector<uint8_t> file = PatternFile(c.size);
    WriteAll(File(), file);

    ASSERT_EQ(LoadKeymapFile(*config, folder_.path(), c.actionsOnly).outcome,
              KeymapLoadOutcome::Loaded);

    // What the bytes would look like had the whole file been read over the old contents.
    std::vector<uint8_t> expected = SerializeKeymap(before->block, before->store);
    const std::size_t covered = std::min(c.size, expected.size());
    std::copy_n(file.begin(), covered, expected.begin());
    if (c.actionsOnly) {
      const std::vector<uint8_t> oldBlock = BytesOf(&before->block, sizeof(DeviceStateBlock));
      std::copy(oldBlock.begin(), oldBlock.end(), expected.begin());
    }
    for (std::size_t i = 0; i < kKeyCount; ++i) {
      expected[sizeof(DeviceStateBlock) + i * sizeof(ActionRecord)] = KeyTable[i].defaultKeyCode;
    }
    EXPECT_EQ(SerializeKeymap(config->block, config->store), expected);
  }
}

TEST_F(KeymapFileTest, ParseNeverReadsOrWritesPastItsBuffers) {
  // The span is exactly as long as the bytes; a sanitizer build catches any overrun here.
  for (std::size_t size :
       {std::size_t{1}, std::size_t{10059}, std::size_t{10061}, sizeof(KeymapFile) + 1}) {
    auto data = std::make_unique<uint8_t[]>(size);
    std::memset(data.get(), 0x5A, size);
    ParseKeymapBytes({data.get(), size}, config_->block, config_->store, false);
  }
  EXPECT_EQ(config_->store.records[254].path[511], 0x5A);
}

TEST_F(KeymapFileTest, FailedSaveKeepsThePreviousFileAndSaysSo) {
  const std::vector<uint8_t> previous = PatternFile(sizeof(KeymapFile));
  WriteAll(File(), previous);
  config_->block.effect = 1;

  // A folder that does not exist.
  const FileStatus missing = SaveKeymapFile(*config_, folder_.path() / "gone/", KeymapSource::Live);
  EXPECT_EQ(missing.error, FileError::CannotOpen);
  EXPECT_EQ(DescribeFileStatus(missing), "cannot open: No such file or directory");

  // A directory where the file should be: nothing replaces it, and no temporary file is left.
  TempFolder other;
  std::filesystem::create_directory(KeymapFilePath(other.path()));
  std::filesystem::create_directory(KeymapFilePath(other.path()) / "inside");
  const FileStatus blocked = SaveKeymapFile(*config_, other.path(), KeymapSource::Live);
  EXPECT_EQ(blocked.error, FileError::CannotReplace);
  EXPECT_TRUE(std::filesystem::is_directory(KeymapFilePath(other.path())));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(other.path()), {}), 1);

  EXPECT_EQ(ReadAll(File()), previous);
}

TEST_F(KeymapFileTest, AFileThatCannotBeReadIsNotReplaced) {
  std::filesystem::create_directory(File());
  config_->store.records[3].kind = KindMacro;
  const KeymapLoadResult result = LoadKeymapFile(*config_, folder_.path(), false);
  EXPECT_EQ(result.outcome, KeymapLoadOutcome::NotLoaded);
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(std::filesystem::is_directory(File()));
  EXPECT_EQ(config_->store.records[3].kind, KindMacro);
}

TEST_F(KeymapFileTest, FirstRunInAFolderThatCannotHoldTheFileReportsIt) {
  config_->store.records[3].kind = KindMacro;
  const KeymapLoadResult result = LoadKeymapFile(*config_, folder_.path() / "gone/", false);
  EXPECT_EQ(result.outcome, KeymapLoadOutcome::NotLoaded);
  EXPECT_EQ(result.status.error, FileError::CannotOpen);
  EXPECT_EQ(config_->store.records[3].kind, 0);  // the store is emptied as on any first run
}

TEST_F(KeymapFileTest, StartUpEmptiesTheStoreLoadsAndTakesBothSavedCopies) {
  // A short file: its store part reaches only into record 0.
  std::vector<uint8_t> file(sizeof(DeviceStateBlock) + 10, 0);
  file[offsetof(DeviceStateBlock, effect)] = 4;
  file[sizeof(DeviceStateBlock) + 1] = KindBasic;
  WriteAll(File(), file);
  config_->store.records[50].kind = KindStartup;
  config_->savedBlock.effect = 99;

  EXPECT_EQ(LoadKeymapAtStartup(*config_, folder_.path()).outcome, KeymapLoadOutcome::Loaded);

  EXPECT_EQ(config_->block.effect, 4);
  EXPECT_EQ(config_->store.records[0].kind, KindBasic);
  EXPECT_EQ(config_->store.records[50].kind, 0);
  EXPECT_EQ(config_->store.records[50].keyCode, KeyTable[50].defaultKeyCode);
  EXPECT_EQ(std::memcmp(&config_->savedBlock, &config_->block, sizeof(DeviceStateBlock)), 0);
  EXPECT_EQ(std::memcmp(&config_->savedStore, &config_->store, sizeof(ActionStore)), 0);
}

TEST_F(KeymapFileTest, StartUpWithoutAFileCreatesIt) {
  EXPECT_EQ(LoadKeymapAtStartup(*config_, folder_.path()).outcome, KeymapLoadOutcome::Created);
  EXPECT_EQ(std::filesystem::file_size(File()), 206920u);
  EXPECT_EQ(config_->store.records[0].keyCode, KeyTable[0].defaultKeyCode);
}

}  // namespace
}  // namespace tarsel
