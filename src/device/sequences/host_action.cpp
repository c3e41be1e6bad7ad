#include "device/sequences/host_action.h"
#include "config/utf_text.h"

namespace tarsel {

std::optional<std::size_t> FindHostActionRecord(const ActionStore& store, uint8_t keyCode) {
  for (std::size_t i = 0; i < store.records.size(); ++i) {
    const ActionRecord& record = store.records[i];
    if (IsHostActionKind(record.kind) && record.keyCode == keyCode) return i;
  }
  return std::nullopt;
}

std::u16string RecordPath(const ActionRecord& record) {
  std::u16string path;
  for (std::size_t unit = 0; unit < kActionPathUnits; ++unit) {
    const char16_t c =
        static_cast<char16_t>(record.path[2 * unit] | (record.path[2 * unit + 1] << 8));
    if (c == 0) break;
    path.push_back(c);
  }
  return path;
}

std::optional<HostActionTarget> SplitHostActionPath(std::u16string_view path) {
  const auto slash = path.rfind(u'/');
  if (slash == std::u16string_view::npos) return std::nullopt;
  std::u16string_view directory = path.substr(0, slash);
  const std::u16string_view file = path.substr(slash + 1);
  if (file.empty()) {
    // A folder given with its final '/': open the folder itself, from within it.
    if (directory.empty()) return HostActionTarget{"/", "/"};
    const std::filesystem::path folder = Utf16ToUtf8(directory);
    return HostActionTarget{folder, folder};
  }
  return HostActionTarget{directory.empty() ? std::filesystem::path("/")
                                            : std::filesystem::path(Utf16ToUtf8(directory)),
                          Utf16ToUtf8(file)};
}

HostActionOutcome OnHostActionKey(const ActionStore& store, uint8_t keyCode, Shell& shell) {
  const auto index = FindHostActionRecord(store, keyCode);
  if (!index) return HostActionOutcome::NoRecord;
  const auto target = SplitHostActionPath(RecordPath(store.records[*index]));
  if (!target) return HostActionOutcome::BadPath;
  return shell.Open(target->file, target->directory) ? HostActionOutcome::Launched
                                                     : HostActionOutcome::LaunchFailed;
}

}  // namespace tarsel
