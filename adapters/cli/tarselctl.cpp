#include "tarselctl.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <ostream>
#include <variant>

#include "cli/assign_command.h"
#include "cli/file_input.h"
#include "cli/keymap_report.h"
#include "cli/macros_command.h"
#include "cli/message_loop.h"
#include "cli/setting_change.h"
#include "config/atomic_file.h"
#include "config/configuration.h"
#include "config/key_labels.h"
#include "config/keymap_file.h"
#include "device/device_link.h"
#include "device/sequences/device_session.h"
#include "device/sequences/event_listener.h"
#include "device/sequences/host_action.h"
#include "device/sequences/whole_device_sequences.h"
#include "platform/messages.h"
#include "platform/system_clock.h"
#include "posix/posix_shell.h"

namespace tarsel {

namespace {

namespace fs = std::filesystem;

struct Context {
  ToolEnvironment& env;
  std::chrono::milliseconds ackTimeout{1000};
};

int Fail(Context& context, int code, const std::string& message) {
  context.env.err << "tarselctl: " << message << "\n";
  return code;
}

// keymap.bin of the program folder when there is one; nothing is created.
void LoadProgramKeymap(Context& context, Configuration& config) {
  std::vector<uint8_t> bytes;
  if (ReadFilePrefix(KeymapFilePath(context.env.programFolder), sizeof(KeymapFile), bytes).ok()) {
    ParseKeymapBytes(bytes, config.block, config.store, false);
    ResetKeyCodes(config.store);
  }
}

// The keyboard opened for a read, change and write: link, listener, sequences.
class Keyboard {
 public:
  Keyboard(Context& context, MessageSink& sink)
      : transport_(context.env.makeTransport()),
        link_(*transport_),
        listener_(link_, ack_, sink),
        sequences_(link_, clock_, ack_, SequenceOptions{context.ackTimeout}) {}
  ~Keyboard() {
    listener_.RequestStop();
    link_.CloseLink();
    listener_.Stop();
  }

  bool OpenCommand() { return link_.OpenCommandInterface(); }
  bool OpenBoth() {
    if (!link_.OpenCommandInterface() || !link_.OpenEventInterface()) return false;
    listener_.StartListener();
    return true;
  }
  DeviceLink& Link() { return link_; }
  WholeDeviceSequences& Sequences() { return sequences_; }

 private:
  std::unique_ptr<HidTransport> transport_;
  DeviceLink link_;
  SystemClock clock_;
  AckFlag ack_;
  EventListener listener_;
  WholeDeviceSequences sequences_;
};

class DiscardingSink final : public MessageSink {
 public:
  void Post(uint32_t, uintptr_t, intptr_t) override {}
  intptr_t Send(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

int ReportWrite(Context& context, const WriteResult& result) {
  switch (result.status) {
    case WriteStatus::NothingToSend:
      context.env.err << "tarselctl: the keyboard already holds this configuration\n";
      return kExitOk;
    case WriteStatus::Confirmed:
      return kExitOk;
    case WriteStatus::NotConfirmed:
      break;
  }
  std::string regions;
  for (const Region& region : result.unconfirmed) {
    regions += (regions.empty() ? "" : ", ") + RegionName(region);
  }
  return Fail(context, kExitNotConfirmed, "the keyboard did not confirm: " + regions);
}

// Reads the keyboard, takes the saved copy, lets edit change the live block, writes the changes.
template <typename Edit>
int ReadChangeWrite(Context& context, Configuration& config, Edit edit) {
  DiscardingSink sink;
  Keyboard keyboard(context, sink);
  if (!keyboard.OpenBoth()) return Fail(context, kExitNoKeyboard, "no keyboard found");
  if (!keyboard.Sequences().InitialRead(config.block, config.firmwareVersion)) {
    return Fail(context, kExitDeviceFailed, "the keyboard stopped answering during the read");
  }
  config.TakeSavedBlockCopy();
  edit(config.block);
  return ReportWrite(context, keyboard.Sequences().WriteChanges(config.block, config.savedBlock));
}

int RunList(Context& context, const std::vector<std::string>& args) {
  if (!args.empty())
    return Fail(context, kExitBadInput, "list: unexpected argument '" + args[0] + "'");
  DiscardingSink sink;
  Keyboard keyboard(context, sink);
  const auto command = keyboard.Link().FindInterfacePath(kCommandInterfaceMarker);
  const auto event = keyboard.Link().FindInterfacePath(kEventInterfaceMarker);
  if (!command && !event) return Fail(context, kExitNoKeyboard, "no keyboard found");
  context.env.out << "keyboard 04d9:a1dd\n";
  context.env.out << "  command interface: " << command.value_or("(absent)") << "\n";
  context.env.out << "  event interface: " << event.value_or("(absent)") << "\n";
  std::array<uint8_t, 4> version{};
  bool haveVersion = false;
  if (command && keyboard.OpenCommand()) {
    auto lock = keyboard.Link().LockCommands();
    haveVersion = keyboard.Sequences().Commands().GetVersion(version);
  }
  context.env.out << "  firmware: "
                  << (haveVersion ? std::to_string(version[0]) + "." + std::to_string(version[1])
                                  : std::string("(no answer)"))
                  << "\n";
  return kExitOk;
}

int RunRead(Context& context, const std::vector<std::string>& args) {
  std::optional<fs::path> output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size() && !output) {
      output = args[++i];
    } else {
      return Fail(context, kExitBadInput, "read: unexpected argument '" + args[i] + "'");
    }
  }
  if (output) {
    std::error_code error;
    const fs::path folder = output->has_parent_path() ? output->parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error)) {
      return Fail(context, kExitBadInput, "read: no folder " + folder.string());
    }
  }
  auto config = std::make_unique<Configuration>();
  LoadProgramKeymap(context, *config);
  DiscardingSink sink;
  Keyboard keyboard(context, sink);
  if (!keyboard.OpenCommand()) return Fail(context, kExitNoKeyboard, "no keyboard found");
  if (!keyboard.Sequences().InitialRead(config->block, config->firmwareVersion)) {
    return Fail(context, kExitDeviceFailed, "the keyboard stopped answering during the read");
  }
  if (!output) {
    context.env.out << "firmware: " << int{config->firmwareVersion[0]} << "."
                    << int{config->firmwareVersion[1]} << "\n"
                    << KeymapText(config->block, config->store, KeyLabels::BuildKeyLabels());
    return kExitOk;
  }
  const FileStatus status =
      ReplaceFileAtomically(*output, SerializeKeymap(config->block, config->store));
  if (!status.ok()) {
    return Fail(context, kExitFileFailed, output->string() + ": " + DescribeFileStatus(status));
  }
  return kExitOk;
}

