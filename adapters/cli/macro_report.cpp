#include "macro_report.h"

#include <optional>
#include <sstream>
#include <vector>

#include "cli/keymap_report.h"
#include "cli/report_text.h"
#include "config/utf_text.h"
#include "device/sequences/host_action.h"
#include "macro/event_string.h"

namespace tarsel {
namespace {

struct DecodedMacro {
  std::size_t record = 0;
  std::optional<std::size_t> slot;  // the keyboard slot it is packed into, if any
  const MacroRecord* macro = nullptr;
  std::vector<MacroEvent> events;        // from the display string
  std::vector<MacroEvent> deviceEvents;  // from the device string
  // Both strings hold the same events with the same flags and delays, as every writer keeps them.
  bool consistent = true;
};

std::vector<DecodedMacro> DecodeLibrary(const MacroLibrary& library) {
  std::vector<DecodedMacro> macros;
  bool contiguous = true;
  for (std::size_t i = 0; i < library.records.size(); ++i) {
    const MacroRecord& record = library.records[i];
    if (!record.IsNamed()) {
      contiguous = false;
      continue;
    }
    DecodedMacro macro;
    macro.record = i;
    if (contiguous && i < kMacroSlotCount) macro.slot = i;
    macro.macro = &record;
    macro.events = DecodeEvents(record.displayEvents);
    macro.deviceEvents = DecodeEvents(record.deviceEvents);
    macro.consistent = macro.events.size() == macro.deviceEvents.size();
    for (std::size_t e = 0; macro.consistent && e < macro.events.size(); ++e) {
      const MacroEvent& shown = macro.events[e];
      const MacroEvent& sent = macro.deviceEvents[e];
      macro.consistent = shown.position == sent.position && shown.release == sent.release &&
                         shown.delay == sent.delay;
    }
    macros.push_back(std::move(macro));
  }
  return macros;
}

std::optional<uint8_t> DeviceKey(const DecodedMacro& macro, std::size_t event) {
  if (event >= macro.deviceEvents.size()) return std::nullopt;
  return macro.deviceEvents[event].key;
}

}  // namespace

std::string MacroLibraryText(const MacroLibrary& library, const KeyLabels& labels) {
  const std::vector<DecodedMacro> macros = DecodeLibrary(library);
  if (macros.empty()) return "no macros\n";
  std::ostringstream out;
  for (const DecodedMacro& macro : macros) {
    const MacroRecord& record = *macro.macro;
    out << "macro " << macro.record << " \"" << Utf16ToUtf8(record.Name()) << "\": loop "
        << record.LoopCount() << ", " << macro.events.size() << " events, "
        << (macro.slot ? "slot " + std::to_string(*macro.slot) : std::string("no slot"))
        << ((record.flags & 1u) ? ", delays recorded" : "") << "\n";
    if (!macro.consistent) out << "  (the keyboard's events differ from these)\n";
    for (std::size_t e = 0; e < macro.events.size(); ++e) {
      const MacroEvent& event = macro.events[e];
      const std::optional<uint8_t> usage = DeviceKey(macro, e);
      out << "  " << event.delay << " ms  " << KeyCodeName(labels, event.key)
          << (event.release ? " up" : " dn") << "  (usage "
          << (usage ? "0x" + Hex2(*usage) : std::string("none")) << ")\n";
    }
  }
  return out.str();
}

std::string MacroLibraryJson(const MacroLibrary& library, const KeyLabels& labels) {
  std::ostringstream out;
  out << "{\n  \"macros\": [";
  bool firstMacro = true;
  for (const DecodedMacro& macro : DecodeLibrary(library)) {
    const MacroRecord& record = *macro.macro;
    out << (firstMacro ? "" : ",") << "\n    {\"record\": " << macro.record
        << ", \"name\": " << JsonString(Utf16ToUtf8(record.Name()))
        << ", \"loopCount\": " << record.LoopCount()
        << ", \"delaysRecorded\": " << ((record.flags & 1u) ? "true" : "false")
        << ", \"slot\": " << (macro.slot ? std::to_string(*macro.slot) : std::string("null"))
        << ", \"consistent\": " << (macro.consistent ? "true" : "false") << ", \"events\": [";
    for (std::size_t e = 0; e < macro.events.size(); ++e) {
      const MacroEvent& event = macro.events[e];
      const std::optional<uint8_t> usage = DeviceKey(macro, e);
      out << (e ? "," : "") << "\n      {\"delay\": " << event.delay
          << ", \"action\": " << (event.release ? "\"up\"" : "\"down\"")
          << ", \"key\": " << JsonString(KeyCodeName(labels, event.key))
          << ", \"keyCode\": " << int{event.key}
          << ", \"usage\": " << (usage ? std::to_string(*usage) : std::string("null")) << "}";
    }
    out << (macro.events.empty() ? "]}" : "\n    ]}");
    firstMacro = false;
  }
  out << (firstMacro ? "]\n}\n" : "\n  ]\n}\n");
  return out.str();
}

}  // namespace tarsel
