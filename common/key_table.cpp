#include "key_table.h"

#include <cstring>
#include <new>

namespace korvane {

namespace {

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
}

void FreeEntry(KeyEntry& entry) {
  delete[] entry.bytes;
  entry = KeyEntry{};
}

}  // namespace

bool SameKeyString(const KeyEntry& entry, const KeyEntry* other) {
  int32_t otherLength = other ? other->length : 0;
  return entry.length == otherLength &&
         (entry.length <= 0 || std::memcmp(entry.bytes, other->bytes, static_cast<size_t>(entry.length)) == 0);
}

KeyTable::KeyTable() : heads_(), sendBuffer_(1) {}

KeyTable::~KeyTable() { Clear(); }

void KeyTable::Clear() {
  for (KeyEntry& head : heads_) {
    KeyEntry* next = head.next;
    while (next) {
      KeyEntry* after = next->next;
      delete[] next->bytes;
      delete next;
      next = after;
    }
    FreeEntry(head);
  }
}

bool KeyTable::Assign(KeyEntry& entry, const uint8_t* bytes, size_t length) {
  if (length > INT32_MAX) return false;
  // Reuse the block when the new string fits in the old length.
  if (!entry.bytes || length > static_cast<size_t>(entry.length)) {
    auto* block = new (std::nothrow) unsigned char[length ? length : 1];
    if (!block) return false;
    delete[] entry.bytes;
    entry.bytes = block;
  }
  if (length) std::memcpy(entry.bytes, bytes, length);
  entry.length = static_cast<int32_t>(length);
  return true;
}

bool KeyTable::Define(int32_t code, const uint8_t* bytes, size_t length) {
  if (code == 0 || length > INT32_MAX) return false;
  try {
    if (sendBuffer_.size() < length) sendBuffer_.resize(length);
  } catch (const std::bad_alloc&) {
    return false;
  }
  KeyEntry& head = heads_[code & 0xFF];
  if (head.code == 0) {
    if (!Assign(head, bytes, length)) return false;
    head.code = code;
    return true;
  }
  KeyEntry* entry = &head;
  for (;; entry = entry->next) {
    if (entry->code == code) return Assign(*entry, bytes, length);
    if (!entry->next) break;
  }
  auto* added = new (std::nothrow) KeyEntry{};
  if (!added) return false;
  if (!Assign(*added, bytes, length)) {
    delete added;
    return false;
  }
  added->code = code;
  entry->next = added;
  return true;
}

const KeyEntry* KeyTable::Find(int32_t code) const {
  if (code == 0) return nullptr;
  for (const KeyEntry* entry = &heads_[code & 0xFF]; entry; entry = entry->next)
    if (entry->code == code) return entry;
  return nullptr;
}

void KeyTable::LoadDefaultKeyList(const int16_t* list) {
  std::vector<uint8_t> bytes;
  while (*list != KEY_LIST_END) {
    int32_t code = *list++;
    bytes.clear();
    while (*list != KEY_LIST_END) bytes.push_back(static_cast<uint8_t>(*list++ & 0xFF));
    ++list;
    Define(code, bytes.data(), bytes.size());
  }
}

void KeyTable::LoadStoredKeys(const std::vector<uint8_t>& value) {
  size_t at = 0;
  while (value.size() - at >= 8) {
    int32_t code = ReadInt32(&value[at]);
    int32_t length = ReadInt32(&value[at + 4]);
    if (length < 0 || static_cast<size_t>(length) > value.size() - at - 8) break;
    Define(code, value.data() + at + 8, static_cast<size_t>(length));
    at += 8 + static_cast<size_t>(length);
  }
}

void KeyTable::DefineAll(const KeyEntry* heads) {
  for (int bucket = 0; bucket < KEY_TABLE_BUCKETS; ++bucket) {
    const KeyEntry& head = heads[bucket];
    if (head.code == 0) continue;
    for (const KeyEntry* entry = &head; entry; entry = entry->next)
      if (entry->length >= 0 && (entry->bytes || entry->length == 0))
        Define(entry->code, entry->bytes, static_cast<size_t>(entry->length));
  }
}

std::vector<uint8_t> KeyTable::StoredKeysDiffering(const KeyTable& defaults) const {
  std::vector<uint8_t> out;
  for (const KeyEntry& head : heads_) {
    if (head.code == 0) continue;
    for (const KeyEntry* entry = &head; entry; entry = entry->next) {
      if (SameKeyString(*entry, defaults.Find(entry->code))) continue;
      AppendInt32(out, entry->code);
      AppendInt32(out, entry->length);
      out.insert(out.end(), entry->bytes, entry->bytes + entry->length);
    }
  }
  return out;
}

int KeyTable::SendKey(int32_t code, const DisplayLink& link) {
  const KeyEntry* entry = Find(code);
  if (!entry) return 0;
  if (entry->length) std::memcpy(sendBuffer_.data(), entry->bytes, static_cast<size_t>(entry->length));
  link.Send(WUM_SENDDATA, reinterpret_cast<uintptr_t>(sendBuffer_.data()), entry->length);
  return 1;
}

}  // namespace korvane
