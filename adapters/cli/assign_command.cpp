#include "assign_command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>
#include <variant>

#include "cli/file_input.h"
#include "cli/key_names.h"
#include "cli/keymap_report.h"
#include "cli/report_text.h"
#include "cli/tarselctl.h"
#include "config/assignment_compiler.h"
#include "config/atomic_file.h"
#include "config/key_table.h"
#include "config/keymap_file.h"
#include "config/utf_text.h"

namespace tarsel {
namespace {

namespace fs = std::filesystem;

enum class AssignAction { Compile, Enable, Disable };

struct AssignRequest {
  fs::path file;
  std::size_t key = 0;
  AssignAction action = AssignAction::Compile;
  PendingAssignment pending;
  std::optional<fs::path> macroFile;  // --macros
  std::string macroWord;              // index or name, resolved against the library
};

struct Refusal {
  int exitCode = kExitBadInput;
  std::string message;
};

constexpr const char* kKindNames =
    "single, combine, macro, basic, play-sound, startup, open-file, open-folder, default, "
    "disable, enable";

bool IsConsumerUsage(uint8_t usage) {
  return usage == 0x83 || usage == 0xCD || usage == 0xE9 || usage == 0xEA;
}

// A key as a key press would capture it: one the keyboard can send as a key.
std::variant<uint8_t, Refusal> CapturedKey(const std::string& word, const KeyLabels& labels) {
  auto parsed = ParseKeyCode(word, labels);
  if (auto* error = std::get_if<KeyNameError>(&parsed)) {
    return Refusal{kExitBadInput, "assign: " + error->message};
  }
  const uint8_t code = std::get<uint8_t>(parsed);
  if (code >= 0xF0)
    return Refusal{kExitBadInput, "assign: '" + word + "' is not a key of a keyboard"};
  if (labels.UsageOf(code) == 0) {
    return Refusal{kExitBadInput,
                   "assign: '" + word + "' has no key usage; the keyboard cannot send it"};
  }
  return code;
}

std::optional<std::u16string> BasicFunctionName(const std::string& word) {
  for (const BasicFunction& function : BasicFunctions()) {
    const std::string name(function.english.begin(), function.english.end());
    if (name.size() == word.size() &&
        std::equal(name.begin(), name.end(), word.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      return std::u16string(function.english);
    }
  }
  return std::nullopt;
}

std::string BasicFunctionList() {
  std::string names;
  for (const BasicFunction& function : BasicFunctions()) {
    names +=
        (names.empty() ? "" : ", ") + std::string(function.english.begin(), function.english.end());
  }
  return names;
}

std::optional<uint8_t> HostKind(const std::string& word) {
  if (word == "play-sound") return KindPlaySound;
  if (word == "startup") return KindStartup;
  if (word == "open-file") return KindOpenFile;
  if (word == "open-folder") return KindOpenFolder;
  return std::nullopt;
}

// The kind's words after KIND, into the pending assignment.
std::optional<Refusal> ParseKind(const std::string& kind, const std::vector<std::string>& words,
                                 const KeyLabels& labels, AssignRequest& request) {
  PendingAssignment& pending = request.pending;
  auto expect = [&](std::size_t count, const char* what) -> std::optional<Refusal> {
    if (words.size() == count) return std::nullopt;
    return Refusal{kExitBadInput, "assign: " + kind + " takes " + what};
  };
  if (kind == "single" || kind == "combine") {
    const bool single = kind == "single";
    if (single ? words.size() != 1 : (words.size() < 2 || words.size() > 3)) {
      return Refusal{kExitBadInput,
                     "assign: " + kind + (single ? " takes one key" : " takes 2 or 3 keys")};
    }
    pending.kind = single ? KindSingle : KindCombine;
    for (std::size_t i = 0; i < words.size(); ++i) {
      auto captured = CapturedKey(words[i], labels);
      if (auto* refusal = std::get_if<Refusal>(&captured)) return *refusal;
      const uint8_t code = std::get<uint8_t>(captured);
      // A media key is a consumer function, not a keyboard usage the combination could hold.
      if (!single && IsConsumerUsage(labels.UsageOf(code))) {
        return Refusal{kExitBadInput, "assign: '" + words[i] +
                                          "' is a media key and cannot be part of a combination"};
      }
      if (std::find(pending.keys.begin(), pending.keys.begin() + i, code) !=
          pending.keys.begin() + i) {
        return Refusal{kExitBadInput, "assign: '" + words[i] + "' is named twice"};
      }
      pending.keys[i] = code;
    }
    pending.count = static_cast<uint32_t>(words.size());
    return std::nullopt;
  }
  if (kind == "macro") {
    if (auto refusal = expect(1, "a macro's index or name")) return refusal;
    pending.kind = KindMacro;
    request.macroWord = words[0];
    return std::nullopt;
  }
  if (kind == "basic") {
    if (auto refusal = expect(1, "a function name")) return refusal;
    const std::optional<std::u16string> name = BasicFunctionName(words[0]);
    if (!name) {
      return Refusal{kExitBadInput, "assign: no basic function is named '" + words[0] + "' (" +
                                        BasicFunctionList() + ")"};
    }
    pending.kind = KindBasic;
    pending.functionLabel = *name;
    return std::nullopt;
  }
  if (const std::optional<uint8_t> host = HostKind(kind)) {
    if (auto refusal = expect(1, "a path")) return refusal;
    if (words[0].empty()) return Refusal{kExitBadInput, "assign: " + kind + ": empty path"};
    // Host actions are opened from the program's own folder later: keep the path whole.
    std::error_code error;
    const fs::path absolute = fs::absolute(words[0], error);
    if (error) return Refusal{kExitBadInput, "assign: " + kind + ": " + error.message()};
    const std::optional<std::u16string> path = Utf8ToUtf16(absolute.string());
    if (!path) return Refusal{kExitBadInput, "assign: " + kind + ": path is not valid UTF-8"};
    if (path->size() > kActionPathUnits - 1) {
      return Refusal{kExitBadInput, "assign: " + kind + ": path longer than " +
                                        std::to_string(kActionPathUnits - 1) +
                                        " UTF-16 code units"};
    }
    pending.kind = *host;
    pending.hostPath = *path;
    return std::nullopt;
  }
  if (kind == "default") {
    if (auto refusal = expect(0, "nothing more")) return refusal;
    pending.kind = KindDefault;
    pending.count = kDefaultButtonCount;  // the Default button: own function, key enabled
    return std::nullopt;
  }
  if (kind == "disable" || kind == "enable") {
    if (auto refusal = expect(0, "nothing more")) return refusal;
    request.action = kind == "disable" ? AssignAction::Disable : AssignAction::Enable;
    pending.keyEnabled = kind == "enable" ? 1 : 0;
    return std::nullopt;
  }
  return Refusal{kExitBadInput, "assign: unknown kind '" + kind + "' (" + kKindNames + ")"};
}

std::variant<AssignRequest, Refusal> ParseRequest(const std::vector<std::string>& args,
                                                  const KeyLabels& labels) {
  std::vector<std::string> words;
  AssignRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--macros") {
      if (i + 1 >= args.size() || request.macroFile) {
        return Refusal{kExitBadInput, "assign: --macros takes one file"};
      }
      request.macroFile = args[++i];
    } else {
      words.push_back(args[i]);
    }
  }
  if (words.size() < 3) return Refusal{kExitBadInput, "assign: expects FILE KEY KIND ..."};
  request.file = words[0];
  auto key = ParseKeyIndex(words[1], labels);
  if (auto* error = std::get_if<KeyNameError>(&key)) {
    return Refusal{kExitBadInput, "assign: " + error->message};
  }
  request.key = std::get<std::size_t>(key);
  const std::vector<std::string> kindWords(words.begin() + 3, words.end());
  if (auto refusal = ParseKind(words[2], kindWords, labels, request)) return *refusal;
  return request;
}

// The library the macro kind needs: --macros, else MacroDefine.bin beside FILE. Never created.
std::optional<Refusal> LoadLibrary(const AssignRequest& request, MacroLibrary& library) {
  const fs::path file =
      request.macroFile
          ? *request.macroFile
          : (request.file.has_parent_path() ? request.file.parent_path() : fs::path(".")) /
                kMacroFileName;
  if (auto problem = LoadMacroLibraryFile(file, library)) {
    return Refusal{kExitBadInput, "assign: macro library " + *problem +
                                      (request.macroFile ? "" : " (give --macros FILE)")};
  }
  return std::nullopt;
}

// The macro's row in the assignment list, which must also be one of the keyboard's slots.
std::variant<int32_t, Refusal> ResolveMacro(const std::string& word, const MacroLibrary& library) {
  const std::vector<std::u16string> names = MacroNames(library);
  const std::size_t assignable = std::min(names.size(), kMacroSlotCount);
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), index);
  if (error != std::errc() || end != word.data() + word.size()) {
    const std::optional<std::u16string> name = Utf8ToUtf16(word);
    const auto found = name ? std::find(names.begin(), names.end(), *name) : names.end();
    if (found == names.end())
      return Refusal{kExitBadInput, "assign: no macro is named '" + word + "'"};
    index = static_cast<std::size_t>(found - names.begin());
  }
  if (index >= assignable) {
    return Refusal{kExitBadInput,
                   "assign: macro " + word + " cannot be assigned; the library offers " +
                       (assignable == 0 ? std::string("no macros")
                                        : "macros 0 to " + std::to_string(assignable - 1))};
  }
  return static_cast<int32_t>(index);
}

}  // namespace

