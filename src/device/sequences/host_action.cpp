#include "device/sequences/host_action.h"

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

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
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