int RunShow(Context& context, const std::vector<std::string>& args) {
  const auto parsed = ParseFileArgument("show", args);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    return Fail(context, kExitBadInput, *problem);
  }
  const auto& [file, json] = std::get<FileArgument>(parsed);
  auto config = std::make_unique<Configuration>();
  if (auto problem = LoadKeymapExactly(file, *config)) {
    return Fail(context, kExitBadInput, *problem);
  }
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  context.env.out << (json ? KeymapJson(config->block, config->store, labels)
                           : KeymapText(config->block, config->store, labels));
  return kExitOk;
}

int RunApply(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].starts_with("-")) {
    return Fail(context, kExitBadInput, "apply: expects one keymap file");
  }
  // The file is checked before the keyboard is touched.
  auto fromFile = std::make_unique<Configuration>();
  if (auto problem = LoadKeymapExactly(args[0], *fromFile)) {
    return Fail(context, kExitBadInput, *problem);
  }
  auto config = std::make_unique<Configuration>();
  return ReadChangeWrite(context, *config,
                         [&](DeviceStateBlock& block) { block = fromFile->block; });
}

int RunSet(Context& context, const std::vector<std::string>& args) {
  auto parsed = ParseSettingChanges(args);
  if (auto* error = std::get_if<SettingError>(&parsed)) {
    return Fail(context, kExitBadInput, error->message);
  }
  const auto changes = std::get<std::vector<SettingChange>>(parsed);
  auto config = std::make_unique<Configuration>();
  return ReadChangeWrite(context, *config, [&](DeviceStateBlock& block) {
    for (const SettingChange& change : changes) ApplySettingChange(change, block);
  });
}

