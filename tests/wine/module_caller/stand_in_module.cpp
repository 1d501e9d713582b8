// Stand-in emulation modules for the client's binding: one that reports a
// 30 x 100 screen, and (without COMPLETE) one that lacks dll_PgmPfKeys,
// which the client must refuse.
#include <windows.h>

#include "module_abi.h"

extern "C" __declspec(dllexport) int dll_Init(HWND, HINSTANCE, TermInfo* info, const char*) {
  if (info) {
    info->name = "standin";
    info->termType = "standin";
    info->rows = 30;
    info->columns = 100;
    info->statusLine = 1;
    info->fontCharSet = 0;
  }
  return 0;
}
extern "C" __declspec(dllexport) void dll_Submit(const unsigned char*, int) {}
extern "C" __declspec(dllexport) int dll_Key(int) { return 0; }
extern "C" __declspec(dllexport) int dll_Custom(const char*) { return 0; }
#ifdef COMPLETE
extern "C" __declspec(dllexport) int dll_PgmPfKeys(int) { return -1; }
#endif