CommandResult RunAssignCommand(const std::vector<std::string>& args, std::ostream& out) {
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  auto parsed = ParseRequest(args, labels);
  if (auto* refusal = std::get_if<Refusal>(&parsed)) return {refusal->exitCode, refusal->message};
  AssignRequest& request = std::get<AssignRequest>(parsed);

  auto config = std::make_unique<Configuration>();
  if (auto problem = LoadKeymapExactly(request.file, *config)) return {kExitBadInput, *problem};
  // As after every load in the program: the host-action code comes from here.
  ResetKeyCodes(config->store);

  auto library = std::make_unique<MacroLibrary>();
  if (request.pending.kind == KindMacro && request.action == AssignAction::Compile) {
    if (auto refusal = LoadLibrary(request, *library)) return {refusal->exitCode, refusal->message};
    auto index = ResolveMacro(request.macroWord, *library);
    if (auto* refusal = std::get_if<Refusal>(&index)) return {refusal->exitCode, refusal->message};
    request.pending.macroIndex = std::get<int32_t>(index);
  }

  // No program folder: FILE is the only file written, once, below.
  std::array<bool, kKeyCount> keyChanged{};
  const AssignmentTarget target{*config,     *library, labels, keyChanged, FunctionNames::English,
                                std::nullopt};
  if (request.action == AssignAction::Compile) {
    CompileAssignment(request.key, request.pending, target);
  } else {
    UpdateKeyEnable(request.key, request.pending, target);
  }

  // A link to a profile keeps being a link: the file it points to is replaced.
  std::error_code error;
  const fs::path destination =
      fs::is_symlink(request.file, error) ? fs::canonical(request.file, error) : request.file;
  if (error) return {kExitFileFailed, request.file.string() + ": " + error.message()};
  const FileStatus status =
      ReplaceFileAtomically(destination, SerializeKeymap(config->block, config->store));
  if (!status.ok()) {
    return {kExitFileFailed, request.file.string() + ": " + DescribeFileStatus(status)};
  }
  const KeyTableEntry& key = KeyTable[request.key];
  out << KeyCodeName(labels, key.defaultKeyCode) << ": "
      << DescribeEntry(config->block.keyMap[MapEntryIndex(key.position)])
      << (KeyEnabled(config->block, request.key) ? "" : " (disabled)") << "\n";
  return {kExitOk, ""};
}

std::string AssignUsage() {
  return "assign kinds: single KEY | combine KEY KEY [KEY] | macro INDEX|NAME | basic NAME |\n"
         "  play-sound PATH | startup PATH | open-file PATH | open-folder PATH | default |\n"
         "  disable | enable\n"
         "  KEY: a label (Esc, A, F12, \"Volume UP\"), a key code (0x1B) or index:N (0-107)\n"
         "  macro: the library is MacroDefine.bin beside FILE, or --macros LIBRARY\n"
         "  basic: " +
         BasicFunctionList() + "\n";
}

}  // namespace tarsel