int RunWatch(Context& context, const std::vector<std::string>& args) {
  bool launch = false;
  for (const std::string& arg : args) {
    if (arg == "--launch") {
      launch = true;
    } else {
      return Fail(context, kExitBadInput, "watch: unexpected argument '" + arg + "'");
    }
  }
  // Signals are arranged before any thread starts, so that every thread inherits that.
  MessageLoop loop;
  if (context.env.onWatchStarted) context.env.onWatchStarted([&] { loop.Quit(); });
  auto config = std::make_unique<Configuration>();
  if (launch) LoadProgramKeymap(context, *config);
  std::ostream& out = context.env.out;
  auto transport = context.env.makeTransport();
  DeviceLink link(*transport);
  SystemClock clock;
  PosixShell shell;
  DeviceSession session(
      link, clock, loop, *config,
      [&](std::chrono::milliseconds delay, std::function<void()> task) {
        loop.Schedule(delay, std::move(task));
      },
      SequenceOptions{context.ackTimeout});
  session.SetAckObserver([&] { loop.PostTask([&] { out << "ack" << std::endl; }); });
  loop.SetHandler([&](uint32_t message, uintptr_t wParam, intptr_t) -> intptr_t {
    if (message == WM_HOST_ACTION_KEY) {
      const auto code = static_cast<uint8_t>(wParam);
      out << "key " << int{code};
      if (launch) {
        switch (OnHostActionKey(config->store, code, shell)) {
          case HostActionOutcome::NoRecord:
            out << " (no host action)";
            break;
          case HostActionOutcome::BadPath:
            out << " (path cannot be opened)";
            break;
          case HostActionOutcome::Launched:
            out << " launched";
            break;
          case HostActionOutcome::LaunchFailed:
            out << " (launch failed)";
            break;
        }
      }
      out << std::endl;
    } else if (message == WM_DEVICE_STATE_READY) {
      session.TakeInitialReadResult();
      out << "connected" << std::endl;
    } else if (message == kDeviceChangeMessage) {
      // The listener's own notice: the keyboard stopped answering without a removal.
      const DeviceChange change = DeviceChangeOfNotice(wParam);
      if (change == DeviceChange::Removal) out << "removed" << std::endl;
      session.OnDeviceChange(change);
    }
    return 0;
  });
  auto sources = context.env.makeChangeSources ? context.env.makeChangeSources()
                                               : std::vector<std::unique_ptr<DeviceChangeSource>>{};
  for (auto& source : sources) {
    source->Start([&](DeviceChange change) {
      loop.PostTask([&, change] {
        if (change == DeviceChange::Removal) out << "removed" << std::endl;
        session.OnDeviceChange(change);
      });
    });
  }
  if (!session.OpenEventAndStartListener()) out << "waiting for the keyboard" << std::endl;
  out << "watching" << std::endl;
  loop.Run();
  for (auto& source : sources) source->Stop();
  session.Shutdown();
  return kExitOk;
}

int Report(Context& context, const CommandResult& result) {
  return result.error.empty() ? result.exitCode : Fail(context, result.exitCode, result.error);
}

int RunMacros(Context& context, const std::vector<std::string>& args) {
  return Report(context, RunMacrosCommand(args, context.env.out));
}

int RunAssign(Context& context, const std::vector<std::string>& args) {
  return Report(context, RunAssignCommand(args, context.env.out));
}

struct Subcommand {
  const char* name;
  const char* usage;
  int (*run)(Context&, const std::vector<std::string>&);
};

constexpr Subcommand kSubcommands[] = {
    {"list", "list", RunList},
    {"read", "read [-o FILE]", RunRead},
    {"show", "show FILE [--json]", RunShow},
    {"apply", "apply FILE", RunApply},
    {"set", "set SETTING VALUE [SETTING VALUE ...]", RunSet},
    {"watch", "watch [--launch]", RunWatch},
    {"macros", "macros FILE [--json]", RunMacros},
    {"assign", "assign FILE KEY KIND [ARGS] [--macros LIBRARY]", RunAssign},
};

std::string Usage() {
  std::string text =
      "usage: tarselctl [--program-folder DIR] [--ack-timeout-ms N] COMMAND [ARGS]\ncommands:\n";
  for (const Subcommand& command : kSubcommands) text += std::string("  ") + command.usage + "\n";
  text += "settings: " + SettingUsage() + "\n";
  text += AssignUsage();
  text +=
      "exit codes: 0 done, 1 bad input, 2 no keyboard, 3 write not confirmed, 4 keyboard stopped "
      "answering, 5 file not written\n";
  return text;
}

}  // namespace

int RunTarselctl(const std::vector<std::string>& args, ToolEnvironment& environment) {
  Context context{environment};
  std::size_t i = 0;
  for (; i < args.size() && args[i].starts_with("-"); ++i) {
    const std::string& option = args[i];
    if (option == "-h" || option == "--help") {
      environment.out << Usage();
      return kExitOk;
    }
    if (i + 1 >= args.size()) return Fail(context, kExitBadInput, option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--program-folder") {
      environment.programFolder = value;
    } else if (option == "--ack-timeout-ms") {
      int ms = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), ms);
      if (error != std::errc() || end != value.data() + value.size() || ms < 10 || ms > 60000) {
        return Fail(context, kExitBadInput, "--ack-timeout-ms: expects 10 to 60000");
      }
      context.ackTimeout = std::chrono::milliseconds(ms);
    } else {
      return Fail(context, kExitBadInput, "unknown option '" + option + "'");
    }
  }
  if (i == args.size()) return Fail(context, kExitBadInput, "no command given (see --help)");
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                      args.end());
  for (const Subcommand& command : kSubcommands) {
    if (args[i] == command.name) return command.run(context, rest);
  }
  return Fail(context, kExitBadInput, "unknown command '" + args[i] + "' (see --help)");
}

}  // namespace tarsel
