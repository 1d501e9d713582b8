// modcall: loads a module DLL and calls its exports as the client and the
// settings program do, writing what it sees to a file.
//
//   modcall.exe <module> <output file> bind
//   modcall.exe <module> <output file> info [name [flags]]
//   modcall.exe <module> <output file> custom <name>
//   modcall.exe <module> <output file> session <name> <step>...
//     steps: submit:<hex bytes>  key:<code>  pfkeys:<flag>  pump:<ms>
//
// In a session the module draws on a hidden window of ours that records
// every display message as a line: WRITE "text", SENDDATA "bytes",
// LOG "line" (pieces joined up to their newline), ATTRIBUTES or SETCOLOR
// word [bg fg which], ERASERECT left top right bottom lParam, or
// MSG n wParam lParam.
// Exit code: 0, 2 when the module does not load, 3 when an export is missing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display_messages.h"
#include "module_abi.h"

namespace {

std::FILE* g_out = nullptr;
std::string g_pendingLog;

std::string Quote(const char* bytes, size_t count) {
  std::string text = "\"";
  for (size_t i = 0; i < count; ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    char escaped[8];
    if (b == '\n')
      text += "\\n";
    else if (b >= 32 && b < 127 && b != '"' && b != '\\')
      text += static_cast<char>(b);
    else {
      std::snprintf(escaped, sizeof escaped, "\\x%02x", b);
      text += escaped;
    }
  }
  return text + "\"";
}

void FlushLog() {
  if (g_pendingLog.empty()) return;
  std::fprintf(g_out, "LOG %s\n", Quote(g_pendingLog.data(), g_pendingLog.size()).c_str());
  g_pendingLog.clear();
}

LRESULT CALLBACK RecorderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg <= korvane::WUM_USER || msg > korvane::WUM_USER + 100) return DefWindowProcA(window, msg, wParam, lParam);
  if (msg == korvane::WUM_LOG) {
    g_pendingLog += reinterpret_cast<const char*>(wParam);
    if (!g_pendingLog.empty() && g_pendingLog.back() == '\n') FlushLog();
    return 0;
  }
  FlushLog();
  if (msg == korvane::WUM_ATTRIBUTES || msg == korvane::WUM_SETCOLOR) {
    std::fprintf(g_out, "%s %u", msg == korvane::WUM_SETCOLOR ? "SETCOLOR" : "ATTRIBUTES",
                 *reinterpret_cast<const uint32_t*>(wParam));
    if (auto* colours = reinterpret_cast<const korvane::ColourRecord*>(lParam))
      std::fprintf(g_out, " %d %d %d", colours->background, colours->foreground, colours->which);
    std::fprintf(g_out, "\n");
  } else if (msg == korvane::WUM_ERASERECT) {
    auto* rect = reinterpret_cast<const korvane::CellRect*>(wParam);
    std::fprintf(g_out, "ERASERECT %d %d %d %d %lld\n", rect->left, rect->top, rect->right, rect->bottom,
                 static_cast<long long>(lParam));
  } else if (msg == korvane::WUM_WRITE || msg == korvane::WUM_SENDDATA)
    std::fprintf(g_out, "%s %s\n", msg == korvane::WUM_WRITE ? "WRITE" : "SENDDATA",
                 Quote(reinterpret_cast<const char*>(wParam), static_cast<size_t>(lParam)).c_str());
  else
    // Signed, as the client reads it: a page of -1 is 0xFFFFFFFF in an i686 WPARAM.
    std::fprintf(g_out, "MSG %u %lld %lld\n", msg - korvane::WUM_USER,
                 static_cast<long long>(static_cast<intptr_t>(wParam)), static_cast<long long>(lParam));
  return 0;
}

HWND CreateRecorder(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "ModcallRecorder";
  RegisterClassA(&windowClass);
  return CreateWindowA("ModcallRecorder", "modcall", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
}

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<LONG>(GetTickCount() - end) < 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
}

std::vector<unsigned char> HexBytes(const std::string& hex) {
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<unsigned char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  return bytes;
}

struct Module {
  DllInitFn init = nullptr;
  DllSubmitFn submit = nullptr;
  DllKeyFn key = nullptr;
  DllPgmPfKeysFn pgmPfKeys = nullptr;
  DllCustomFn custom = nullptr;
};

template <class Fn>
bool Bind(HMODULE library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
  if (!fn) std::fprintf(g_out, "missing %s\n", name);
  return fn != nullptr;
}

void WriteInfo(const TermInfo& info) {
  std::fprintf(g_out, "name=%s termType=%s rows=%u columns=%u statusLine=%u fontCharSet=%u flags=%u\n",
               info.name ? info.name : "(null)", info.termType ? info.termType : "(null)", info.rows, info.columns,
               info.statusLine, info.fontCharSet, info.flags);
}

void RunStep(const Module& module, const std::string& step) {
  size_t colon = step.find(':');
  std::string kind = step.substr(0, colon), value = colon == std::string::npos ? "" : step.substr(colon + 1);
  if (kind == "submit") {
    std::vector<unsigned char> bytes = HexBytes(value);
    module.submit(bytes.data(), static_cast<int>(bytes.size()));
  } else if (kind == "key") {
    int handled = module.key(static_cast<int>(std::strtol(value.c_str(), nullptr, 0)));
    FlushLog();
    std::fprintf(g_out, "key=%d\n", handled);
  } else if (kind == "pfkeys") {
    int result = module.pgmPfKeys(std::atoi(value.c_str()));
    FlushLog();
    std::fprintf(g_out, "pfkeys=%d\n", result);
  } else if (kind == "pump") {
    Pump(static_cast<DWORD>(std::atoi(value.c_str())));
  }
}

int Run(HINSTANCE instance, int argc, char** argv) {
  HMODULE library = LoadLibraryA(argv[1]);
  if (!library) {
    std::fprintf(g_out, "cannot load %s: error %lu\n", argv[1], GetLastError());
    return 2;
  }
  Module m;
  bool bound = Bind(library, "dll_Init", m.init) & Bind(library, "dll_Submit", m.submit) &
               Bind(library, "dll_Key", m.key) & Bind(library, "dll_PgmPfKeys", m.pgmPfKeys) &
               Bind(library, "dll_Custom", m.custom);
  if (!bound) return 3;
  std::string command = argv[3];
  const char* name = argc > 4 ? argv[4] : nullptr;
  TermInfo info = {};
  if (command == "bind") {
    std::fprintf(g_out, "bound\n");
  } else if (command == "info") {
    info.flags = static_cast<uint16_t>(argc > 5 ? std::atoi(argv[5]) : 0);
    m.init(nullptr, nullptr, &info, name);
    WriteInfo(info);
  } else if (command == "custom") {
    m.init(nullptr, instance, &info, name);
    std::fprintf(g_out, "custom=%d\n", m.custom(name));
  } else if (command == "session") {
    HWND window = CreateRecorder(instance);
    info.flags = TERMINFO_LOG_UNRECOGNISED;
    m.init(nullptr, instance, &info, name);
    m.init(window, nullptr, nullptr, name);
    for (int i = 5; i < argc; ++i) RunStep(m, argv[i]);
    FlushLog();
    DestroyWindow(window);
  }
  FreeLibrary(library);
  std::fprintf(g_out, "freed\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: modcall module output command [arguments]\n");
    return 1;
  }
  g_out = std::fopen(argv[2], "wb");
  if (!g_out) return 1;
  int result = Run(GetModuleHandleA(nullptr), argc, argv);
  std::fclose(g_out);
  return result;
}
