#include "kbdsim_options.h"

#include <charconv>
#include <limits>

namespace tarsel {
namespace {

constexpr uint64_t kMaxPageDelayMs = 60'000;

// Decimal, or hexadecimal with a 0x prefix; the whole text must be the number.
std::optional<uint64_t> ParseUnsigned(const std::string& text) {
  int base = 10;
  std::size_t start = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    start = 2;
  }
  uint64_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  if (first == last) return std::nullopt;
  const auto [end, error] = std::from_chars(first, last, value, base);
  if (error != std::errc{} || end != last) return std::nullopt;
  return value;
}

KbdsimCommand ParsePress(const std::vector<std::string>& args) {
  PressOptions press;
  std::optional<uint64_t> code;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--dir") {
      if (i + 1 >= args.size()) return OptionsError{"--dir needs a folder"};
      press.folder = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return OptionsError{"press: unknown option '" + arg + "'"};
    } else if (code) {
      return OptionsError{"press: unexpected argument '" + arg + "'"};
    } else {
      code = ParseUnsigned(arg);
      if (!code || *code > std::numeric_limits<uint8_t>::max()) {
        return OptionsError{"press: key code must be 0 to 255 (decimal or 0x-hex), not '" + arg +
                            "'"};
      }
    }
  }
  if (!code) return OptionsError{"press needs a key code"};
  press.keyCode = static_cast<uint8_t>(*code);
  return press;
}

}  // namespace

KbdsimCommand ParseKbdsimArguments(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "press") return ParsePress(args);

  ServeOptions serve;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--dir" || arg == "--log" || arg == "--page-delay-ms" ||
                            arg == "--stall-after" || arg == "--exit-after";
    if (arg == "--drop-acks") {
      serve.dropAcks = true;
      continue;
    }
    if (!takesValue) return OptionsError{"unknown argument '" + arg + "'"};
    if (i + 1 >= args.size()) return OptionsError{arg + " needs a value"};
    const std::string& value = args[++i];
    if (arg == "--dir" || arg == "--log") {
      if (value.empty()) return OptionsError{arg + " needs a non-empty value"};
      (arg == "--dir" ? serve.folder : serve.logFile) = value;
      continue;
    }
    const std::optional<uint64_t> number = ParseUnsigned(value);
    if (!number) return OptionsError{arg + " needs a whole number, not '" + value + "'"};
    if (arg == "--page-delay-ms") {
      if (*number > kMaxPageDelayMs) return OptionsError{"--page-delay-ms is at most 60000"};
      serve.pageDelay = std::chrono::milliseconds(*number);
    } else if (arg == "--stall-after") {
      serve.stallAfter = *number;
    } else {
      if (*number == 0) return OptionsError{"--exit-after needs at least 1"};
      serve.exitAfter = *number;
    }
  }
  return serve;
}

}  // namespace tarsel
