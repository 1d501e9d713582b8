// The five exports of every module DLL and its load and unload steps. The
// exports are cdecl and undecorated, and no exception leaves them.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "module_abi.h"
#include "module_dll.h"
#include "printer_port_win32.h"
#include "registry_store.h"
#include "settings_dialog.h"

namespace korvane {

namespace {

struct LoadedModule {
  HINSTANCE instance = nullptr;        // this DLL, for the dialog resource
  HINSTANCE callerInstance = nullptr;  // kept from dll_Init; nothing depends on it
  RegistryConfigStore store;
  Win32PrinterPort printerPort;
  std::unique_ptr<ModuleDll> module;
};

LoadedModule* g_loaded = nullptr;

// Display messages go to the caller's window. For a window of the calling
// thread SendMessageA does no more than call its window procedure, but under
// Wine each call also makes a round trip through the system that costs
// several times the message's own work. So while dll_Submit or dll_Key runs,
// the procedure of an ANSI window of this thread is looked up once and
// called directly; outside them, and for any other window, SendMessageA.
struct DirectRoute {
  HWND window = nullptr;
  WNDPROC procedure = nullptr;
  int depth = 0;  // exports running, nested through the window procedure
  // The last window found to be the calling thread's, and the procedure it
  // had when found to be an ANSI window. A window never changes threads and
  // changes its character set only with a new procedure; asking costs more
  // than the rest of a keystroke's module work under Wine, so only the
  // procedure is looked up on each call.
  HWND ownWindow = nullptr;
  DWORD ownThread = 0;
  WNDPROC ansiProcedure = nullptr;
};
DirectRoute g_route;

class DirectRouteScope {
 public:
  explicit DirectRouteScope(void* target) {
    if (g_route.depth++ > 0) return;
    HWND window = static_cast<HWND>(target);
    if (!window) return;
    DWORD thread = GetCurrentThreadId();
    if (window != g_route.ownWindow || thread != g_route.ownThread) {
      g_route.ansiProcedure = nullptr;
      if (GetWindowThreadProcessId(window, nullptr) != thread) return;
      g_route.ownWindow = window;
      g_route.ownThread = thread;
    }
    auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (!procedure) return;
    if (procedure != g_route.ansiProcedure) {
      if (IsWindowUnicode(window)) return;
      g_route.ansiProcedure = procedure;
    }
    g_route.window = window;
    g_route.procedure = procedure;
  }
  ~DirectRouteScope() {
    if (--g_route.depth == 0) {
      g_route.window = nullptr;
      g_route.procedure = nullptr;
    }
  }
  DirectRouteScope(const DirectRouteScope&) = delete;
  DirectRouteScope& operator=(const DirectRouteScope&) = delete;
};

intptr_t SendToWindow(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  HWND window = static_cast<HWND>(target);
  if (window && window == g_route.window) return g_route.procedure(window, msg, wParam, lParam);
  return SendMessageA(window, msg, wParam, lParam);
}

bool Load(HINSTANCE instance) {
  auto loaded = std::make_unique<LoadedModule>();
  loaded->instance = instance;
  loaded->module = CreateModuleDll(loaded->store, loaded->printerPort);
  ModuleFrame& frame = loaded->module->Frame();
  frame.link.send = &SendToWindow;
  loaded->printerPort.onTick = [&frame] { frame.printer.Tick(); };
  g_loaded = loaded.release();
  return true;
}

void Unload() {
  if (!g_loaded) return;
  g_loaded->module->Frame().Unload();
  delete g_loaded;
  g_loaded = nullptr;
}

// Runs an export's body; an exception (out of memory) gives `failed`.
template <class Body>
auto Guard(decltype(std::declval<Body>()()) failed, Body body) -> decltype(body()) {
  if (!g_loaded) return failed;
  try {
    return body();
  } catch (...) {
    return failed;
  }
}

int PgmPfKeys(int flag) {
  HMODULE library = LoadLibraryA("PfKey.DLL");
  if (!library) return -1;
  auto edit = reinterpret_cast<CallFnEditDialogFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "CallFnEditDialog")));
  // A library without the editor entry is as good as none.
  if (!edit) {
    FreeLibrary(library);
    return -1;
  }
  ModuleFrame& frame = g_loaded->module->Frame();
  try {
    // The editor's table lives in the library: copy it before freeing it.
    frame.ApplyEditedKeys(edit(frame.Window(), frame.DefaultKeyList(), frame.keys.Heads(), frame.SubKey().c_str(), flag));
  } catch (...) {
    // Out of memory while copying: the keys defined so far stay.
  }
  FreeLibrary(library);
  return 0;
}

}  // namespace
}  // namespace korvane

using korvane::g_loaded;
using korvane::Guard;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      DisableThreadLibraryCalls(instance);
      return korvane::Load(instance) ? TRUE : FALSE;
    }
    if (reason == DLL_PROCESS_DETACH) korvane::Unload();
  } catch (...) {
    return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
  }
  return TRUE;
}

extern "C" __declspec(dllexport) int dll_Init(HWND window, HINSTANCE instance, TermInfo* info, const char* name) {
  return Guard(0, [&] {
    if (window) g_loaded->callerInstance = instance;
    return g_loaded->module->Frame().Init(window, info, name);
  });
}

extern "C" __declspec(dllexport) void dll_Submit(const unsigned char* bytes, int count) {
  Guard(0, [&] {
    korvane::ModuleFrame& frame = g_loaded->module->Frame();
    korvane::DirectRouteScope route(frame.Window());
    if (bytes && count > 0) frame.Submit(bytes, static_cast<size_t>(count));
    return 0;
  });
}

extern "C" __declspec(dllexport) int dll_Key(int keyCode) {
  return Guard(0, [&] {
    korvane::ModuleFrame& frame = g_loaded->module->Frame();
    korvane::DirectRouteScope route(frame.Window());
    return frame.Key(keyCode);
  });
}

extern "C" __declspec(dllexport) int dll_PgmPfKeys(int flag) {
  return Guard(-1, [&] { return korvane::PgmPfKeys(flag); });
}

extern "C" __declspec(dllexport) int dll_Custom(const char* name) {
  return Guard(0, [&] {
    korvane::ShowSettingsDialog(g_loaded->instance, g_loaded->module->Frame(), g_loaded->module->Page(),
                                name ? name : "");
    return 0;
  });
}
