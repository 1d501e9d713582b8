#include "key_editor.h"

#include "key_text.h"

namespace korvane {

namespace {

bool IsEmpty(const KeyEntry* entry) { return !entry || entry->length <= 0; }

std::vector<uint8_t> BytesOf(const KeyEntry* entry) {
  if (IsEmpty(entry)) return {};
  return std::vector<uint8_t>(entry->bytes, entry->bytes + entry->length);
}

}  // namespace

FunctionKeyEditor::FunctionKeyEditor() : slots_(BuildKeySlots()) {}

void FunctionKeyEditor::Open(const int16_t* defaultKeys, const KeyEntry* table, int sessionFlag) {
  defaults_.Clear();
  working_.Clear();
  if (defaultKeys) defaults_.LoadDefaultKeyList(defaultKeys);
  if (table) working_.DefineAll(table);
  sessionFlag_ = sessionFlag;
  current_ = 0;
  Show(0);
}

const FunctionKeyEditor::Shown& FunctionKeyEditor::Show(size_t slot) {
  if (slot >= slots_.size()) return shown_;
  current_ = slot;
  const KeyEntry* working = working_.Find(slots_[slot].code);
  const KeyEntry* fallback = defaults_.Find(slots_[slot].code);
  bool useDefault = IsEmpty(working) || SameKeyString(*working, fallback);
  shownBytes_ = BytesOf(useDefault ? fallback : working);
  shown_.text = KeyBytesToText(shownBytes_.data(), shownBytes_.size());
  shown_.isDefault = useDefault;
  return shown_;
}

void FunctionKeyEditor::StoreField(std::string_view fieldText) {
  int32_t code = slots_[current_].code;
  // Text left as shown keeps the exact string behind it, even one whose
  // text runs past the field's limit.
  std::vector<uint8_t> bytes = fieldText == shown_.text ? shownBytes_ : KeyTextToBytes(fieldText);
  // An empty field over a key that has no string anywhere defines nothing:
  // the key stays the client's to handle.
  if (bytes.empty() && !working_.Find(code) && !defaults_.Find(code)) return;
  working_.Define(code, bytes.data(), bytes.size());
}

const FunctionKeyEditor::Shown& FunctionKeyEditor::Select(size_t slot, std::string_view fieldText) {
  if (slot >= slots_.size()) return shown_;
  StoreField(fieldText);
  return Show(slot);
}

const FunctionKeyEditor::Shown& FunctionKeyEditor::Reset() {
  working_.DefineAll(defaults_.Heads());
  return Show(current_);
}

int FunctionKeyEditor::Accept(std::string_view fieldText, bool sessionOnly) {
  StoreField(fieldText);
  return sessionOnly && sessionFlag_ ? kEditSessionOnly : kEditStored;
}

bool FunctionKeyEditor::StoreIfAsked(int result, ConfigStore& store, const char* subKey) const {
  if (!(result & kEditStoreBit) || !subKey || !*subKey) return false;
  std::vector<uint8_t> value = StoredValue();
  return store.WriteBinary(subKey, "PFKEYS", value.data(), value.size());
}

}  // namespace korvane
