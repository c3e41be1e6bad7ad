#include "keyboard_model.h"

#include <algorithm>

#include "config/key_table.h"
#include "factory_settings.h"

namespace tarsel {
namespace {

// Byte positions of a feature report.
constexpr std::size_t kCommandByte = 1;
constexpr std::size_t kP1 = 2, kP2 = 3, kP3 = 4, kP4 = 5, kP5 = 6, kP6 = 7;
constexpr std::size_t kCheckByte = 8;

constexpr uint8_t kLightingOpenBatch = 1;
constexpr uint8_t kFactoryResetGuard = 0xFF;
constexpr uint8_t kSpeedComplement = 10;

constexpr std::size_t kKeyMapPages = sizeof(DeviceStateBlock::keyMap) / kPageDataSize;
constexpr std::size_t kMacroSlotPages = kMacroSlotSize / kPageDataSize;
constexpr std::size_t kColorPagePages = kColorPageSize / kPageDataSize;
static_assert(kKeyMapPages == 8 && kMacroSlotPages == 3 && kColorPagePages == 8);

std::span<uint8_t> Bytes(auto& region) {
  return {reinterpret_cast<uint8_t*>(&region), sizeof(region)};
}

}  // namespace

KeyboardModel::KeyboardModel(FirmwareVersion version)
    : state_(FactorySettings()), version_(version) {}

bool KeyboardModel::HostSetFeature(std::span<const uint8_t> bytes) {
  if (bytes.size() != kFeatureReportSize) return false;
  FeatureReport report;
  std::copy(bytes.begin(), bytes.end(), report.begin());
  if (report[0] != 0 || report[kCheckByte] != FeatureCheckByte(report)) return false;

  return report[kCommandByte] >= 0x80 ? HandleRead(report) : HandleWrite(report);
}

bool KeyboardModel::HandleRead(const FeatureReport& report) {
  const auto command = static_cast<CommandCode>(report[kCommandByte]);
  const uint8_t index = report[kP2];
  FeatureReport reply{};
  reply[kCommandByte] = report[kCommandByte];
  std::span<const uint8_t> pages;

  switch (command) {
    case CommandCode::GetVersion:
      reply[kP1] = version_.major;
      reply[kP2] = version_.minor;
      break;
    case CommandCode::GetReportRate:
      reply[kP1] = state_.reportRate;
      break;
    case CommandCode::GetResponseTime:
      reply[kP1] = state_.responseTime;
      break;
    case CommandCode::GetLighting:
      reply[kP2] = state_.effect;
      reply[kP3] = static_cast<uint8_t>(kSpeedComplement - state_.speed);
      reply[kP4] = state_.brightness;
      reply[kP5] = state_.colorChoice;
      reply[kP6] = state_.direction;
      break;
    case CommandCode::GetGameMode:
      reply[kP1] = state_.gameMode;
      break;
    case CommandCode::GetPaletteColor:
      if (index >= kPaletteEntries) return false;
      reply[kP2] = index;
      reply[kP3] = state_.palette[index][0];
      reply[kP4] = state_.palette[index][1];
      reply[kP5] = state_.palette[index][2];
      break;
    case CommandCode::ReadKeyMap:
      pages = Bytes(state_.keyMap);
      break;
    case CommandCode::ReadKeyEnable:
      pages = Bytes(state_.keyEnable);
      break;
    case CommandCode::ReadMacroSlot:
      if (index >= kMacroSlotCount) return false;
      pages = state_.macroSlots[index];
      break;
    case CommandCode::ReadColorPage:
      if (index >= kColorPageCount) return false;
      pages = state_.colorPages[index];
      break;
    default:
      return false;
  }

  // A new command ends whatever transfer the host left unfinished.
  pendingWrite_.reset();
  heldPages_.clear();
  commandOutbox_.clear();
  reply[kCheckByte] = FeatureCheckByte(reply);
  lastReply_ = reply;
  if (!pages.empty()) QueuePages(pages);
  return true;
}

bool KeyboardModel::HandleWrite(const FeatureReport& report) {
  const auto command = static_cast<CommandCode>(report[kCommandByte]);
  const uint8_t index = report[kP2];
  std::size_t pagesExpected = 0;

  switch (command) {
    case CommandCode::SetReportRate:
    case CommandCode::SetResponseTime:
    case CommandCode::SetLighting:
    case CommandCode::SetGameMode:
      break;
    case CommandCode::SetPaletteColor:
      if (index >= kPaletteEntries) return false;
      break;
    case CommandCode::FactoryReset:
      if (report[kP1] != kFactoryResetGuard) return false;
      break;
    case CommandCode::WriteKeyMap:
      pagesExpected = kKeyMapPages;
      break;
    case CommandCode::WriteKeyEnable:
      pagesExpected = 1;
      break;
    case CommandCode::WriteMacroSlot:
      if (index >= kMacroSlotCount) return false;
      pagesExpected = kMacroSlotPages;
      break;
    case CommandCode::WriteColorPage:
      if (index >= kColorPageCount) return false;
      pagesExpected = kColorPagePages;
      break;
    default:
      return false;
  }

  pendingWrite_.reset();
  heldPages_.clear();
  commandOutbox_.clear();

  if (pagesExpected > 0) {
    // Stored only once the last page is in, so an interrupted transfer changes nothing.
    pendingWrite_ = PendingWrite{command, index, pagesExpected, 0, {}};
    pendingWrite_->data.reserve(pagesExpected * kPageDataSize);
    return true;
  }

  switch (command) {
    case CommandCode::SetReportRate:
      state_.reportRate = report[kP1];
      break;
    case CommandCode::SetResponseTime:
      state_.responseTime = report[kP1];
      break;
    case CommandCode::SetLighting:
      // Phase 1 opens a batch of writes and carries brightness 0 to dim the keys meanwhile;
      // the settings themselves arrive with the closing phase.
      if (report[kP1] != kLightingOpenBatch) {
        state_.effect = report[kP2];
        state_.speed = static_cast<uint8_t>(kSpeedComplement - report[kP3]);
        state_.brightness = report[kP4];
        state_.colorChoice = report[kP5];
        state_.direction = report[kP6];
      }
      break;
    case CommandCode::SetGameMode:
      state_.gameMode = report[kP1];
      break;
    case CommandCode::SetPaletteColor:
      state_.palette[index] = {report[kP3], report[kP4], report[kP5]};
      break;
    case CommandCode::FactoryReset:
      state_ = FactorySettings();
      break;
    default:
      break;
  }
  Acknowledge();
  return true;
}

bool KeyboardModel::HostWritePage(std::span<const uint8_t> report) {
  if (!pendingWrite_ || report.size() != kPageReportSize || report[0] != 0) return false;
  PendingWrite& write = *pendingWrite_;
  write.data.insert(write.data.end(), report.begin() + 1, report.end());
  if (++write.pagesReceived < write.pagesExpected) return true;

  const PendingWrite complete = std::move(write);
  pendingWrite_.reset();
  CommitWrite(complete);
  Acknowledge();
  return true;
}

void KeyboardModel::CommitWrite(const PendingWrite& write) {
  std::span<uint8_t> target;
  switch (write.command) {
    case CommandCode::WriteKeyMap:
      target = Bytes(state_.keyMap);
      break;
    case CommandCode::WriteKeyEnable:
      target = Bytes(state_.keyEnable);  // the rest of the page is padding
      break;
    case CommandCode::WriteMacroSlot:
      target = state_.macroSlots[write.index];
      break;
    case CommandCode::WriteColorPage:
      target = state_.colorPages[write.index];
      break;
    default:
      return;
  }
  std::copy_n(write.data.begin(), target.size(), target.begin());
}

void KeyboardModel::QueuePages(std::span<const uint8_t> region) {
  for (std::size_t offset = 0; offset < region.size(); offset += kPageDataSize) {
    std::vector<uint8_t> page(kPageReportSize, 0);
    const std::size_t count = std::min(kPageDataSize, region.size() - offset);
    std::copy_n(region.begin() + static_cast<std::ptrdiff_t>(offset), count, page.begin() + 1);
    heldPages_.push_back(std::move(page));
  }
}

void KeyboardModel::Acknowledge() {
  if (dropAcks_) return;
  eventOutbox_.push_back({kEventReportId, kEventTypeAcknowledge, 0, 0});
}

FeatureReport KeyboardModel::HostGetFeature(uint8_t reportId) {
  while (!heldPages_.empty()) {
    commandOutbox_.push_back(std::move(heldPages_.front()));
    heldPages_.pop_front();
  }
  FeatureReport reply = lastReply_;
  reply[0] = reportId;
  return reply;
}

void KeyboardModel::PressKey(uint8_t keyCode) {
  eventOutbox_.push_back({kEventReportId, kEventKey, keyCode, 0});
}

bool KeyboardModel::PressPhysicalKey(std::size_t keyIndex) {
  if (keyIndex >= KeyTable.size()) return false;
  const KeyMapEntry& entry = state_.keyMap[MapEntryIndex(KeyTable[keyIndex].position)];
  if (entry[0] != static_cast<uint8_t>(FunctionType::HostAction)) return false;
  PressKey(entry[2]);
  return true;
}

std::optional<std::vector<uint8_t>> KeyboardModel::TakeReport(ModelInterface which) {
  auto& outbox = which == ModelInterface::Command ? commandOutbox_ : eventOutbox_;
  if (outbox.empty()) return std::nullopt;
  std::vector<uint8_t> report = std::move(outbox.front());
  outbox.pop_front();
  return report;
}

std::size_t KeyboardModel::PendingReports(ModelInterface which) const {
  return which == ModelInterface::Command ? commandOutbox_.size() : eventOutbox_.size();
}

}  // namespace tarsel
