// Fakes of the dialogs, tray, shell, launcher, settings, single-instance guard and device-change
// ports: answers are scripted by the test, requests are recorded.
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/device_change.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/settings_reader.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/tray.h"

namespace tarsel::testing {

struct ShownMessageBox {
  std::u16string text;
  std::u16string caption;
  MessageBoxButtons buttons;
};

class FakeDialogs final : public Dialogs {
 public:
  MessageBoxResult ShowMessageBox(WindowHost*, std::u16string_view text,
                                  std::u16string_view caption, MessageBoxButtons buttons) override {
    shown.push_back({std::u16string(text), std::u16string(caption), buttons});
    if (answers.empty()) return MessageBoxResult::Cancel;
    const MessageBoxResult r = answers.front();
    answers.pop_front();
    return r;
  }
  std::optional<Rgb> ChooseColour(WindowHost*, Rgb initial) override {
    colourInitials.push_back(initial);
    return colourAnswer;
  }
  std::optional<std::string> OpenFile(WindowHost*, std::u16string_view,
                                      const std::vector<FileFilter>& filters,
                                      const std::string&) override {
    lastFilters = filters;
    return fileAnswer;
  }
  std::optional<std::string> SaveFile(WindowHost*, std::u16string_view,
                                      const std::vector<FileFilter>& filters, const std::string&,
                                      std::string_view) override {
    lastFilters = filters;
    return fileAnswer;
  }
  std::optional<std::string> BrowseFolder(WindowHost*, std::u16string_view) override {
    return fileAnswer;
  }

  std::deque<MessageBoxResult> answers;  // unanswered boxes count as Cancel
  std::vector<ShownMessageBox> shown;
  std::optional<Rgb> colourAnswer;
  std::vector<Rgb> colourInitials;
  std::optional<std::string> fileAnswer;
  std::vector<FileFilter> lastFilters;
};

class FakeTray final : public Tray {
 public:
  bool IsAvailable() const override { return available; }
  bool Add(std::u16string_view tip, MessageSink& owner) override {
    if (!available) return false;
    this->tip = tip;
    this->owner = &owner;
    present = true;
    return true;
  }
  void Remove() override {
    present = false;
    ++removed;
  }
  void ShowBalloon(std::u16string_view title, std::u16string_view text) override {
    balloons.push_back({std::u16string(title), std::u16string(text)});
  }
  bool RunSingleItemMenu(std::u16string_view itemText) override {
    menuItems.emplace_back(itemText);
    return chooseMenuItem;
  }

  bool available = true;
  bool present = false;
  int removed = 0;
  std::u16string tip;
  MessageSink* owner = nullptr;
  struct Balloon {
    std::u16string title, text;
  };
  std::vector<Balloon> balloons;
  std::vector<std::u16string> menuItems;
  bool chooseMenuItem = false;
};

class FakeShell final : public Shell {
 public:
  bool Open(const std::filesystem::path& file, const std::filesystem::path& folder) override {
    opened.push_back({file, folder});
    return true;
  }
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> opened;
};

class FakeLauncher final : public Launcher {
 public:
  bool StartProgram(const std::filesystem::path& program) override {
    started.push_back(program);
    return true;
  }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return true;
  }
  std::vector<std::filesystem::path> started;
  std::vector<std::string> urls;
};

class FakeSettings final : public SettingsReader {
 public:
  std::optional<std::string> ReadString(std::string_view key) const override {
    auto it = values.find(std::string(key));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  std::map<std::string, std::string> values;
};

class FakeInstanceGuard final : public SingleInstanceGuard {
 public:
  bool Claim(std::string_view name, std::function<void()> onActivate) override {
    claimedName = name;
    activate = std::move(onActivate);
    return first;
  }
  bool first = true;
  std::string claimedName;
  std::function<void()> activate;
};

class FakeDeviceChangeSource final : public DeviceChangeSource {
 public:
  bool Start(Handler handler) override {
    this->handler = std::move(handler);
    return works;
  }
  void Stop() override {
    handler = nullptr;
    ++stopped;
  }
  bool works = true;
  Handler handler;
  int stopped = 0;
};

}  // namespace tarsel::testing
