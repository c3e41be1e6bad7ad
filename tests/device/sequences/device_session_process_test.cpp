// The device session against the simulator process: reconnection after the keyboard went away
// and came back, and key events that launch host actions.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "cli/message_loop.h"
#include "config/configuration.h"
#include "device/device_link.h"
#include "device/sequences/device_session.h"
#include "device/sequences/host_action.h"
#include "device/sequences/kbdsim_process.h"
#include "platform/messages.h"
#include "platform/system_clock.h"
#include "posix/posix_shell.h"
#include "posix/socket_folder_watch.h"
#include "sim_socket_transport.h"

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using testing::KbdsimProcess;
using testing::SimFolder;

class DeviceSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim_ = std::make_unique<KbdsimProcess>(folder_.Discovery(), folder_.Root() / "first.log");
    ASSERT_TRUE(sim_->Ready());
    loop_.SetHandler([this](uint32_t message, uintptr_t wParam, intptr_t) -> intptr_t {
      if (message == WM_DEVICE_STATE_READY) {
        session_->TakeInitialReadResult();
        ++stateReady_;
      } else if (message == WM_HOST_ACTION_KEY) {
        ++hostKeys_;
        OnHostActionKey(config_.store, static_cast<uint8_t>(wParam), shell_);
      } else if (message == kDeviceChangeMessage) {
        ++listenerRemovals_;
        session_->OnDeviceChange(DeviceChangeOfNotice(wParam));
      }
      return 0;
    });
    session_ = std::make_unique<DeviceSession>(
        link_, clock_, loop_, config_,
        [this](std::chrono::milliseconds delay, std::function<void()> task) {
          loop_.Schedule(delay, std::move(task));
        });
    ASSERT_TRUE(session_->OpenCommandAndStartInitialRead());
    ASSERT_TRUE(session_->OpenEventAndStartListener());
    ASSERT_TRUE(loop_.Run(seconds(10), [&] { return stateReady_ == 1; }));
  }

  void TearDown() override {
    watch_.Stop();
    session_.reset();
  }

  SimFolder folder_;
  SimSocketTransport transport_{folder_.Discovery().string()};
  DeviceLink link_{transport_};
  SystemClock clock_;
  MessageLoop loop_;
  Configuration config_;
  PosixShell shell_{"/nonexistent-opener"};
  SocketFolderWatch watch_{folder_.Discovery()};
  std::unique_ptr<KbdsimProcess> sim_;
  std::unique_ptr<DeviceSession> session_;
  int stateReady_ = 0;
  int hostKeys_ = 0;
  int listenerRemovals_ = 0;
};

TEST_F(DeviceSessionTest, RestartedKeyboardIsReopenedReadAndListenedToAgain) {
  ASSERT_TRUE(watch_.Start([this](DeviceChange change) {
    loop_.PostTask([this, change] { session_->OnDeviceChange(change); });
  }));

  sim_->Stop();  // its sockets disappear, as on unplugging
  ASSERT_TRUE(loop_.Run(seconds(10), [&] {
    return !session_->IsCommandInterfaceOpen() && !session_->IsEventInterfaceOpen() &&
           !session_->IsListenerRunning();
  }));

  KbdsimProcess second(folder_.Discovery(), folder_.Root() / "second.log");
  ASSERT_TRUE(second.Ready());
  ASSERT_TRUE(loop_.Run(seconds(15), [&] {
    return stateReady_ >= 2 && session_->IsCommandInterfaceOpen() && session_->IsListenerRunning();
  }));
  // Version, the full re-read, and the colour pages once more.
  const auto sets = second.FeatureSets();
  ASSERT_GE(sets.size(), 3u);
  EXPECT_EQ(sets[0], (std::vector<uint8_t>{0x80, 0, 0}));
  EXPECT_EQ(sets[1], (std::vector<uint8_t>{0x09, 1, 0}));
  int colourPageReads = 0;
  for (const auto& set : sets) colourPageReads += set[0] == 0x92;
  EXPECT_EQ(colourPageReads, 10);

  // The new listener delivers acknowledgements: a write that needs one is confirmed.
  config_.block.gameMode ^= 1;
  EXPECT_EQ(session_->WriteChanges().status, WriteStatus::Confirmed);
  EXPECT_EQ(hostKeys_, 0);  // acknowledgements never reach the window
  second.Stop();
}

TEST_F(DeviceSessionTest, KilledKeyboardIsClosedByTheListenerAndReopenedWhenItReturns) {
  ASSERT_TRUE(watch_.Start([this](DeviceChange change) {
    loop_.PostTask([this, change] { session_->OnDeviceChange(change); });
  }));
  std::vector<fs::path> socketsBefore;
  for (const auto& entry : fs::directory_iterator(folder_.Discovery())) {
    socketsBefore.push_back(entry.path());
  }

  // No orderly exit: the socket files stay, so only the failing reads tell.
  sim_->Kill();
  ASSERT_TRUE(loop_.Run(seconds(10), [&] {
    return !session_->IsCommandInterfaceOpen() && !session_->IsEventInterfaceOpen() &&
           !session_->IsListenerRunning();
  }));
  EXPECT_EQ(listenerRemovals_, 1);
  for (const fs::path& socket : socketsBefore) EXPECT_TRUE(fs::exists(socket)) << socket;

  KbdsimProcess second(folder_.Discovery(), folder_.Root() / "second.log");
  ASSERT_TRUE(second.Ready());
  ASSERT_TRUE(loop_.Run(seconds(15), [&] {
    return stateReady_ >= 2 && session_->IsCommandInterfaceOpen() && session_->IsListenerRunning();
  }));
  const auto sets = second.FeatureSets();
  ASSERT_GE(sets.size(), 2u);
  EXPECT_EQ(sets[0], (std::vector<uint8_t>{0x80, 0, 0}));
  EXPECT_EQ(sets[1], (std::vector<uint8_t>{0x09, 1, 0}));
  config_.block.gameMode ^= 1;
  EXPECT_EQ(session_->WriteChanges().status, WriteStatus::Confirmed);

  // An orderly stop closes everything from our side; that is no failure of the keyboard.
  session_->Shutdown();
  loop_.Run(std::chrono::milliseconds(600), [] { return false; });
  EXPECT_EQ(listenerRemovals_, 1);
  second.Stop();
}

TEST_F(DeviceSessionTest, KeyEventLaunchesTheHostActionOfThatKey) {
  const fs::path folder = folder_.Root() / "my games $HOME";
  fs::create_directories(folder);
  const fs::path record = folder_.Root() / "launched.txt";
  const fs::path program = folder / "start 'it'.sh";
  std::ofstream(program) << "#!/bin/sh\n{ pwd; echo \"$0\"; } > '" << record.string() << ".tmp'\n"
                         << "mv '" << record.string() << ".tmp' '" << record.string() << "'\n";
  fs::permissions(program, fs::perms::owner_all);

  ActionRecord& action = config_.store.records[0];
  action.keyCode = 0x1B;
  action.kind = KindStartup;
  const std::string path = program.string();
  for (std::size_t i = 0; i < path.size(); ++i) action.path[2 * i] = static_cast<uint8_t>(path[i]);

  ASSERT_TRUE(sim_->Press(0x1B));
  ASSERT_TRUE(loop_.Run(seconds(10), [&] { return fs::exists(record); }));
  std::ifstream in(record);
  std::string cwd, argument;
  std::getline(in, cwd);
  std::getline(in, argument);
  EXPECT_EQ(cwd, folder.string());
  EXPECT_EQ(argument, program.string());
}

}  // namespace
}  // namespace tarsel
