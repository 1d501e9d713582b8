#include "module_frame.h"

#include <algorithm>
#include <cstring>

namespace korvane {

ModuleFrame::ModuleFrame(const ModuleDefaults& defaults, ConfigStore& store, PrinterPort& printerPort)
    : printer(log, printerPort), screen(defaults.screen), defaults_(defaults), store_(store) {
  SetTermType(defaults.termType);
}

void ModuleFrame::SetTermType(std::string_view text) {
  size_t length = std::min(text.size(), kTermTypeLimit);
  std::memcpy(termType_, text.data(), length);
  termType_[length] = '\0';
}

void ModuleFrame::ReadSettingsOnce(const char* name) {
  subKey_ = std::string("Terms\\") + name;
  if (auto initial = ReadSetting("InitialScreen")) screen = ParseInitialScreen(*initial);
  auto termType = ReadSetting("TermType");
  SetTermType(termType && !termType->empty() ? *termType : std::string(defaults_.termType));
  hostCompatibility = SettingIsY(kHostCompatibilityValue);
  settingsRead_ = true;
  emulator_->ReadSettings();
}

void ModuleFrame::FillTermInfo(TermInfo& info, const char* name) {
  info.name = name;
  info.termType = termType_;
  info.rows = static_cast<uint16_t>(std::clamp(screen.rows, 0, 0xFFFF));
  info.columns = static_cast<uint16_t>(std::clamp(screen.columns, 0, 0xFFFF));
  info.statusLine = screen.statusLine ? 1 : 0;
  logUnrecognised = (info.flags & TERMINFO_LOG_UNRECOGNISED) != 0;
  emulator_->DescribeTerminal(info);
}

void ModuleFrame::RefillKeys() {
  keys.Clear();
  keys.LoadDefaultKeyList(emulator_->DefaultKeyList());
  if (auto stored = ReadBinarySetting("PFKEYS")) keys.LoadStoredKeys(*stored);
}

int ModuleFrame::Init(void* window, TermInfo* info, const char* name) {
  if (!name) name = defaults_.name;
  if (!settingsRead_) ReadSettingsOnce(name);
  if (info) FillTermInfo(*info, name);
  if (!window) return 0;
  link.target = window;
  emulator_->ResetMode();
  RefillKeys();
  emulator_->Attached();
  return 0;
}

void ModuleFrame::ApplyEditedKeys(const KeyEntry* table) {
  if (table) keys.DefineAll(table);
}

void ModuleFrame::Unload() {
  printer.TurnPrinterOff();
  printer.ActuallyTurnPrinterOff();
  keys.Clear();
}

std::optional<std::string> ModuleFrame::ReadSetting(const char* name) {
  if (subKey_.empty()) return std::nullopt;
  return ReadText(store_, subKey_, name);
}

bool ModuleFrame::SettingIsY(const char* name) {
  auto value = ReadSetting(name);
  return value && *value == "Y";
}

std::optional<std::vector<uint8_t>> ModuleFrame::ReadBinarySetting(const char* name) {
  if (subKey_.empty()) return std::nullopt;
  return store_.ReadValue(subKey_, name);
}

void ModuleFrame::WriteSetting(const char* name, const std::string& text) {
  if (!subKey_.empty()) store_.WriteTextCreatingKey(subKey_, name, text);
}

void ModuleFrame::StoreHostCompatibility(bool on) {
  WriteSetting(kHostCompatibilityValue, on ? "Y" : "N");
  hostCompatibility = on;
}

}  // namespace korvane
