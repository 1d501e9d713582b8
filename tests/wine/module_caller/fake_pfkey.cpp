// A stand-in for the function-key editor. With WITH_EDITOR it "edits" F1
// into a description of what the module passed in and chains Shift+F1
// behind it; without, the library lacks the editor entry altogether.
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
  return g_table;
}

#else

extern "C" __declspec(dllexport) int NotTheEditor(void) { return 0; }

#endif
