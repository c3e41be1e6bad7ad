// The keyboard's commands: each moves one region of the state block between keyboard and memory,
// with the pauses the keyboard needs between the steps.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/device_state_block.h"
#include "device/device_link.h"
#include "platform/clock.h"

namespace tarsel {

// Phase byte of SetLighting: 1 opens a batch of writes (brightness sent as 0), 2 closes it.
enum class LightingPhase : uint8_t {
  Open = 1,
  Close = 2,
};

// Every command returns whether all of its transfers worked. A command stops at its first failed
// transfer; a read stores into the block only when the whole transfer worked. An index out of
// range sends nothing and fails. The caller holds DeviceLink::LockCommands() around a sequence.
class CommandSet {
 public:
  CommandSet(DeviceLink& link, Clock& clock) : link_(link), clock_(clock) {}

  bool SetReportRate(const DeviceStateBlock& block);
  bool GetReportRate(DeviceStateBlock& block);
  bool SetResponseTime(const DeviceStateBlock& block);
  bool GetResponseTime(DeviceStateBlock& block);
  bool SetLighting(const DeviceStateBlock& block, LightingPhase phase);
  bool GetLighting(DeviceStateBlock& block);
  // Sends gameMode, then folds the Windows-key lock into keyEnable (whatever the transfer did:
  // the fold only concerns the block).
  bool SetGameMode(DeviceStateBlock& block);
  // Game mode 1 whatever the block says; opens every read of the whole configuration.
  bool SetGameModeOn();
  bool GetGameMode(DeviceStateBlock& block);
  bool SetPaletteColor(const DeviceStateBlock& block, std::size_t entry);
  bool GetPaletteColor(DeviceStateBlock& block, std::size_t entry);
  bool WriteKeyMap(const DeviceStateBlock& block);
  bool ReadKeyMap(DeviceStateBlock& block);
  bool WriteKeyEnable(const DeviceStateBlock& block);
  // Also derives winLock from the bitmap read.
  bool ReadKeyEnable(DeviceStateBlock& block);
  // Sends the caller's copy of a slot, so the live block may change meanwhile.
  bool WriteMacroSlot(const MacroSlot& slot, std::size_t index);
  bool ReadMacroSlot(DeviceStateBlock& block, std::size_t index);
  bool WriteColorPage(const DeviceStateBlock& block, std::size_t page);
  bool ReadColorPage(DeviceStateBlock& block, std::size_t page);
  bool FactoryReset();
  // FactoryReset, then game mode on twice, with the pauses the keyboard needs to restart.
  bool FactoryResetSequence();
  // firmwareVersion becomes [major, minor, 0, 0].
  bool GetVersion(std::array<uint8_t, 4>& firmwareVersion);

 private:
  enum class PagePause {
    None,       // pages back to back
    Between,    // a pause between two pages, none after the last
    AfterEach,  // a pause after every page
  };

  bool Send(CommandCode command, uint8_t p1 = 0, uint8_t p2 = 0, uint8_t p3 = 0, uint8_t p4 = 0,
            uint8_t p5 = 0, uint8_t p6 = 0);
  bool Fetch(FeatureReport& reply) { return link_.FetchReply(reply); }
  void Pause(int milliseconds) { clock_.Sleep(std::chrono::milliseconds(milliseconds)); }
  bool WritePages(std::span<const uint8_t> region, PagePause pacing, int pauseMs);
  // Fills destination only when every page arrived.
  bool ReadPages(std::span<uint8_t> destination, std::size_t pageCount, PagePause pacing,
                 int pauseMs);

  DeviceLink& link_;
  Clock& clock_;
};

}  // namespace tarsel
