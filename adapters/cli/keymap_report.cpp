#include "keymap_report.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "config/key_table.h"
#include "config/utf_text.h"
#include "device/sequences/host_action.h"
#include "lighting/effects.h"
#include "report_text.h"

namespace tarsel {

namespace {

// "Static", "Wave", ... "DIY5"; empty for a code outside the effect list.
std::string EffectText(uint8_t code) {
  return Utf16ToUtf8(EffectName(code, false).value_or(u""));
}

std::string ColorText(uint8_t red, uint8_t green, uint8_t blue) {
  return "#" + Hex2(red) + Hex2(green) + Hex2(blue);
}

std::string KeyColor(const ColorPage& page, uint16_t position) {
  return ColorText(page[position + 1u], page[position + 2u], page[position + 3u]);
}

const char* KindName(uint8_t kind) {
  switch (kind) {
    case KindSingle:
      return "Single";
    case KindCombine:
      return "Combine";
    case KindMacro:
      return "Macro";
    case KindBasic:
      return "Basic";
    case KindPlaySound:
      return "PlaySound";
    case KindStartup:
      return "Startup";
    case KindOpenFile:
      return "OpenFile";
    case KindOpenFolder:
      return "OpenFolder";
    case KindNone:
      return "None";
    default:
      return "Unknown";
  }
}

// Records worth listing: anything assigned, not the empty or untouched ones.
bool IsAssigned(const ActionRecord& record) {
  if (record.kind == KindNone) return false;
  if (record.kind == KindSingle || record.kind == KindCombine) return record.dataLength > 0;
  return true;
}

// The captured key codes of a single-key or combination record, as many as it counts.
std::vector<uint8_t> CapturedKeys(const ActionRecord& record) {
  if (record.kind != KindSingle && record.kind != KindCombine) return {};
  return {record.data.begin(),
          record.data.begin() + std::min<std::size_t>(record.dataLength, record.data.size())};
}

// What the record holds beyond its kind, for the text report.
std::string RecordDetail(const ActionRecord& record, const KeyLabels& labels) {
  if (IsHostActionKind(record.kind)) return " \"" + Utf16ToUtf8(RecordPath(record)) + "\"";
  if (record.kind == KindMacro) return " " + std::to_string(record.data[2]);
  if (record.kind == KindBasic) {
    return " [" + Hex2(record.data[0]) + " " + Hex2(record.data[1]) + " " + Hex2(record.data[2]) +
           " " + Hex2(record.data[3]) + "]";
  }
  std::string keys;
  for (uint8_t code : CapturedKeys(record)) {
    keys += (keys.empty() ? " " : "+") + KeyCodeName(labels, code);
  }
  return keys;
}

}  // namespace

std::string KeyCodeName(const KeyLabels& labels, uint8_t keyCode) {
  std::string label = Utf16ToUtf8(labels.LabelOf(keyCode));
  while (!label.empty() && label.back() == ' ') label.pop_back();
  return label.empty() ? "0x" + Hex2(keyCode) : label;
}

bool KeyEnabled(const DeviceStateBlock& block, std::size_t keyIndex) {
  const uint8_t bit = KeyTable[keyIndex].enableBit;
  return (block.keyEnable[bit / 8] >> (bit % 8)) & 1u;
}

std::string DescribeEntry(const KeyMapEntry& entry) {
  std::string text = "[" + Hex2(entry[0]) + " " + Hex2(entry[1]) + " " + Hex2(entry[2]) + " " +
                     Hex2(entry[3]) + "]";
  switch (static_cast<FunctionType>(entry[0])) {
    case FunctionType::Keys:
      return text + " keys";
    case FunctionType::Consumer:
      return text + " consumer 0x" + Hex2(entry[3]) + Hex2(entry[2]);
    case FunctionType::Macro:
      return text + " macro slot " + std::to_string(entry[2]);
    case FunctionType::HostAction:
      return text + " host action, key code 0x" + Hex2(entry[2]);
  }
  return text;
}

std::string KeymapText(const DeviceStateBlock& block, const ActionStore& store,
                       const KeyLabels& labels) {
  std::ostringstream out;
  const std::string effectName = EffectText(block.effect);
  out << "lighting: effect " << int{block.effect}
      << (effectName.empty() ? "" : " (" + effectName + ")") << ", speed " << int{block.speed}
      << ", brightness " << int{block.brightness} << ", colour " << int{block.colorChoice}
      << (block.colorChoice == 8 ? " (multicolour)" : "") << ", direction " << int{block.direction}
      << "\n";
  out << "palette:";
  for (std::size_t i = 0; i < kPaletteEntries; ++i) {
    const RgbColor& c = block.palette[i];
    out << " " << i + 1 << " " << ColorText(c[0], c[1], c[2]);
  }
  out << "\ngame mode: " << (block.gameMode ? "on" : "off") << "\n";
  out << "win lock: " << (block.winLock ? "on" : "off") << "\n";
  out << "response time: " << int{block.responseTime} << " (" << 2 * block.responseTime << " ms)\n";
  out << "report rate: " << int{block.reportRate} << "\n";

  out << "key map:\n";
  for (std::size_t k = 0; k < KeyTable.size(); ++k) {
    const KeyTableEntry& key = KeyTable[k];
    const KeyMapEntry& entry = block.keyMap[MapEntryIndex(key.position)];
    out << "  " << KeyCodeName(labels, key.defaultKeyCode) << ": " << DescribeEntry(entry)
        << (entry == key.defaultEntry ? " (default)" : "")
        << (KeyEnabled(block, k) ? "" : " (disabled)") << "\n";
  }
  out << "actions:\n";
  for (std::size_t i = 0; i < store.records.size(); ++i) {
    const ActionRecord& record = store.records[i];
    if (!IsAssigned(record)) continue;
    out << "  " << i << " " << KeyCodeName(labels, record.keyCode) << ": " << KindName(record.kind)
        << RecordDetail(record, labels) << "\n";
  }
  for (std::size_t page = 0; page < kColorPageCount; ++page) {
    out << "colour page " << page << " (DIY" << page + 1 << "):";
    for (std::size_t k = 0; k < KeyTable.size(); ++k) {
      out << (k % 6 == 0 ? "\n   " : "") << " " << KeyCodeName(labels, KeyTable[k].defaultKeyCode)
          << "=" << KeyColor(block.colorPages[page], KeyTable[k].position);
    }
    out << "\n";
  }
  return out.str();
}

std::string KeymapJson(const DeviceStateBlock& block, const ActionStore& store,
                       const KeyLabels& labels) {
  std::ostringstream out;
  out << "{\n  \"lighting\": {\"effect\": " << int{block.effect}
      << ", \"effectName\": " << JsonString(EffectText(block.effect))
      << ", \"speed\": " << int{block.speed} << ", \"brightness\": " << int{block.brightness}
      << ", \"colorChoice\": " << int{block.colorChoice}
      << ", \"direction\": " << int{block.direction} << "},\n  \"palette\": [";
  for (std::size_t i = 0; i < kPaletteEntries; ++i) {
    const RgbColor& c = block.palette[i];
    out << (i ? ", " : "") << JsonString(ColorText(c[0], c[1], c[2]));
  }
  out << "],\n  \"gameMode\": " << int{block.gameMode} << ",\n  \"winLock\": " << int{block.winLock}
      << ",\n  \"responseTime\": " << int{block.responseTime}
      << ",\n  \"reportRate\": " << int{block.reportRate} << ",\n  \"keys\": [";
  for (std::size_t k = 0; k < KeyTable.size(); ++k) {
    const KeyTableEntry& key = KeyTable[k];
    const KeyMapEntry& entry = block.keyMap[MapEntryIndex(key.position)];
    out << (k ? "," : "") << "\n    {\"index\": " << k
        << ", \"label\": " << JsonString(KeyCodeName(labels, key.defaultKeyCode))
        << ", \"keyCode\": " << int{key.defaultKeyCode} << ", \"entry\": [" << int{entry[0]} << ", "
        << int{entry[1]} << ", " << int{entry[2]} << ", " << int{entry[3]}
        << "], \"default\": " << (entry == key.defaultEntry ? "true" : "false")
        << ", \"enabled\": " << (KeyEnabled(block, k) ? "true" : "false") << ", \"colors\": [";
    for (std::size_t page = 0; page < kColorPageCount; ++page) {
      out << (page ? ", " : "") << JsonString(KeyColor(block.colorPages[page], key.position));
    }
    out << "]}";
  }
  out << "\n  ],\n  \"actions\": [";
  bool first = true;
  for (std::size_t i = 0; i < store.records.size(); ++i) {
    const ActionRecord& record = store.records[i];
    if (!IsAssigned(record)) continue;
    out << (first ? "" : ",") << "\n    {\"record\": " << i
        << ", \"label\": " << JsonString(KeyCodeName(labels, record.keyCode))
        << ", \"keyCode\": " << int{record.keyCode}
        << ", \"kind\": " << JsonString(KindName(record.kind))
        << ", \"path\": " << JsonString(Utf16ToUtf8(RecordPath(record)))
        << ", \"dataLength\": " << int{record.dataLength} << ", \"code\": [" << int{record.data[0]}
        << ", " << int{record.data[1]} << ", " << int{record.data[2]} << ", " << int{record.data[3]}
        << "], \"keys\": [";
    const std::vector<uint8_t> keys = CapturedKeys(record);
    for (std::size_t n = 0; n < keys.size(); ++n) {
      out << (n ? ", " : "") << JsonString(KeyCodeName(labels, keys[n]));
    }
    out << "]}";
    first = false;
  }
  out << (first ? "]\n}\n" : "\n  ]\n}\n");
  return out.str();
}

}  // namespace tarsel
