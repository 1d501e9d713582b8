// A stand-in for the function-key editor. With WITH_EDITOR it "edits" F1
// into a description of what the module passed in, chains Shift+F1 behind
// it and gives F2 the default string of Shift+F1 from the default list it
// was handed; without, the library lacks the editor entry altogether.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "module_abi.h"

#ifdef WITH_EDITOR

namespace {

KeyEntry g_table[KEY_TABLE_BUCKETS];
KeyEntry g_shiftF1;
char g_description[512];
char g_chained[] = "chained";
unsigned char g_defaultShiftF1[64];

// The bytes of Shift+F1 in a default key list (code, bytes, -5 per key).
int32_t DefaultShiftF1(const short* list) {
  while (*list != KEY_LIST_END) {
    short code = *list++;
    int32_t length = 0;
    for (; *list != KEY_LIST_END; ++list)
      if (code == KEY_SHIFT + 112 && length < static_cast<int32_t>(sizeof g_defaultShiftF1))
        g_defaultShiftF1[length++] = static_cast<unsigned char>(*list);
    ++list;
    if (code == KEY_SHIFT + 112) return length;
  }
  return 0;
}

}  // namespace

extern "C" __declspec(dllexport) KeyEntry* CallFnEditDialog(HWND owner, const short* defaultKeys,
                                                            const KeyEntry* table, const char* termSubKey,
                                                            int sessionFlag) {
  int enter = table[13].code == 13 ? table[13].length : -1;
  std::snprintf(g_description, sizeof g_description, "owner=%d sub=%s flag=%d first=%d enter=%d",
                owner != nullptr, termSubKey, sessionFlag, defaultKeys[0], enter);
  g_table[112] = KeyEntry{112, static_cast<int32_t>(std::strlen(g_description)),
                          reinterpret_cast<unsigned char*>(g_description), &g_shiftF1};
  g_shiftF1 = KeyEntry{KEY_SHIFT + 112, 7, reinterpret_cast<unsigned char*>(g_chained), nullptr};
  g_table[113] = KeyEntry{113, DefaultShiftF1(defaultKeys), g_defaultShiftF1, nullptr};
  return g_table;
}

#else

extern "C" __declspec(dllexport) int NotTheEditor(void) { return 0; }

#endif
