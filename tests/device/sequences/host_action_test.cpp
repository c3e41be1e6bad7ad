// Finding the host-action record of a key code and turning its stored path into what is opened.
#include "device/sequences/host_action.h"
#include "config/utf_text.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarsel {
namespace {

void SetPath(ActionRecord& record, std::u16string_view path) {
  record.path.fill(0);
  for (std::size_t i = 0; i < path.size() && i < kActionPathUnits; ++i) {
    record.path[2 * i] = static_cast<uint8_t>(path[i] & 0xFF);
    record.path[2 * i + 1] = static_cast<uint8_t>(path[i] >> 8);
  }
}

class RecordingShell final : public Shell {
 public:
  bool Open(const std::filesystem::path& file, const std::filesystem::path& directory) override {
    opened.push_back({directory.string(), file.string()});
    return true;
  }
  std::vector<std::pair<std::string, std::string>> opened;
};

TEST(HostActionTest, FirstHostRecordWithTheKeyCodeWins) {
  auto store = std::make_unique<ActionStore>();
  for (ActionRecord& record : store->records) record.kind = KindNone;
  store->records[3] = {};
  store->records[3].keyCode = 0x1B;
  store->records[3].kind = KindSingle;  // not a host action
  store->records[7].keyCode = 0x1B;
  store->records[7].kind = KindOpenFolder;
  store->records[9].keyCode = 0x1B;
  store->records[9].kind = KindStartup;
  store->records[200].keyCode = 0x41;
  store->records[200].kind = KindPlaySound;
  EXPECT_EQ(FindHostActionRecord(*store, 0x1B), 7u);
  EXPECT_EQ(FindHostActionRecord(*store, 0x41), 200u);
  EXPECT_EQ(FindHostActionRecord(*store, 0x42), std::nullopt);

  RecordingShell shell;
  SetPath(store->records[7], u"/home/ana/Música/");
  EXPECT_EQ(OnHostActionKey(*store, 0x1B, shell), HostActionOutcome::Launched);
  EXPECT_EQ(OnHostActionKey(*store, 0x42, shell), HostActionOutcome::NoRecord);
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].first, "/home/ana/Música");
}

TEST(HostActionTest, SplitsThePathAtItsLastSlash) {
  struct Case {
    std::u16string path;
    std::optional<std::pair<std::string, std::string>> expected;  // directory, file
  } cases[] = {
      {u"/opt/games/run game.sh", {{"/opt/games", "run game.sh"}}},
      {u"/top.sh", {{"/", "top.sh"}}},
      {u"/home/u/My Folder/", {{"/home/u/My Folder", "/home/u/My Folder"}}},
      {u"/home/u/a\\b.txt", {{"/home/u", "a\\b.txt"}}},  // a backslash is part of a name here
      {u"/音乐/歌 1.mp3", {{"/音乐", "歌 1.mp3"}}},
      {u"notes.txt", std::nullopt},  // no folder: nothing sensible to open
      {u"", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto target = SplitHostActionPath(c.path);
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    ASSERT_EQ(target.has_value(), c.expected.has_value());
    if (!target) continue;
    EXPECT_EQ(target->directory.string(), c.expected->first);
    EXPECT_EQ(target->file.string(), c.expected->second);
  }
}

TEST(HostActionTest, PathIsReadUpToItsTerminatorAndNeverPastTheField) {
  ActionRecord record{};
  SetPath(record, u"/a/b");
  EXPECT_EQ(RecordPath(record), u"/a/b");
  record.path.fill(0x41);  // no terminator at all
  EXPECT_EQ(RecordPath(record).size(), kActionPathUnits);
  EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00 \xD800"), "\xF0\x9F\x98\x80 \xEF\xBF\xBD");
}

}  // namespace
}  // namespace tarsel
