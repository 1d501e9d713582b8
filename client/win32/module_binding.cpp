#include "module_binding.h"

#include "client_app.h"
#include "module_abi.h"

namespace korvane {

namespace {

// The one module of this process; it stays loaded until the process ends.
struct BoundModule {
  HMODULE library = nullptr;
  DllInitFn init = nullptr;
  DllSubmitFn submit = nullptr;
  DllKeyFn key = nullptr;
  DllPgmPfKeysFn pgmPfKeys = nullptr;
};

BoundModule g_module;

template <class Fn>
Fn Entry(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The first dll_Init: what the module tells about the terminal type.
int FirstInit() {
  ClientApp& app = App();
  TermInfo info = {};
  if (app.log.recordEvents) info.flags |= TERMINFO_LOG_UNRECOGNISED;
  int result = g_module.init(nullptr, app.instance, &info, app.config.termName.c_str());
  // The module's size counts only where neither InitialScreen nor -V gave one.
  if (app.rows <= 0) app.rows = info.rows;
  if (app.columns <= 0) app.columns = info.columns;
  app.screen.delayedWrap = (info.flags & TERMINFO_DELAYED_WRAP) != 0;
  app.fonts.typeface = info.fontCharSet == 1 ? 1 : 0;
  app.charMaps.useAnsi = app.fonts.typeface == 1;
  return result;
}

}  // namespace

int BindAndInitModule(const std::string& dllName) {
  HMODULE library = LoadLibraryA(dllName.c_str());
  if (!library) {
    KV_ERROR(kAbort, 1006, GetLastError(), "Can't load term dll %s", dllName.c_str());
    return 1007;
  }
  BoundModule bound;
  bound.library = library;
  bound.key = Entry<DllKeyFn>(library, "dll_Key");
  bound.init = Entry<DllInitFn>(library, "dll_Init");
  bound.submit = Entry<DllSubmitFn>(library, "dll_Submit");
  bound.pgmPfKeys = Entry<DllPgmPfKeysFn>(library, "dll_PgmPfKeys");
  if (!bound.key || !bound.init || !bound.submit || !bound.pgmPfKeys) {
    KV_ERROR(kAbort, 1008, 0, "Bad Term DLL (%s)", dllName.c_str());
    FreeLibrary(library);
    return 1007;
  }
  g_module = bound;
  return FirstInit();
}

void InitModuleWithWindow(HWND window) {
  if (g_module.init) g_module.init(window, nullptr, nullptr, App().config.termName.c_str());
}

void ModuleSubmit(const unsigned char* bytes, int count) {
  if (g_module.submit && bytes && count > 0) g_module.submit(bytes, count);
}

int ModuleKey(int keyCode) { return g_module.key ? g_module.key(keyCode) : 0; }

int ModulePgmPfKeys(int flag) { return g_module.pgmPfKeys ? g_module.pgmPfKeys(flag) : -1; }

}  // namespace korvane
