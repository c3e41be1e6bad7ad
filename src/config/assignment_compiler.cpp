#include "config/assignment_compiler.h"

#include <algorithm>

#include "config/key_table.h"
#include "config/keymap_file.h"

namespace tarsel {
namespace {

// Host actions ask the keyboard to report the key; the record keeps this code beside the path.
constexpr KeyMapEntry kHostActionData = {3, 0, 0x23, 2};
constexpr uint8_t kHostActionType = static_cast<uint8_t>(FunctionType::HostAction);
constexpr uint8_t kMacroType = static_cast<uint8_t>(FunctionType::Macro);
constexpr uint8_t kConsumerType = static_cast<uint8_t>(FunctionType::Consumer);

constexpr BasicFunction kBasicFunctions[] = {
    {u"Search", u"搜索", {0x00, 0xE3, 0x09, 0x00}},
    {u"Run", u"运行", {0x00, 0xE3, 0x15, 0x00}},
    {u"Media Player", u"多媒体播放器", {0x03, 0x00, 0x83, 0x01}},
    {u"Prev", u"上一曲", {0x03, 0x00, 0xB6, 0x00}},
    {u"Next", u"下一曲", {0x03, 0x00, 0xB5, 0x00}},
    {u"Play/Pause", u"播放/暂停", {0x03, 0x00, 0xCD, 0x00}},
    {u"Stop", u"停止", {0x03, 0x00, 0xB7, 0x00}},
    {u"Vol+", u"音量+", {0x03, 0x00, 0xE9, 0x00}},
    {u"Vol-", u"音量-", {0x03, 0x00, 0xEA, 0x00}},
    {u"Mute", u"静音", {0x03, 0x00, 0xE2, 0x00}},
    {u"New", u"新建", {0x00, 0xE0, 0x11, 0x00}},
    {u"Cut", u"剪切", {0x00, 0xE0, 0x1B, 0x00}},
    {u"Copy", u"复制", {0x00, 0xE0, 0x06, 0x00}},
    {u"Paste", u"粘贴", {0x00, 0xE0, 0x19, 0x00}},
    {u"Save", u"保存", {0x00, 0xE0, 0x16, 0x00}},
    {u"Print", u"打印", {0x00, 0xE0, 0x13, 0x00}},
    {u"Select All", u"全选", {0x00, 0xE0, 0x04, 0x00}},
    {u"Max", u"最大化", {0x00, 0xE2, 0x2C, 0x1B}},
    {u"Min", u"最小化", {0x00, 0xE2, 0x2C, 0x11}},
    {u"Computer", u"我的电脑", {0x03, 0x00, 0x94, 0x01}},
    {u"Task Management", u"任务管理器", {0x00, 0xE0, 0xE2, 0x4C}},
    {u"Homepage", u"浏览器-主页", {0x03, 0x00, 0x23, 0x02}},
    {u"Close", u"关闭窗口", {0x00, 0xE2, 0x3D, 0x00}},
};

KeyMapEntry& EntryOf(DeviceStateBlock& block, std::size_t k) {
  return block.keyMap[MapEntryIndex(KeyTable[k].position)];
}

void SetEnableBit(DeviceStateBlock& block, std::size_t k, bool enabled) {
  const uint8_t bit = KeyTable[k].enableBit;
  const uint8_t mask = uint8_t(1u << (bit % 8));
  if (enabled) {
    block.keyEnable[bit / 8] |= mask;
  } else {
    block.keyEnable[bit / 8] &= uint8_t(~mask);
  }
}

void ClearRecord(ActionRecord& record) {
  record.kind = KindSingle;
  record.dataLength = 0;
  record.data.fill(0);
}

void SetFunctionCode(ActionRecord& record, const KeyMapEntry& code) {
  std::copy(code.begin(), code.end(), record.data.begin());
}

// Copies the path and its terminator, cut to the field's 255 code units; later bytes stay.
void StorePath(ActionRecord& record, std::u16string_view path) {
  const std::size_t end = std::min({path.find(u'\0'), path.size(), kActionPathUnits - 1});
  for (std::size_t unit = 0; unit < end; ++unit) {
    record.path[2 * unit] = uint8_t(path[unit] & 0xFF);
    record.path[2 * unit + 1] = uint8_t(path[unit] >> 8);
  }
  record.path[2 * end] = 0;
  record.path[2 * end + 1] = 0;
}

void Mark(const AssignmentTarget& target, std::size_t k, bool changed) {
  if (k < target.keyChanged.size()) target.keyChanged[k] = changed;
}

// A macro row the keyboard can play: one of its 32 slots, holding a named (hence packed) record.
bool IsPlayableMacro(int32_t index, const MacroLibrary& library) {
  if (index < 0 || index >= int32_t(kMacroSlotCount)) return false;
  for (int32_t i = 0; i <= index; ++i) {
    if (!library.records[std::size_t(i)].IsNamed()) return false;
  }
  return true;
}

FileStatus SaveLive(const AssignmentTarget& target) {
  if (!target.programFolder) return {};
  return SaveKeymapFile(target.config, *target.programFolder, KeymapSource::Live);
}

}  // namespace

std::span<const BasicFunction> BasicFunctions() {
  return kBasicFunctions;
}

std::optional<KeyMapEntry> BasicFunctionCode(std::u16string_view label, FunctionNames names) {
  for (const BasicFunction& function : kBasicFunctions) {
    const std::u16string_view name =
        names == FunctionNames::Chinese ? function.chinese : function.english;
    if (name == label) return function.code;
  }
  return std::nullopt;
}

KeyMapEntry SingleKeyEntry(uint8_t usage) {
  switch (usage) {
    case 0x83:
      return {kConsumerType, 0, 0x83, 0x01};
    case 0xCD:
    case 0xE9:
    case 0xEA:
      return {kConsumerType, 0, usage, 0};
    default:
      return {0, 0, usage, 0};
  }
}

AssignmentResult CompileAssignment(std::size_t k, PendingAssignment& pending,
                                   const AssignmentTarget& target) {
  if (k >= kKeyCount) return {};
  DeviceStateBlock& block = target.config.block;
  ActionRecord& record = target.config.store.records[k];
  KeyMapEntry& entry = EntryOf(block, k);
  const KeyTableEntry& key = KeyTable[k];

  if (pending.count == kDefaultButtonCount) {
    ClearRecord(record);
    entry = key.defaultEntry;
    SetEnableBit(block, k, true);
    pending.keyEnabled = 1;
    return {true, SaveLive(target)};
  }

  const uint8_t capturedCount = uint8_t(std::min<uint32_t>(pending.count, kPendingKeyCount));
  switch (pending.kind) {
    case KindSingle:
      record.kind = KindSingle;
      record.data = pending.keys;
      record.dataLength = capturedCount;
      if (pending.count != 1) break;
      if (pending.keys[0] == key.defaultKeyCode) {
        // The key back on its own function: nothing to remember, nothing to mark.
        ClearRecord(record);
        Mark(target, k, false);
        entry = key.defaultEntry;
      } else {
        Mark(target, k, true);
        entry = SingleKeyEntry(target.labels.UsageOf(pending.keys[0]));
      }
      break;

    case KindCombine:
      record.kind = KindCombine;
      record.data = pending.keys;
      record.dataLength = capturedCount;
      entry = {0, target.labels.UsageOf(pending.keys[0]), target.labels.UsageOf(pending.keys[1]),
               target.labels.UsageOf(pending.keys[2])};
      if (pending.count > 1) Mark(target, k, true);
      break;

    case KindMacro:
      record.kind = KindMacro;
      SetFunctionCode(record, {kMacroType, 1, uint8_t(pending.macroIndex & 0xFF), 0});
      if (!IsPlayableMacro(pending.macroIndex, target.library)) break;
      entry = {kMacroType, 1, uint8_t(pending.macroIndex), 0};
      Mark(target, k, true);
      PackMacroSlots(target.library, block);
      break;

    case KindBasic:
      record.kind = KindBasic;
      Mark(target, k, true);
      if (const std::optional<KeyMapEntry> code =
              BasicFunctionCode(pending.functionLabel, target.names)) {
        entry = *code;
        SetFunctionCode(record, *code);
      }
      break;

    case KindPlaySound:
    case KindStartup:
    case KindOpenFile:
    case KindOpenFolder: {
      // The keyboard reports the key's own code; the host finds this record by it.
      const uint8_t reportedCode = record.keyCode;
      Mark(target, k, true);
      record.kind = pending.kind;
      record.keyCode = key.defaultKeyCode;
      entry = {kHostActionType, 0, reportedCode, 0};
      SetFunctionCode(record, kHostActionData);
      StorePath(record, pending.hostPath);
      break;
    }

    case KindDefault:
      ClearRecord(record);
      entry = key.defaultEntry;
      break;

    default:
      break;
  }
  return {true, SaveLive(target)};
}

AssignmentResult UpdateKeyEnable(std::size_t k, const PendingAssignment& pending,
                                 const AssignmentTarget& target) {
  if (k >= kKeyCount) return {};
  const bool enabled = pending.keyEnabled == 1;
  SetEnableBit(target.config.block, k, enabled);
  if (!enabled) Mark(target, k, true);
  return {true, SaveLive(target)};
}

}  // namespace tarsel
