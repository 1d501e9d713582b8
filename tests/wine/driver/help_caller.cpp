// kvhelpcall: asks the help viewer for a help file the way the Korvane
// programs do, from a window of its own.
//   kvhelpcall.exe FILE context NUMBER    WinHelpA with HELP_CONTEXT
//   kvhelpcall.exe FILE finder            HELP_FINDER (the contents)
//   kvhelpcall.exe FILE quit              HELP_QUIT
// Exit code 0 when WinHelpA reports success, 1 when it fails, 2 on bad use.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  UINT command = 0;
  ULONG_PTR data = 0;
  if (std::strcmp(argv[2], "context") == 0 && argc == 4) {
    command = HELP_CONTEXT;
    data = static_cast<ULONG_PTR>(std::strtoul(argv[3], nullptr, 10));
  } else if (std::strcmp(argv[2], "finder") == 0) {
    command = HELP_FINDER;
  } else if (std::strcmp(argv[2], "quit") == 0) {
    command = HELP_QUIT;
  } else {
    return 2;
  }
  HWND owner = CreateWindowExA(0, "STATIC", "kvhelpcall", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  BOOL ok = WinHelpA(owner, argv[1], command, data);
  if (owner) DestroyWindow(owner);
  return ok ? 0 : 1;
}
