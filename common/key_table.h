// The key-string table: 256 bucket heads by the low byte of the key code,
// further entries of a bucket chained from the head. The layout is the one
// the function-key editor reads and returns, so the heads are plain
// KeyEntry records. The modules and the editor share it, with the stored
// form of edited keys (the PFKEYS value) read and written here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display_messages.h"
#include "module_abi.h"

namespace korvane {

// The same string in both entries; a missing entry counts as an empty one.
bool SameKeyString(const KeyEntry& entry, const KeyEntry* other);

class KeyTable {
 public:
  KeyTable();
  ~KeyTable();
  KeyTable(const KeyTable&) = delete;
  KeyTable& operator=(const KeyTable&) = delete;

  // Empties every bucket, releasing chained entries and every byte block.
  void Clear();
  // Gives `code` this string, replacing an earlier one. False when the key
  // code is 0 (it names no key) or memory ran out; the table is then
  // unchanged.
  bool Define(int32_t code, const uint8_t* bytes, size_t length);
  const KeyEntry* Find(int32_t code) const;

  // A built-in list: per key its code, one value per byte, then -5; a -5
  // in place of a code ends the list.
  void LoadDefaultKeyList(const int16_t* list);
  // Stored records {code, length, bytes} one after another, little-endian;
  // reading stops at the first record that would run past the end.
  void LoadStoredKeys(const std::vector<uint8_t>& value);
  // Every entry of another table of this layout (the editor's result).
  void DefineAll(const KeyEntry* heads);
  // The stored form of the keys whose string differs from their string in
  // `defaults` (a key without one there counts as having an empty string),
  // in table order: bucket 0 to 255, each bucket in chain order.
  std::vector<uint8_t> StoredKeysDiffering(const KeyTable& defaults) const;

  // dll_Key: sends the key's string as WUM_SENDDATA; 1 when the key has a
  // string, 0 when it has none.
  int SendKey(int32_t code, const DisplayLink& link);

  const KeyEntry* Heads() const { return heads_; }
  size_t SendBufferSize() const { return sendBuffer_.size(); }

 private:
  static bool Assign(KeyEntry& entry, const uint8_t* bytes, size_t length);

  KeyEntry heads_[KEY_TABLE_BUCKETS];
  // The client may translate what it is sent in place, so strings leave
  // through this copy, never straight from the table.
  std::vector<uint8_t> sendBuffer_;
};

}  // namespace korvane
