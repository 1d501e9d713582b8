// One editing session of the function-key editor: the default table built
// from the module's built-in list, the working table copied from the
// module's key table, the slot on display and what the Contents field
// shows. The dialog feeds it the field's text; it decides what is stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config_store.h"
#include "key_slots.h"
#include "key_table.h"
#include "module_abi.h"

namespace korvane {

// Dialog results: bit 0 hands the working table back, bit 1 stores it.
enum : int { kEditCancelled = 0, kEditSessionOnly = 1, kEditStored = 3 };
enum : int { kEditApplyBit = 1, kEditStoreBit = 2 };

class FunctionKeyEditor {
 public:
  struct Shown {
    std::string text;
    bool isDefault = true;  // drawn in the grey-text colour
  };

  FunctionKeyEditor();

  // Starts a session; either pointer may be null (nothing to copy).
  void Open(const int16_t* defaultKeys, const KeyEntry* table, int sessionFlag);
  // "Current Session Only" is checked and enabled only for the client.
  bool SessionChoiceOffered() const { return sessionFlag_ != 0; }
  const std::vector<KeySlot>& Slots() const { return slots_; }
  size_t CurrentSlot() const { return current_; }

  // Shows a slot without storing anything (opening the dialog).
  const Shown& Show(size_t slot);
  // The selection moved: the field's text goes to the slot on display,
  // then `slot` is shown.
  const Shown& Select(size_t slot, std::string_view fieldText);
  // Every default copied into the working table; the slot on display is
  // shown again and the field's text is dropped.
  const Shown& Reset();
  // OK: the field's text is stored; the result says what happens next.
  int Accept(std::string_view fieldText, bool sessionOnly);

  // The working table when the result hands it back, else null.
  const KeyEntry* Result(int result) const { return result & kEditApplyBit ? working_.Heads() : nullptr; }
  // The PFKEYS value: the working keys that differ from their default.
  std::vector<uint8_t> StoredValue() const { return working_.StoredKeysDiffering(defaults_); }
  // Writes PFKEYS under the terminal's sub-key when the result asks for it;
  // false when nothing was written.
  bool StoreIfAsked(int result, ConfigStore& store, const char* subKey) const;

  const KeyTable& Working() const { return working_; }

 private:
  void StoreField(std::string_view fieldText);

  KeyTable defaults_;
  KeyTable working_;
  std::vector<KeySlot> slots_;
  size_t current_ = 0;
  int sessionFlag_ = 0;
  Shown shown_;
  std::vector<uint8_t> shownBytes_;  // the string behind shown_.text
};

}  // namespace korvane
