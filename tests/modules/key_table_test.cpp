#include "key_table.h"

#include <gtest/gtest.h>

#include <string>

#include "module_test_support.h"

namespace korvane::test {
namespace {

std::string StringOf(const KeyTable& keys, int32_t code) {
  const KeyEntry* entry = keys.Find(code);
  return entry ? std::string(reinterpret_cast<const char*>(entry->bytes), static_cast<size_t>(entry->length))
               : "<none>";
}

void Define(KeyTable& keys, int32_t code, const std::string& text) {
  ASSERT_TRUE(keys.Define(code, reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(KeyTable, KeysDifferingOnlyInModifiersShareABucketAndAreFoundApart) {
  KeyTable keys;
  Define(keys, 38, "up");
  Define(keys, KEY_SHIFT + 38, "shift-up");
  Define(keys, KEY_CTRL + KEY_SHIFT + 38, "ctrl-shift-up");
  EXPECT_EQ(keys.Heads()[38].code, 38);
  ASSERT_NE(keys.Heads()[38].next, nullptr);
  EXPECT_EQ(keys.Heads()[38].next->code, KEY_SHIFT + 38);
  EXPECT_EQ(StringOf(keys, 38), "up");
  EXPECT_EQ(StringOf(keys, KEY_SHIFT + 38), "shift-up");
  EXPECT_EQ(StringOf(keys, KEY_CTRL + KEY_SHIFT + 38), "ctrl-shift-up");
  EXPECT_EQ(StringOf(keys, KEY_CTRL + 38), "<none>");
  // Redefining a chained entry changes that entry only.
  Define(keys, KEY_SHIFT + 38, "S");
  EXPECT_EQ(StringOf(keys, KEY_SHIFT + 38), "S");
  EXPECT_EQ(StringOf(keys, KEY_CTRL + KEY_SHIFT + 38), "ctrl-shift-up");
}

TEST(KeyTable, ALongerStringAfterAShorterOneIsSentWhole) {
  KeyTable keys;
  MessageRecorder recorder;
  DisplayLink link = recorder.Link();
  Define(keys, KEY_SHIFT + 112, "a");
  Define(keys, KEY_SHIFT + 112, std::string(3000, 'x') + "end");
  EXPECT_GE(keys.SendBufferSize(), 3003u);
  EXPECT_EQ(keys.SendKey(KEY_SHIFT + 112, link), 1);
  Define(keys, KEY_SHIFT + 112, "short");
  EXPECT_EQ(keys.SendKey(KEY_SHIFT + 112, link), 1);
  EXPECT_EQ(recorder.Take(), (std::vector<std::string>{"SENDDATA \"" + std::string(3000, 'x') + "end\"",
                                                       "SENDDATA \"short\""}));
}

TEST(KeyTable, KeyCodeZeroNamesNoKey) {
  KeyTable keys;
  MessageRecorder recorder;
  EXPECT_FALSE(keys.Define(0, reinterpret_cast<const uint8_t*>("x"), 1));
  EXPECT_EQ(keys.Find(0), nullptr);
  EXPECT_EQ(keys.SendKey(0, recorder.Link()), 0);
  EXPECT_EQ(keys.SendKey(256, recorder.Link()), 0);  // bucket 0, but no such key
  EXPECT_TRUE(recorder.Take().empty());
}

// The client may translate what it is sent in place.
intptr_t Scribble(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (msg == WUM_SENDDATA)
    for (intptr_t i = 0; i < lParam; ++i) reinterpret_cast<uint8_t*>(wParam)[i] = '#';
  return MessageRecorder::Receive(target, msg, wParam, lParam);
}

TEST(KeyTable, SendingNeverHandsOutTheTableItself) {
  KeyTable keys;
  MessageRecorder recorder;
  Define(keys, 9, "tab");
  DisplayLink link{&Scribble, &recorder};
  keys.SendKey(9, link);
  EXPECT_EQ(StringOf(keys, 9), "tab");
}

TEST(KeyTable, DefaultListsTakeTheLowByteOfEachValue) {
  const int16_t list[] = {13, 13, 10, KEY_LIST_END, KEY_SHIFT + 32, 0x1FF, 0x100 + 'A', KEY_LIST_END,
                          27, KEY_LIST_END, KEY_LIST_END, 99, 1, KEY_LIST_END};
  KeyTable keys;
  keys.LoadDefaultKeyList(list);
  EXPECT_EQ(StringOf(keys, 13), "\r\n");
  EXPECT_EQ(StringOf(keys, KEY_SHIFT + 32), "\xff" "A");
  EXPECT_EQ(StringOf(keys, 27), "");
  EXPECT_EQ(StringOf(keys, 99), "<none>");  // after the end of the list
}

std::vector<uint8_t> Record(int32_t code, int32_t length, const std::string& bytes) {
  std::vector<uint8_t> out;
  for (int32_t v : {code, length})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

TEST(KeyTable, StoredKeysStopAtTheFirstRecordThatOverrunsTheValue) {
  KeyTable keys;
  keys.LoadStoredKeys(Join({Record(112, 2, "f1"), Record(0x374, 0, ""), Record(113, 9, "short")}));
  EXPECT_EQ(StringOf(keys, 112), "f1");
  EXPECT_EQ(StringOf(keys, 0x374), "");  // an empty string is a definition
  EXPECT_EQ(StringOf(keys, 113), "<none>");

  KeyTable negative;
  negative.LoadStoredKeys(Join({Record(112, -1, "abcdefgh"), Record(113, 1, "x")}));
  EXPECT_EQ(StringOf(negative, 112), "<none>");
  EXPECT_EQ(StringOf(negative, 113), "<none>");

  KeyTable truncated;
  std::vector<uint8_t> value = Join({Record(112, 1, "a"), Record(113, 1, "b")});
  value.resize(value.size() - 3);  // the second header is cut short
  truncated.LoadStoredKeys(value);
  EXPECT_EQ(StringOf(truncated, 112), "a");
  EXPECT_EQ(StringOf(truncated, 113), "<none>");
}

TEST(KeyTable, StoredRecordsForKeyZeroAreSkipped) {
  KeyTable keys;
  keys.LoadStoredKeys(Join({Record(0, 1, "z"), Record(112, 1, "a")}));
  EXPECT_EQ(keys.Heads()[0].code, 0);
  EXPECT_EQ(StringOf(keys, 112), "a");
}

TEST(KeyTable, AnEditorsTableIsCopiedWithItsChains) {
  KeyTable edited;
  Define(edited, 112, "one");
  Define(edited, KEY_SHIFT + 112, "two");
  Define(edited, KEY_CTRL + 112, "three");
  Define(edited, 8, "");
  KeyTable keys;
  Define(keys, 112, "old");
  Define(keys, 13, "kept");
  keys.DefineAll(edited.Heads());
  EXPECT_EQ(StringOf(keys, 112), "one");
  EXPECT_EQ(StringOf(keys, KEY_SHIFT + 112), "two");
  EXPECT_EQ(StringOf(keys, KEY_CTRL + 112), "three");
  EXPECT_EQ(StringOf(keys, 8), "");
  EXPECT_EQ(StringOf(keys, 13), "kept");
  // The copy owns its strings.
  edited.Clear();
  EXPECT_EQ(StringOf(keys, KEY_CTRL + 112), "three");
}

TEST(KeyTable, StoredFormHoldsWhatDiffersAndReadsBackUpToTheLastWholeRecord) {
  KeyTable defaults;
  Define(defaults, 112, "\x1bOP");
  Define(defaults, KEY_SHIFT + 112, "\x1bOP");
  KeyTable working;
  Define(working, 0x374, "ctrl-shift-f5");  // no default: differs unless empty
  Define(working, 112, "\x1bOP");
  Define(working, KEY_SHIFT + 112, "");
  Define(working, KEY_CTRL + 112, "");
  Define(working, 13, "\r");
  std::vector<uint8_t> value = working.StoredKeysDiffering(defaults);
  EXPECT_EQ(value, Join({Record(13, 1, "\r"), Record(KEY_SHIFT + 112, 0, ""), Record(0x374, 13, "ctrl-shift-f5")}));

  KeyTable reread;
  reread.LoadStoredKeys(value);
  EXPECT_EQ(StringOf(reread, 0x374), "ctrl-shift-f5");
  EXPECT_EQ(StringOf(reread, KEY_SHIFT + 112), "");
  for (size_t cut = 1; cut <= 13; ++cut) {
    KeyTable partial;
    partial.LoadStoredKeys(std::vector<uint8_t>(value.begin(), value.end() - static_cast<long>(cut)));
    EXPECT_EQ(StringOf(partial, KEY_SHIFT + 112), "") << cut;
    EXPECT_EQ(StringOf(partial, 0x374), "<none>") << cut;
  }
}

TEST(KeyTable, ClearingEmptiesEveryBucket) {
  KeyTable keys;
  for (int32_t code = 1; code < 0x400; ++code) Define(keys, code, std::to_string(code));
  keys.Clear();
  for (int bucket = 0; bucket < KEY_TABLE_BUCKETS; ++bucket) {
    EXPECT_EQ(keys.Heads()[bucket].code, 0);
    EXPECT_EQ(keys.Heads()[bucket].next, nullptr);
  }
  Define(keys, 0x301, "again");
  EXPECT_EQ(StringOf(keys, 0x301), "again");
}

}  // namespace
}  // namespace korvane::test
