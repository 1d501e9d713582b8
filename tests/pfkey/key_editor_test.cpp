#include "key_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "key_text.h"

namespace korvane::test {
namespace {

constexpr int32_t kF1 = 112, kF5 = 116, kUp = 38;
constexpr int32_t kKeypad0 = 96;  // defined by modules, not offered by the editor

// clang-format off
const int16_t kDefaults[] = {
    kF1, 27, 'O', 'P', -5,
    KEY_SHIFT + kF1, 27, 'O', 'P', -5,
    13, 13, -5,
    kUp, 27, '[', 'A', -5,
    KEY_SHIFT + kUp, 27, '[', 'a', -5,
    kKeypad0, 27, 'O', 'p', -5,
    -5,
};
// clang-format on

void Define(KeyTable& keys, int32_t code, const std::string& text) {
  ASSERT_TRUE(keys.Define(code, reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::string StringOf(const KeyTable& keys, int32_t code) {
  const KeyEntry* entry = keys.Find(code);
  return entry ? std::string(reinterpret_cast<const char*>(entry->bytes), static_cast<size_t>(entry->length))
               : "<none>";
}

size_t SlotOf(const FunctionKeyEditor& editor, int32_t code) {
  for (size_t i = 0; i < editor.Slots().size(); ++i)
    if (editor.Slots()[i].code == code) return i;
  ADD_FAILURE() << "no slot for " << code;
  return 0;
}

// A module's table as it stands when the editor is called: defaults, then
// what PFKEYS and the host added.
struct ModuleTable {
  KeyTable keys;
  ModuleTable() { keys.LoadDefaultKeyList(kDefaults); }
};

struct Session {
  ModuleTable module;
  FunctionKeyEditor editor;
  MemoryConfigStore store;

  explicit Session(int sessionFlag = 1) { editor.Open(kDefaults, module.keys.Heads(), sessionFlag); }
  // Moves the selection to the key's slot with `text` in the field.
  FunctionKeyEditor::Shown Visit(int32_t code, const std::string& text) {
    return editor.Select(SlotOf(editor, code), text);
  }
  std::vector<uint8_t> StoreWith(int result) {
    editor.StoreIfAsked(result, store, "Terms\\vt100");
    return store.ReadValue("Terms\\vt100", "PFKEYS").value_or(std::vector<uint8_t>{0xEE});
  }
};

std::vector<uint8_t> Record(int32_t code, const std::string& bytes) {
  std::vector<uint8_t> out;
  for (int32_t v : {code, static_cast<int32_t>(bytes.size())})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

TEST(KeySlots, ThirtyOneKeysEachFourWays) {
  std::vector<KeySlot> slots = BuildKeySlots();
  ASSERT_EQ(slots.size(), kKeySlotCount);
  EXPECT_EQ(slots[0].name, "F1");
  EXPECT_EQ(slots[1].name, "Shift+F1");
  EXPECT_EQ(slots[2].name, "Ctrl+F1");
  EXPECT_EQ(slots[3].name, "Ctrl+Shift+F1");
  EXPECT_EQ(slots[19].name, "Ctrl+Shift+F5");
  EXPECT_EQ(slots[19].code, 0x374);
  EXPECT_EQ(slots[63].code, KEY_CTRL + KEY_SHIFT + 127);  // Ctrl+Shift+F16
  EXPECT_EQ(slots[64].name, "BACKSPACE");
  EXPECT_EQ(slots[64].code, 8);
  EXPECT_EQ(slots[105].name, "Shift+RETURN");
  EXPECT_EQ(slots[105].code, KEY_SHIFT + 13);
  EXPECT_EQ(slots[123].name, "Ctrl+Shift+RIGHT Arrow");
  EXPECT_EQ(slots[123].code, 0x327);
  for (size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i].code >> 8, static_cast<int32_t>(i % 4)) << i;
}

TEST(FunctionKeyEditor, TheFieldShowsTheDefaultUnlessTheKeyWasChanged) {
  ModuleTable module;
  Define(module.keys, KEY_SHIFT + kF1, "");           // an empty definition
  Define(module.keys, 13, "\r\n");                      // changed
  Define(module.keys, KEY_CTRL + kF5, "ctrl f5");       // no default
  module.keys.Define(kUp, reinterpret_cast<const uint8_t*>("\x1b[A"), 3);  // as the default
  FunctionKeyEditor editor;
  editor.Open(kDefaults, module.keys.Heads(), 1);
  EXPECT_EQ(editor.CurrentSlot(), 0u);
  auto shown = [&](int32_t code) { return editor.Show(SlotOf(editor, code)); };
  EXPECT_EQ(shown(kF1).text, "{27}OP");
  EXPECT_TRUE(shown(kF1).isDefault);
  EXPECT_EQ(shown(KEY_SHIFT + kF1).text, "{27}OP");
  EXPECT_TRUE(shown(KEY_SHIFT + kF1).isDefault);
  EXPECT_EQ(shown(13).text, "{13}{10}");
  EXPECT_FALSE(shown(13).isDefault);
  EXPECT_EQ(shown(kUp).text, "{27}[A");
  EXPECT_TRUE(shown(kUp).isDefault);
  EXPECT_EQ(shown(KEY_CTRL + kF5).text, "ctrl{32}f5");
  EXPECT_FALSE(shown(KEY_CTRL + kF5).isDefault);
  EXPECT_EQ(shown(KEY_CTRL + KEY_SHIFT + kF5).text, "");
}

TEST(FunctionKeyEditor, TheWorkingTableIsACopyOfTheCallersWithItsChains) {
  ModuleTable module;
  Define(module.keys, KEY_CTRL + kUp, "host programmed");
  FunctionKeyEditor editor;
  editor.Open(kDefaults, module.keys.Heads(), 1);
  const KeyEntry* result = editor.Result(kEditSessionOnly);
  ASSERT_NE(result, nullptr);
  EXPECT_NE(result, module.keys.Heads());
  KeyTable copy;
  copy.DefineAll(result);
  EXPECT_EQ(StringOf(copy, KEY_SHIFT + kUp), "\x1b[a");
  EXPECT_EQ(StringOf(copy, KEY_CTRL + kUp), "host programmed");
  EXPECT_EQ(StringOf(copy, kKeypad0), "\x1bOp");
  EXPECT_EQ(editor.Result(kEditCancelled), nullptr);
}

TEST(FunctionKeyEditor, MovingTheSelectionStoresTheFieldForTheSlotShown) {
  Session s;
  // F1 is on display when the dialog opens.
  EXPECT_EQ(s.Visit(KEY_SHIFT + kF1, "A{13}{10}").text, "{27}OP");
  EXPECT_EQ(StringOf(s.editor.Working(), kF1), "A\r\n");
  s.Visit(KEY_CTRL + kF1, "{300}{x}");
  EXPECT_EQ(StringOf(s.editor.Working(), KEY_SHIFT + kF1), ",{x}");
  // Back on F1, the changed string shows in the normal colour.
  FunctionKeyEditor::Shown shown = s.Visit(kF1, "");
  EXPECT_EQ(shown.text, "A{13}{10}");
  EXPECT_FALSE(shown.isDefault);
  // Ctrl+F1 had nothing anywhere and the field was empty: still nothing.
  EXPECT_EQ(StringOf(s.editor.Working(), KEY_CTRL + kF1), "<none>");
  // A slot only looked at receives what it showed.
  s.Visit(kUp, "A{13}{10}");
  s.Visit(kF1, "{27}[A");
  EXPECT_EQ(StringOf(s.editor.Working(), kUp), "\x1b[A");
}

TEST(FunctionKeyEditor, OnlyKeysDifferingFromTheirDefaultAreStored) {
  Session s;
  EXPECT_EQ(s.editor.Accept("{27}OP", false), kEditStored);
  EXPECT_EQ(s.StoreWith(kEditStored), std::vector<uint8_t>{});  // nothing differs: an empty value

  s.Visit(0x374, "{27}OP");   // F1 left as it was
  s.Visit(kF1, "changed");    // Ctrl+Shift+F5, which has no default
  s.Visit(KEY_SHIFT + kF1, "");  // F1 emptied: it now sends nothing
  s.editor.Accept("{27}OP", false);  // Shift+F1 keeps its default
  std::vector<uint8_t> expected = Record(kF1, "");
  std::vector<uint8_t> f5 = Record(0x374, "changed");
  expected.insert(expected.end(), f5.begin(), f5.end());  // bucket 112, then bucket 116
  EXPECT_EQ(s.StoreWith(kEditStored), expected);

  // Read back under the same codes.
  KeyTable reread;
  reread.LoadDefaultKeyList(kDefaults);
  reread.LoadStoredKeys(expected);
  EXPECT_EQ(StringOf(reread, 0x374), "changed");
  EXPECT_EQ(StringOf(reread, kF1), "");
}

TEST(FunctionKeyEditor, AKeyChangedBackToItsDefaultLeavesTheStoredValue) {
  ModuleTable module;
  module.keys.LoadStoredKeys(Record(kF1, "old"));
  FunctionKeyEditor editor;
  MemoryConfigStore store;
  editor.Open(kDefaults, module.keys.Heads(), 0);
  EXPECT_EQ(editor.Show(0).text, "old");
  editor.Accept("{27}OP", true);  // the box is disabled without the session flag
  EXPECT_EQ(editor.StoredValue(), std::vector<uint8_t>{});
  EXPECT_TRUE(editor.StoreIfAsked(kEditStored, store, "Terms\\vt100"));
  EXPECT_EQ(store.ReadValue("Terms\\vt100", "PFKEYS"), std::vector<uint8_t>{});
}

TEST(FunctionKeyEditor, TheResultSaysWhetherToStore) {
  Session session;
  EXPECT_TRUE(session.editor.SessionChoiceOffered());
  EXPECT_EQ(session.editor.Accept("x", true), kEditSessionOnly);
  EXPECT_EQ(session.editor.Accept("x", false), kEditStored);
  EXPECT_EQ(session.StoreWith(kEditSessionOnly), std::vector<uint8_t>{0xEE});  // nothing written
  EXPECT_EQ(session.StoreWith(kEditCancelled), std::vector<uint8_t>{0xEE});
  EXPECT_FALSE(session.editor.StoreIfAsked(kEditStored, session.store, nullptr));
  EXPECT_EQ(session.StoreWith(kEditStored), Record(kF1, "x"));
  // Chained entries appear in chain order behind their bucket's head.
  session.Visit(KEY_CTRL + KEY_SHIFT + kF1, "x");
  session.Visit(KEY_SHIFT + kF1, "y");
  std::vector<uint8_t> expected = Record(kF1, "x");
  for (auto record : {Record(KEY_SHIFT + kF1, "z"), Record(0x370, "y")}) expected.insert(expected.end(), record.begin(), record.end());
  session.editor.Accept("z", false);
  EXPECT_EQ(session.StoreWith(kEditStored), expected);

  Session settings(0);
  EXPECT_FALSE(settings.editor.SessionChoiceOffered());
  EXPECT_EQ(settings.editor.Accept("x", true), kEditStored);
}

TEST(FunctionKeyEditor, ResetRestoresDefaultsAndDropsTheField) {
  ModuleTable module;
  Define(module.keys, kF1, "mine");
  Define(module.keys, KEY_CTRL + kF1, "no default");
  FunctionKeyEditor editor;
  editor.Open(kDefaults, module.keys.Heads(), 1);
  editor.Select(SlotOf(editor, KEY_CTRL + kF1), "mine");
  // Whatever was typed over Ctrl+F1 is not stored: Reset takes no text.
  FunctionKeyEditor::Shown shown = editor.Reset();
  EXPECT_EQ(shown.text, "no{32}default");
  EXPECT_FALSE(shown.isDefault);
  EXPECT_EQ(editor.CurrentSlot(), 2u);
  EXPECT_EQ(StringOf(editor.Working(), kF1), "\x1bOP");
  EXPECT_EQ(StringOf(editor.Working(), KEY_CTRL + kF1), "no default");
  EXPECT_EQ(editor.Show(0).text, "{27}OP");
  EXPECT_TRUE(editor.Show(0).isDefault);
  EXPECT_EQ(editor.StoredValue(), Record(KEY_CTRL + kF1, "no default"));
}

TEST(FunctionKeyEditor, ALongDefinitionSurvivesBeingLookedAt) {
  ModuleTable module;
  std::string controls(600, '\x01');  // 1800 characters of text
  Define(module.keys, kF5, controls);
  FunctionKeyEditor editor;
  editor.Open(kDefaults, module.keys.Heads(), 1);
  std::string text = editor.Show(SlotOf(editor, kF5)).text;
  EXPECT_GT(text.size(), kKeyTextLimit);
  editor.Select(0, text);
  EXPECT_EQ(StringOf(editor.Working(), kF5), controls);
  // Typed over, it is cut like any text.
  editor.Show(SlotOf(editor, kF5));
  editor.Select(0, text + "x");
  EXPECT_EQ(StringOf(editor.Working(), kF5), std::string(kKeyTextLimit / 3, '\x01'));
}

TEST(FunctionKeyEditor, EachOpeningStartsFromTheCallersTable) {
  Session s;
  s.editor.Accept("first", false);
  ModuleTable other;
  s.editor.Open(nullptr, other.keys.Heads(), 0);
  EXPECT_EQ(StringOf(s.editor.Working(), kF1), "\x1bOP");
  EXPECT_EQ(s.editor.CurrentSlot(), 0u);
  // Without a default list every working key differs from "nothing".
  EXPECT_FALSE(s.editor.StoredValue().empty());
  s.editor.Open(kDefaults, nullptr, 1);
  EXPECT_EQ(s.editor.Working().Find(kF1), nullptr);
  EXPECT_EQ(s.editor.Show(0).text, "{27}OP");
  EXPECT_EQ(s.editor.Select(kKeySlotCount, "ignored").text, "{27}OP");
  EXPECT_EQ(s.editor.Working().Find(kF1), nullptr);
}

}  // namespace
}  // namespace korvane::test
