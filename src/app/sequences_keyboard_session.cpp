#include "app/sequences_keyboard_session.h"

#include <utility>

#include "device/command_set.h"

namespace tarsel {

SequencesKeyboardSession::SequencesKeyboardSession(DeviceLink& link, Clock& clock,
                                                   DeviceSession::Schedule schedule)
    : link_(link), clock_(clock), schedule_(std::move(schedule)) {}

SequencesKeyboardSession::~SequencesKeyboardSession() {
  Shutdown();
}

void SequencesKeyboardSession::Bind(MessageSink& window, Configuration& config) {
  if (!session_)
    session_ = std::make_unique<DeviceSession>(link_, clock_, window, config, schedule_);
}

bool SequencesKeyboardSession::OpenAndStartInitialRead(MessageSink&) {
  return session_ && session_->OpenCommandAndStartInitialRead();
}

bool SequencesKeyboardSession::OpenAndStartListener(MessageSink&) {
  return session_ && session_->OpenEventAndStartListener();
}

bool SequencesKeyboardSession::CommandInterfacePresent() const {
  return link_.IsCommandInterfaceOpen();
}

void SequencesKeyboardSession::TakeDeviceState(Configuration&) {
  if (session_) session_->TakeInitialReadResult();
}

bool SequencesKeyboardSession::ReadReportRate(DeviceStateBlock& block) {
  if (!link_.IsCommandInterfaceOpen()) return false;
  auto lock = link_.LockCommands();
  return CommandSet(link_, clock_).GetReportRate(block);
}

bool SequencesKeyboardSession::ReadLighting(DeviceStateBlock& block) {
  if (!link_.IsCommandInterfaceOpen()) return false;
  auto lock = link_.LockCommands();
  return CommandSet(link_, clock_).GetLighting(block);
}

bool SequencesKeyboardSession::ReadKeyEnable(DeviceStateBlock& block) {
  if (!link_.IsCommandInterfaceOpen()) return false;
  auto lock = link_.LockCommands();
  return CommandSet(link_, clock_).ReadKeyEnable(block);
}

bool SequencesKeyboardSession::WriteChanges(Configuration&) {
  return session_ && session_->WriteChanges().status != WriteStatus::NotConfirmed;
}

bool SequencesKeyboardSession::RestoreFactorySettings(Configuration&) {
  if (!session_ || !link_.IsCommandInterfaceOpen()) return false;
  bool reset = false;
  {
    auto lock = link_.LockCommands();
    reset = CommandSet(link_, clock_).FactoryResetSequence();
  }
  return reset && session_->ReadWholeDevice();
}

void SequencesKeyboardSession::OnDeviceChange(DeviceChange change, MessageSink&) {
  if (session_) session_->OnDeviceChange(change);
}

void SequencesKeyboardSession::Shutdown() {
  if (session_) session_->Shutdown();
}

}  // namespace tarsel
