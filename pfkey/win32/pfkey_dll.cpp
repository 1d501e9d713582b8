// PfKey.DLL: the one export, CallFnEditDialog. A module loads the library,
// calls it and copies the table it returns before freeing the library, so
// the session (and the returned table) lives as long as the library.
#include <windows.h>

#include <memory>

#include "function_key_dialog.h"
#include "key_editor.h"
#include "module_abi.h"
#include "registry_store.h"

namespace {

HINSTANCE g_instance = nullptr;
std::unique_ptr<korvane::FunctionKeyEditor> g_editor;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    g_editor.reset();
  }
  return TRUE;
}

extern "C" __declspec(dllexport) KeyEntry* CallFnEditDialog(HWND owner, const short* defaultKeys,
                                                            const KeyEntry* table, const char* termSubKey,
                                                            int sessionFlag) {
  using namespace korvane;
  try {
    InstallOutOfMemoryHandler();
    SetLastError(0);
    if (!g_editor) g_editor = std::make_unique<FunctionKeyEditor>();
    g_editor->Open(defaultKeys, table, sessionFlag);
    int result = RunFunctionKeyDialog(g_instance, owner, *g_editor);
    // A key that cannot be created or opened is not reported.
    RegistryConfigStore store;
    g_editor->StoreIfAsked(result, store, termSubKey);
    // The caller only reads the table; the interface hands it out writable.
    return const_cast<KeyEntry*>(g_editor->Result(result));
  } catch (...) {
    return nullptr;
  }
}
