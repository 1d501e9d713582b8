// A PFKEYS value is a registry value anyone can edit. The editor opens on
// a table that read it, the user edits a few keys, and what it stores must
// read back into exactly the keys the user ended up with.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "key_editor.h"
#include "vt100_emulator.h"

using namespace korvane;

namespace {

bool SameString(const KeyEntry* a, const KeyEntry* b) {
  if (!a || !b) return !a && !b;
  return SameKeyString(*a, b);
}

// Keys without a string anywhere are not stored; every other key of the
// working table must read back as the user left it.
void CheckReadBack(const FunctionKeyEditor& editor, const std::vector<uint8_t>& value) {
  KeyTable defaults, reread;
  defaults.LoadDefaultKeyList(kVt100DefaultKeys);
  reread.LoadDefaultKeyList(kVt100DefaultKeys);
  reread.LoadStoredKeys(value);
  for (int bucket = 0; bucket < KEY_TABLE_BUCKETS; ++bucket) {
    const KeyEntry& head = editor.Working().Heads()[bucket];
    if (head.code == 0) continue;
    for (const KeyEntry* entry = &head; entry; entry = entry->next) {
      const KeyEntry* back = reread.Find(entry->code);
      bool unstored = entry->length == 0 && !defaults.Find(entry->code);
      if (unstored ? back != nullptr : !SameString(entry, back)) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<uint8_t> stored = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 4096));
  KeyTable module;
  module.LoadDefaultKeyList(kVt100DefaultKeys);
  module.LoadStoredKeys(stored);

  FunctionKeyEditor editor;
  editor.Open(kVt100DefaultKeys, module.Heads(), input.ConsumeBool());
  std::string field = editor.Show(0).text;
  while (input.remaining_bytes() > 2) {
    size_t slot = input.ConsumeIntegralInRange<size_t>(0, kKeySlotCount);
    if (slot == kKeySlotCount) {
      field = editor.Reset().text;
      continue;
    }
    std::string typed = input.ConsumeRandomLengthString(1200);
    field = editor.Select(slot, input.ConsumeBool() ? typed : field).text;
  }
  int result = editor.Accept(field, input.ConsumeBool());
  if (result != kEditSessionOnly && result != kEditStored) __builtin_trap();
  CheckReadBack(editor, editor.StoredValue());
  return 0;
}
