// The common frame of an emulation module: the dll_Init contract with its
// once-per-load settings read, the key table behind dll_Key, logging, the
// printer pass-through and the settings writer. One instance per loaded
// module; the Win32 glue owns it, tests construct their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "config_store.h"
#include "display_messages.h"
#include "key_table.h"
#include "module_abi.h"
#include "module_log.h"
#include "module_settings.h"
#include "printer_pass_through.h"

namespace korvane {

// The emulator's part of a module, called by the frame.
class EmulatorHooks {
 public:
  virtual ~EmulatorHooks() = default;
  // dll_Submit.
  virtual void Submit(const uint8_t* bytes, size_t count) = 0;
  virtual const int16_t* DefaultKeyList() const = 0;
  // Once per load, right after the frame read InitialScreen and TermType.
  virtual void ReadSettings() {}
  // Fills the emulator's fields of TermInfo: font character set, the
  // delayed-wrap flag, and the status line where it differs from InitialScreen.
  virtual void DescribeTerminal(TermInfo& info) = 0;
  // dll_Init with a window, before the key table is refilled.
  virtual void ResetMode() {}
  // dll_Init with a window, after the key table is refilled.
  virtual void Attached() {}
};

class ModuleFrame {
 public:
  ModuleFrame(const ModuleDefaults& defaults, ConfigStore& store, PrinterPort& printerPort);
  ModuleFrame(const ModuleFrame&) = delete;
  ModuleFrame& operator=(const ModuleFrame&) = delete;

  void SetEmulator(EmulatorHooks& emulator) { emulator_ = &emulator; }

  // The exports' logic.
  int Init(void* window, TermInfo* info, const char* name);
  void Submit(const uint8_t* bytes, size_t count) { emulator_->Submit(bytes, count); }
  int Key(int keyCode) { return keys.SendKey(keyCode, link); }
  // Takes over every entry of the table the function-key editor returned.
  void ApplyEditedKeys(const KeyEntry* table);
  // Module unload: the printer is asked to stop and closed, the keys freed.
  void Unload();

  // Values of Terms\<type>; absent when unreadable.
  std::optional<std::string> ReadSetting(const char* name);
  std::optional<std::vector<uint8_t>> ReadBinarySetting(const char* name);
  // A switch of Terms\<type>: on only when the value is "Y" exactly.
  bool SettingIsY(const char* name);
  // Stores a text value, creating the key; failures are dropped.
  void WriteSetting(const char* name, const std::string& text);
  // The settings dialog's "Host compatibility" box: "Y" or "N".
  void StoreHostCompatibility(bool on);

  const int16_t* DefaultKeyList() const { return emulator_->DefaultKeyList(); }
  const std::string& SubKey() const { return subKey_; }
  const char* TermType() const { return termType_; }
  void SetTermType(std::string_view text);
  void* Window() const { return link.target; }

  // Where display messages go: the client window once dll_Init gave one.
  DisplayLink link;
  ModuleLog log{link};
  KeyTable keys;
  PrinterPassThrough printer;
  ScreenSettings screen;
  bool logUnrecognised = false;
  // Terms\<type> HostCompatibility "Y": the emulator also takes the
  // sequences of today's ncurses hosts; off, it keeps its own table exactly.
  bool hostCompatibility = false;

 private:
  void ReadSettingsOnce(const char* name);
  void FillTermInfo(TermInfo& info, const char* name);
  void RefillKeys();

  const ModuleDefaults& defaults_;
  ConfigStore& store_;
  EmulatorHooks* emulator_ = nullptr;
  bool settingsRead_ = false;
  std::string subKey_;
  // A fixed home: callers keep the pointer that TermInfo hands out.
  char termType_[kTermTypeLimit + 1] = {};
};

}  // namespace korvane
