// kvdriver: runs a test script against the real programs under Windows (or
// Wine). It starts processes, finds their windows by class and title, reads
// and clicks controls, sends messages and keys, reads and writes the
// registry and checks exit codes. Every check prints "ok N - ..." or
// "not ok N - ...", and the run ends with "N passed, N failed".
//
//   kvdriver.exe script.kvt [NAME=VALUE ...]
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bitmap_file.h"
#include "file_checks.h"
#include "pixel_checks.h"
#include "registry_store.h"
#include "script_reader.h"
#include "test_host.h"

namespace kvdriver {

namespace {

constexpr DWORD kDefaultWaitMs = 15000;

struct Driver {
  std::vector<std::pair<std::string, std::string>> variables;
  std::string workingDirectory;
  PROCESS_INFORMATION process = {};
  bool haveProcess = false;
  HWND window = nullptr;
  int passed = 0, failed = 0, checkNumber = 0;
  std::string testName;
  korvane::RegistryConfigStore store;
  LRESULT lastResult = 0;
  PixelChecks pixels;
  std::vector<std::string> scriptPaths;  // the script running and those that include it
  TestHost host;
  DWORD clockStart = 0;  // clock-start

  void Check(bool ok, const std::string& what, const std::string& detail = "") {
    ++checkNumber;
    if (ok) {
      ++passed;
      std::printf("ok %d - %s: %s\n", checkNumber, testName.c_str(), what.c_str());
    } else {
      ++failed;
      std::printf("not ok %d - %s: %s%s%s\n", checkNumber, testName.c_str(), what.c_str(), detail.empty() ? "" : ": ",
                  detail.c_str());
    }
    std::fflush(stdout);
  }
  void Check(const CheckResult& result) { Check(result.ok, result.what, result.detail); }
};

std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c < 32 || c >= 127) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else
      out += static_cast<char>(c);
  }
  return out;
}

// "*" matches anything; a trailing "*" matches a prefix; otherwise exact.
bool Matches(const std::string& pattern, const std::string& text) {
  if (pattern == "*") return true;
  if (!pattern.empty() && pattern.back() == '*') return text.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
  return pattern == text;
}

std::string ClassOf(HWND w) {
  char name[256] = "";
  GetClassNameA(w, name, sizeof name);
  return name;
}

// WM_GETTEXT rather than GetWindowText: only the message reaches the text
// of an edit control in another process.
std::string TextOf(HWND w) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000, &got);
  text.resize(got < length ? static_cast<size_t>(got) : static_cast<size_t>(length));
  return text;
}

struct FindRequest {
  std::string className, title;
  DWORD processId;  // 0 = any
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  if (!IsWindowVisible(w)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (request->processId && pid != request->processId) return TRUE;
  if (!Matches(request->className, ClassOf(w)) || !Matches(request->title, TextOf(w))) return TRUE;
  request->found = w;
  return FALSE;
}

BOOL CALLBACK ListTopLevel(HWND w, LPARAM param) {
  if (IsWindowVisible(w)) *reinterpret_cast<std::string*>(param) += " [" + ClassOf(w) + " \"" + TextOf(w) + "\"]";
  return TRUE;
}

// The visible top-level windows, for the detail of a failed wait.
std::string VisibleWindows() {
  std::string list;
  EnumWindows(ListTopLevel, reinterpret_cast<LPARAM>(&list));
  return "visible:" + list;
}

HWND FindWindowOf(Driver& d, const std::string& className, const std::string& title, bool anyProcess) {
  FindRequest request{className, title, anyProcess || !d.haveProcess ? 0 : d.process.dwProcessId, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

DWORD WaitArg(const std::vector<std::string>& w, size_t index) {
  return w.size() > index ? static_cast<DWORD>(std::strtoul(w[index].c_str(), nullptr, 10)) : kDefaultWaitMs;
}

long Number(const std::string& text) { return std::strtol(text.c_str(), nullptr, 0); }

// Lets the started program run its message loop between our steps.
void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (static_cast<LONG>(GetTickCount() - end) >= 0) break;
    Sleep(20);
  }
}

std::vector<uint8_t> HexBytes(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  return bytes;
}

std::string ReadFileText(const std::string& pattern, std::string& resolved) {
  // A "*" in the file name picks the first match.
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  FindClose(h);
  size_t slash = pattern.find_last_of("\\/");
  resolved = (slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1)) + found.cFileName;
  std::ifstream in(resolved, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

using Command = std::function<void(Driver&, const std::vector<std::string>&)>;

// start <program> [arguments]: waits up to 5 s for the program to become
// idle; start-busy does not wait (a program busy in its start-up).
void StartProcess(Driver& d, const std::vector<std::string>& w, bool waitIdle) {
  if (d.haveProcess) {
    CloseHandle(d.process.hProcess);
    CloseHandle(d.process.hThread);
    d.haveProcess = false;
  }
  std::string line = "\"" + w[1] + "\"";
  if (w.size() > 2) line += " " + w[2];
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  const char* directory = d.workingDirectory.empty() ? nullptr : d.workingDirectory.c_str();
  BOOL ok = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &si, &d.process);
  // Wine now and then refuses a start right after a killed process ended
  // (ERROR_INTERNAL_ERROR); a second try a moment later succeeds.
  if (!ok && GetLastError() == ERROR_INTERNAL_ERROR) {
    Pump(500);
    ok = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &si, &d.process);
  }
  d.haveProcess = ok != FALSE;
  d.window = nullptr;
  if (!ok) d.Check(false, "start " + line, "CreateProcess error " + std::to_string(GetLastError()));
  if (ok && waitIdle) WaitForInputIdle(d.process.hProcess, 5000);
}

// The -any forms look at the windows of every process, not only the one started.
void WaitWindow(Driver& d, const std::vector<std::string>& w, bool anyProcess) {
  DWORD timeout = WaitArg(w, 3);
  DWORD start = GetTickCount();
  HWND found = nullptr;
  while (!(found = FindWindowOf(d, w[1], w[2], anyProcess)) && GetTickCount() - start < timeout) Pump(50);
  d.window = found;
  d.Check(found != nullptr, "window " + w[1] + " \"" + w[2] + "\" appears", found ? "" : VisibleWindows());
}

void ExpectNoWindow(Driver& d, const std::vector<std::string>& w, bool anyProcess) {
  DWORD timeout = WaitArg(w, 3);
  DWORD start = GetTickCount();
  HWND found = nullptr;
  while (!(found = FindWindowOf(d, w[1], w[2], anyProcess)) && GetTickCount() - start < timeout) Pump(50);
  d.Check(found == nullptr, "no window " + w[1] + " \"" + w[2] + "\"", found ? "found \"" + TextOf(found) + "\"" : "");
}

void ExpectText(Driver& d, const std::vector<std::string>& w, bool prefix) {
  std::string seen;
  bool ok = false;
  if (d.window) {
    for (HWND child : Children(d.window)) {
      if (!Matches(w[1], ClassOf(child))) continue;
      std::string text = TextOf(child);
      seen += " [" + Printable(text) + "]";
      if (prefix ? text.compare(0, w[2].size(), w[2]) == 0 : text == w[2]) ok = true;
    }
  }
  d.Check(ok, std::string(prefix ? "text starts with \"" : "text \"") + Printable(w[2]) + "\"",
          d.window ? "seen:" + seen : "no current window");
}

// expect-control-text-contains <class> <text>: a child control, maybe of
// another process, whose text (asked for with WM_GETTEXT, which also reaches
// rich edit controls) contains the text.
void ExpectControlTextContains(Driver& d, const std::vector<std::string>& w) {
  std::string seen;
  bool ok = false;
  for (HWND child : d.window ? Children(d.window) : std::vector<HWND>()) {
    if (!Matches(w[1], ClassOf(child))) continue;
    DWORD_PTR length = 0;
    SendMessageTimeoutA(child, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 5000, &got);
    text.resize(got);
    seen += " [" + Printable(text.substr(0, 120)) + "]";
    if (text.find(w[2]) != std::string::npos) ok = true;
  }
  d.Check(ok, "control text contains \"" + Printable(w[2]) + "\"", d.window ? "seen:" + seen : "no current window");
}

void ExpectTitle(Driver& d, const std::vector<std::string>& w) {
  std::string title = d.window ? TextOf(d.window) : "";
  d.Check(d.window && Matches(w[1], title), "title \"" + w[1] + "\"", "is \"" + title + "\"");
}

void Click(Driver& d, const std::vector<std::string>& w) {
  HWND button = nullptr;
  if (d.window)
    for (HWND child : Children(d.window))
      if (ClassOf(child) == "Button" && TextOf(child) == w[1]) button = child;
  d.Check(button != nullptr, "click \"" + w[1] + "\"");
  if (button) PostMessageA(d.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
  Pump(100);
}

// Dialog controls by id: text, check state, list selection, clicks.
HWND Control(Driver& d, const std::string& id) {
  HWND control = d.window ? GetDlgItem(d.window, static_cast<int>(Number(id))) : nullptr;
  if (!control) d.Check(false, "control " + id, "not found");
  return control;
}

// WM_GETTEXT, unlike GetWindowText, reaches controls of another process.
void ExpectControl(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    char text[1024] = "";
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    d.Check(text == w[2], "control " + w[1] + " shows \"" + w[2] + "\"", "shows \"" + Printable(text) + "\"");
  }
}

void ExpectCheck(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
    d.Check(state == Number(w[2]), "control " + w[1] + " check state " + w[2], "is " + std::to_string(state));
  }
}

void SelectItem(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(Number(w[2])), 0);
    PostMessageA(d.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    Pump(100);
  }
}

void ClickControl(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    PostMessageA(control, BM_CLICK, 0, 0);
    Pump(100);
  }
}

void SetControlText(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w[2].c_str()));
}

// select-list <id> <index>: a list box selection, as a click makes it. The
// notification is sent, as the list box itself sends it: posted, it could
// be overtaken by the next command's sent messages (a slow program takes
// sent messages before posted ones), and the field set or read next would
// belong to the slot before.
void SelectListItem(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(Number(w[2])), 0);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(d.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(control), SMTO_NORMAL, kDefaultWaitMs, &result);
    Pump(100);
  }
}

// expect-list <id> <count> [<index> <text>]...: a list box's item count and items.
void ExpectList(Driver& d, const std::vector<std::string>& w) {
  HWND control = Control(d, w[1]);
  if (!control) return;
  LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
  d.Check(count == Number(w[2]), "list " + w[1] + " holds " + w[2] + " items", "holds " + std::to_string(count));
  for (size_t i = 3; i + 1 < w.size(); i += 2) {
    // The wide form: Wine hands another process's list text over as UTF-16.
    wchar_t wide[512] = L"";
    char text[512] = "";
    LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(Number(w[i])), 0);
    if (length >= 0 && length < 512)
      SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(Number(w[i])), reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    d.Check(w[i + 1] == text, "list " + w[1] + " item " + w[i] + " \"" + w[i + 1] + "\"", std::string("is \"") + text + "\"");
  }
}

// expect-centred-on <class> <title>: the current window's centre is (within
// two pixels) that of the named window of the same process.
void ExpectCentredOn(Driver& d, const std::vector<std::string>& w) {
  HWND other = FindWindowOf(d, w[1], w[2], false);
  RECT a = {}, b = {};
  if (d.window) GetWindowRect(d.window, &a);
  if (other) GetWindowRect(other, &b);
  long dx = (a.left + a.right) / 2 - (b.left + b.right) / 2, dy = (a.top + a.bottom) / 2 - (b.top + b.bottom) / 2;
  d.Check(d.window && other && dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2, "centred on " + w[1] + " \"" + w[2] + "\"",
          other ? "off by " + std::to_string(dx) + "," + std::to_string(dy) : std::string("no such window"));
}

void ExpectEnabled(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    bool enabled = IsWindowEnabled(control) != FALSE;
    d.Check(enabled == (Number(w[2]) != 0), "control " + w[1] + " enabled " + w[2], enabled ? "enabled" : "disabled");
  }
}

// key-control <id> <vk> [down|up]: a key posted to a dialog control (both
// press and release unless one is named).
void KeyControl(Driver& d, const std::vector<std::string>& w) {
  HWND control = Control(d, w[1]);
  if (!control) return;
  UINT vk = static_cast<UINT>(Number(w[2]));
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16;
  std::string which = w.size() > 3 ? w[3] : "both";
  if (which != "up") PostMessageA(control, WM_KEYDOWN, vk, 1 | scan);
  if (which != "down") PostMessageA(control, WM_KEYUP, vk, 1 | scan | (1u << 30) | (1u << 31));
  Pump(100);
}

// The window whose keyboard focus the current window's thread holds is the
// current window or one of its children.
void ExpectFocus(Driver& d, const std::vector<std::string>&) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = d.window ? GetWindowThreadProcessId(d.window, nullptr) : 0;
  Pump(100);
  bool got = thread && GetGUIThreadInfo(thread, &info);
  bool inside = got && info.hwndFocus && (info.hwndFocus == d.window || IsChild(d.window, info.hwndFocus));
  HWND top = got && info.hwndFocus ? GetAncestor(info.hwndFocus, GA_ROOT) : nullptr;
  d.Check(inside, "focus in the window",
          got ? "focus on " + ClassOf(info.hwndFocus) + " \"" + TextOf(info.hwndFocus) + "\" in " + ClassOf(top) + " \"" +
                    TextOf(top) + "\""
              : "no thread");
}

void ExpectExit(Driver& d, const std::vector<std::string>& w) {
  if (!d.haveProcess) {
    d.Check(false, "exit code", "no process");
    return;
  }
  DWORD timeout = WaitArg(w, 2);
  DWORD start = GetTickCount();
  while (WaitForSingleObject(d.process.hProcess, 0) == WAIT_TIMEOUT && GetTickCount() - start < timeout) Pump(50);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(d.process.hProcess, &code);
  d.Check(code == static_cast<DWORD>(Number(w[1])), "exit code " + w[1],
          code == STILL_ACTIVE ? std::string("still running") : "was " + std::to_string(code));
  if (code == STILL_ACTIVE) TerminateProcess(d.process.hProcess, 99);
}

// Whether a process has a module of that file name loaded; `known` is false
// when its module list cannot be read.
bool HoldsModule(DWORD processId, const std::string& name, bool& known) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  known = snapshot != INVALID_HANDLE_VALUE;
  if (!known) return false;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Module32First(snapshot, &entry); more && !found; more = Module32Next(snapshot, &entry))
    found = lstrcmpiA(entry.szModule, name.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

// wait-unloaded <file> [ms]: the started program has freed that library.
// A module frees the function-key editor only when the editor's call has
// done all its work (PFKEYS written, keys handed back); its dialog is gone
// before that, and the program's main window stays visible throughout, so
// neither can tell a check that the work is done.
void WaitUnloaded(Driver& d, const std::vector<std::string>& w) {
  DWORD timeout = WaitArg(w, 2), start = GetTickCount();
  bool known = false, held = true;
  for (;;) {
    held = d.haveProcess && HoldsModule(d.process.dwProcessId, w[1], known);
    if ((known && !held) || !d.haveProcess || GetTickCount() - start >= timeout) break;
    Pump(20);
  }
  d.Check(d.haveProcess && known && !held, w[1] + " freed",
          !d.haveProcess ? "no process" : known ? "still loaded" : "module list unreadable");
}

void ExpectRunning(Driver& d, const std::vector<std::string>& w) {
  Pump(WaitArg(w, 1));
  bool running = d.haveProcess && WaitForSingleObject(d.process.hProcess, 0) == WAIT_TIMEOUT;
  d.Check(running, "still running");
}

void Kill(Driver& d, const std::vector<std::string>&) {
  if (d.haveProcess) {
    TerminateProcess(d.process.hProcess, 99);
    WaitForSingleObject(d.process.hProcess, 5000);
  }
}

void SendOrPost(Driver& d, const std::vector<std::string>& w, bool send) {
  if (!d.window) {
    d.Check(false, w[0], "no current window");
    return;
  }
  UINT msg = static_cast<UINT>(Number(w[1]));
  WPARAM wp = static_cast<WPARAM>(Number(w.size() > 2 ? w[2] : "0"));
  LPARAM lp = static_cast<LPARAM>(Number(w.size() > 3 ? w[3] : "0"));
  if (send) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(d.window, msg, wp, lp, SMTO_NORMAL, 10000, &result);
    d.lastResult = static_cast<LRESULT>(result);
    if (w.size() > 5 && w[4] == "expect")
      d.Check(d.lastResult == Number(w[5]), "message " + w[1] + " returns " + w[5],
              "returned " + std::to_string(static_cast<long long>(d.lastResult)));
  } else {
    PostMessageA(d.window, msg, wp, lp);
  }
  Pump(50);
}

// Sends a message count times and prints the rate as a "#" line; never
// fails on time.
void TimeSends(Driver& d, long count, UINT msg, WPARAM wp, LPARAM lp) {
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  for (long i = 0; i < count; ++i) SendMessageA(d.window, msg, wp, lp);
  QueryPerformanceCounter(&end);
  double ms = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("# %s: %ld x message %u in %.1f ms, %.0f messages/s\n", d.testName.c_str(), count, msg, ms,
              ms > 0 ? 1000.0 * static_cast<double>(count) / ms : 0.0);
  std::fflush(stdout);
}

// time-send <count> <message> [wParam [lParam]]
void TimeSend(Driver& d, const std::vector<std::string>& w) {
  if (!d.window) return d.Check(false, "time-send", "no current window");
  TimeSends(d, Number(w[1]), static_cast<UINT>(Number(w[2])), static_cast<WPARAM>(Number(w.size() > 3 ? w[3] : "0")),
            static_cast<LPARAM>(Number(w.size() > 4 ? w[4] : "0")));
}

// send-remote <message> "<bytes>" [lParam [expect N]]: copies the bytes into
// the window's process and sends the message with their address as wParam;
// lParam defaults to the number of bytes. For display messages that take a
// pointer (text, rectangles, attribute words). time-send-remote <count>
// <message> "<bytes>" sends it count times and prints the time taken as a
// "#" line.
void SendRemote(Driver& d, const std::vector<std::string>& w, long repeat = 0) {
  DWORD pid = 0;
  if (d.window) GetWindowThreadProcessId(d.window, &pid);
  HANDLE process = pid ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid) : nullptr;
  const std::string& bytes = w[2];
  void* remote = process ? VirtualAllocEx(process, nullptr, bytes.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
  if (!remote || !WriteProcessMemory(process, remote, bytes.c_str(), bytes.size() + 1, nullptr)) {
    d.Check(false, "send-remote " + w[1], "cannot write into the window's process");
  } else {
    LPARAM lp = w.size() > 3 && !repeat ? static_cast<LPARAM>(Number(w[3])) : static_cast<LPARAM>(bytes.size());
    DWORD_PTR result = 0;
    if (repeat) {
      TimeSends(d, repeat, static_cast<UINT>(Number(w[1])), reinterpret_cast<WPARAM>(remote), lp);
    } else {
      SendMessageTimeoutA(d.window, static_cast<UINT>(Number(w[1])), reinterpret_cast<WPARAM>(remote), lp,
                          SMTO_NORMAL, 10000, &result);
    }
    d.lastResult = static_cast<LRESULT>(result);
    if (w.size() > 5 && w[4] == "expect")
      d.Check(d.lastResult == Number(w[5]), "message " + w[1] + " returns " + w[5],
              "returned " + std::to_string(static_cast<long long>(d.lastResult)));
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  Pump(50);
}

// send-remote2 <message> "<wParam bytes>" "<lParam bytes>": both copied into
// the window's process, for messages that take two pointers (an attribute
// word and a colour record).
void SendRemote2(Driver& d, const std::vector<std::string>& w) {
  DWORD pid = 0;
  if (d.window) GetWindowThreadProcessId(d.window, &pid);
  HANDLE process = pid ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid) : nullptr;
  std::string both = w[2] + std::string(1, '\0') + w[3];
  char* remote = process ? static_cast<char*>(VirtualAllocEx(process, nullptr, both.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                                             PAGE_READWRITE))
                         : nullptr;
  if (!remote || !WriteProcessMemory(process, remote, both.c_str(), both.size() + 1, nullptr)) {
    d.Check(false, "send-remote2 " + w[1], "cannot write into the window's process");
  } else {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(d.window, static_cast<UINT>(Number(w[1])), reinterpret_cast<WPARAM>(remote),
                        reinterpret_cast<LPARAM>(remote + w[2].size() + 1), SMTO_NORMAL, 10000, &result);
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  Pump(50);
}

// invalidate <left> <top> <right> <bottom>: that part of the client area is
// painted again (and erased first).
void Invalidate(Driver& d, const std::vector<std::string>& w) {
  RECT r = {static_cast<LONG>(Number(w[1])), static_cast<LONG>(Number(w[2])), static_cast<LONG>(Number(w[3])),
            static_cast<LONG>(Number(w[4]))};
  if (d.window) InvalidateRect(d.window, &r, TRUE);
  Pump(100);
}

// expect-size <class> <text> <min-width> <min-height> [<max-width> <max-height>]:
// the outer size of the current window (class ".") or of its first child of
// the class whose text starts with <text> ("*" for any text).
void ExpectSize(Driver& d, const std::vector<std::string>& w) {
  HWND target = w[1] == "." ? d.window : nullptr;
  if (d.window && !target)
    for (HWND child : Children(d.window))
      if (Matches(w[1], ClassOf(child)) && (w[2] == "*" || TextOf(child).compare(0, w[2].size(), w[2]) == 0)) {
        target = child;
        break;
      }
  RECT r = {};
  if (target) GetWindowRect(target, &r);
  long width = r.right - r.left, height = r.bottom - r.top;
  bool small = w.size() < 7 || (width <= Number(w[5]) && height <= Number(w[6]));
  d.Check(target && width >= Number(w[3]) && height >= Number(w[4]) && small,
          "size of " + w[1] + " at least " + w[3] + " x " + w[4] + (w.size() < 7 ? "" : " and at most " + w[5] + " x " + w[6]),
          target ? "is " + std::to_string(width) + " x " + std::to_string(height) : std::string("no such window"));
}

void Key(Driver& d, const std::vector<std::string>& w) {
  UINT vk = static_cast<UINT>(Number(w[1]));
  UINT scan = MapVirtualKeyA(vk, 0);
  PostMessageA(d.window, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(d.window, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  Pump(50);
}

// type <key> ...: real key presses through SendInput into the current
// window, made the foreground window first (so the keyboard state the
// program reads follows them). A key is a character ("a", "7"), a name
// (Enter, Esc, Tab, Space, Up, Down, Left, Right, F1..F12) or a decimal
// virtual-key code, with any of "ctrl+", "shift+" and "alt+" before it.
UINT VirtualKeyOf(const std::string& name) {
  static const std::map<std::string, UINT> named = {
      {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Tab", VK_TAB}, {"Space", VK_SPACE}, {"Up", VK_UP},
      {"Down", VK_DOWN},    {"Left", VK_LEFT},  {"Right", VK_RIGHT}, {"Back", VK_BACK}};
  auto it = named.find(name);
  if (it != named.end()) return it->second;
  if (name.size() > 1 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1])))
    return static_cast<UINT>(VK_F1 + Number(name.substr(1)) - 1);
  if (name.size() == 1) return static_cast<UINT>(LOBYTE(VkKeyScanA(name[0])));
  return static_cast<UINT>(Number(name));
}

void PushKey(std::vector<INPUT>& inputs, UINT vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

void TypeKeys(Driver& d, const std::vector<std::string>& w) {
  if (!d.window) return d.Check(false, "type", "no current window");
  SetForegroundWindow(d.window);
  Pump(100);
  for (size_t i = 1; i < w.size(); ++i) {
    std::string keyName = w[i];
    std::vector<UINT> modifiers;
    for (const auto& [prefix, vk] : {std::pair<std::string, UINT>{"ctrl+", VK_CONTROL}, {"shift+", VK_SHIFT}, {"alt+", VK_MENU}})
      if (keyName.compare(0, prefix.size(), prefix) == 0) {
        modifiers.push_back(vk);
        keyName = keyName.substr(prefix.size());
      }
    std::vector<INPUT> inputs;
    for (UINT m : modifiers) PushKey(inputs, m, false);
    UINT vk = VirtualKeyOf(keyName);
    PushKey(inputs, vk, false);
    PushKey(inputs, vk, true);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) PushKey(inputs, *m, true);
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) d.Check(false, "type " + w[i], "SendInput error " + std::to_string(GetLastError()));
    Pump(60);
  }
}

// mouse-drag <x1> <y1> <x2> <y2>: a left-button drag in the current
// window's client area, posted as the button and move messages.
void MouseDrag(Driver& d, const std::vector<std::string>& w) {
  if (!d.window) return d.Check(false, "mouse-drag", "no current window");
  LPARAM from = MAKELPARAM(Number(w[1]), Number(w[2])), to = MAKELPARAM(Number(w[3]), Number(w[4]));
  PostMessageA(d.window, WM_LBUTTONDOWN, MK_LBUTTON, from);
  Pump(50);
  LPARAM middle = MAKELPARAM((Number(w[1]) + Number(w[3])) / 2, (Number(w[2]) + Number(w[4])) / 2);
  PostMessageA(d.window, WM_MOUSEMOVE, MK_LBUTTON, middle);
  PostMessageA(d.window, WM_MOUSEMOVE, MK_LBUTTON, to);
  Pump(50);
  PostMessageA(d.window, WM_LBUTTONUP, 0, to);
  Pump(150);
}

// expect-clipboard "<text>": the clipboard's CF_TEXT.
void ExpectClipboard(Driver& d, const std::vector<std::string>& w) {
  std::string text;
  bool opened = false;
  for (int tries = 0; tries < 20 && !(opened = OpenClipboard(nullptr)); ++tries) Pump(50);
  if (opened) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
        text.assign(bytes, strnlen(bytes, GlobalSize(data)));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  d.Check(opened && text == w[1], "clipboard holds \"" + Printable(w[1]) + "\"",
          opened ? "holds \"" + Printable(text) + "\"" : std::string("cannot open the clipboard"));
}

// set-clipboard "<text>": CF_TEXT for a paste.
void SetClipboard(Driver& d, const std::vector<std::string>& w) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, w[1].size() + 1);
  if (char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr) {
    memcpy(bytes, w[1].c_str(), w[1].size() + 1);
    GlobalUnlock(block);
  }
  bool ok = block && OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  d.Check(ok, "set the clipboard");
}

// expect-window-at <x> <y>: the current window's top-left corner on the screen.
void ExpectWindowAt(Driver& d, const std::vector<std::string>& w) {
  RECT r = {};
  if (d.window) GetWindowRect(d.window, &r);
  d.Check(d.window && r.left == Number(w[1]) && r.top == Number(w[2]), "window at " + w[1] + "," + w[2],
          "is at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " + std::to_string(r.right - r.left) +
              " x " + std::to_string(r.bottom - r.top));
}

struct ClassWindows {
  std::string className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND w, LPARAM param) {
  auto* request = reinterpret_cast<ClassWindows*>(param);
  if (IsWindowVisible(w) && ClassOf(w) == request->className) request->found.push_back(w);
  return TRUE;
}

std::vector<HWND> WindowsOfClass(const std::string& className) {
  ClassWindows request{className, {}};
  EnumWindows(CollectOfClass, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

// expect-tiled <class> <count> <columns> <rows>: that many visible windows
// of the class (any process), their corners on a grid of at most so many
// columns and rows starting at the screen's corner, none overlapping.
void ExpectTiled(Driver& d, const std::vector<std::string>& w) {
  std::vector<HWND> windows = WindowsOfClass(w[1]);
  std::vector<RECT> rects;
  std::vector<LONG> xs, ys;
  std::string seen;
  for (HWND window : windows) {
    RECT r;
    GetWindowRect(window, &r);
    rects.push_back(r);
    if (std::find(xs.begin(), xs.end(), r.left) == xs.end()) xs.push_back(r.left);
    if (std::find(ys.begin(), ys.end(), r.top) == ys.end()) ys.push_back(r.top);
    seen += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
            std::to_string(r.bottom) + ")";
  }
  bool overlap = false;
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j) {
      RECT both;
      overlap = overlap || IntersectRect(&both, &rects[i], &rects[j]);
    }
  bool ok = static_cast<long>(windows.size()) == Number(w[2]) && static_cast<long>(xs.size()) <= Number(w[3]) &&
            static_cast<long>(ys.size()) <= Number(w[4]) && !xs.empty() && *std::min_element(xs.begin(), xs.end()) == 0 &&
            *std::min_element(ys.begin(), ys.end()) == 0 && !overlap;
  d.Check(ok, w[2] + " windows " + w[1] + " tiled in " + w[3] + " x " + w[4], "windows:" + seen);
}

// scroll-bar <code> [position]: WM_VSCROLL from the current window's scroll
// bar child (SB_ code, the thumb position for 4 and 5), as a click sends it.
void ScrollBarCommand(Driver& d, const std::vector<std::string>& w) {
  HWND bar = nullptr;
  for (HWND child : d.window ? Children(d.window) : std::vector<HWND>())
    if (ClassOf(child) == "ScrollBar") bar = child;
  d.Check(bar != nullptr, "the window has a scroll bar");
  if (!bar) return;
  WPARAM wp = MAKEWPARAM(Number(w[1]), w.size() > 2 ? Number(w[2]) : 0);
  SendMessageTimeoutA(d.window, WM_VSCROLL, wp, reinterpret_cast<LPARAM>(bar), SMTO_NORMAL, 10000, nullptr);
  Pump(100);
}

// expect-windows <class> <count>: that many visible top-level windows of
// the class, of any process (waits up to the default time for them).
void ExpectWindows(Driver& d, const std::vector<std::string>& w) {
  DWORD start = GetTickCount();
  size_t count = 0;
  while ((count = WindowsOfClass(w[1]).size()) != static_cast<size_t>(Number(w[2])) &&
         GetTickCount() - start < kDefaultWaitMs)
    Pump(50);
  d.Check(count == static_cast<size_t>(Number(w[2])), w[2] + " windows " + w[1], "there are " + std::to_string(count));
}

// expect-minimised <0|1>: whether the current window is minimised.
void ExpectMinimised(Driver& d, const std::vector<std::string>& w) {
  Pump(200);
  bool iconic = d.window && IsIconic(d.window);
  d.Check(d.window && iconic == (Number(w[1]) != 0), std::string("window ") + (Number(w[1]) ? "minimised" : "not minimised"),
          iconic ? "minimised" : "not minimised");
}

// close-all <class>: WM_CLOSE to every visible window of the class.
void CloseAll(Driver&, const std::vector<std::string>& w) {
  for (HWND window : WindowsOfClass(w[1])) PostMessageA(window, WM_CLOSE, 0, 0);
  Pump(300);
}

// Every item of a menu resource, depth-first, one line each: "-" for a
// separator, "> text" for a submenu, "text|id" for a command.
void DumpMenu(HMENU menu, int depth, std::string& out) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    out += std::string(static_cast<size_t>(depth) * 2, ' ');
    if (info.fType & MFT_SEPARATOR)
      out += "-\n";
    else if (info.hSubMenu) {
      out += "> " + std::string(text) + "\n";
      DumpMenu(info.hSubMenu, depth + 1, out);
    } else
      out += std::string(text) + "|" + std::to_string(info.wID) + "\n";
  }
}

// expect-menu-resource <module> <id> <expected dump>
void ExpectMenuResource(Driver& d, const std::vector<std::string>& w) {
  HMODULE module = LoadLibraryExA(w[1].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HMENU menu = module ? LoadMenuA(module, MAKEINTRESOURCEA(Number(w[2]))) : nullptr;
  std::string dump;
  if (menu) DumpMenu(menu, 0, dump);
  d.Check(menu && dump == w[3], "menu resource " + w[2] + " of " + w[1], "is:\n" + dump);
  if (menu) DestroyMenu(menu);
  if (module) FreeLibrary(module);
}

void ExpectHasMenu(Driver& d, const std::vector<std::string>&) {
  d.Check(d.window && GetMenu(d.window) != nullptr, "window has a menu");
}

void RegSet(Driver& d, const std::vector<std::string>& w) {
  d.store.WriteTextCreatingKey(w[1], w[2], w[3]);
}

void RegSetBinary(Driver& d, const std::vector<std::string>& w) {
  std::vector<uint8_t> bytes = HexBytes(w[3]);
  d.store.WriteBinary(w[1], w[2], bytes.data(), bytes.size());
}

void RegDelete(Driver& d, const std::vector<std::string>& w) {
  if (w.size() > 2)
    d.store.DeleteValue(w[1], w[2]);
  else
    d.store.DeleteKey(w[1]);
}

void RegExpect(Driver& d, const std::vector<std::string>& w) {
  auto value = korvane::ReadText(d.store, w[1], w[2]);
  d.Check(value && *value == w[3], "registry " + w[1] + "\\" + w[2] + " = \"" + w[3] + "\"",
          value ? "is \"" + Printable(*value) + "\"" : std::string("missing"));
}

void RegExpectMissing(Driver& d, const std::vector<std::string>& w) {
  bool missing = w.size() > 2 ? !d.store.ReadValue(w[1], w[2]) : !d.store.KeyExists(w[1]);
  d.Check(missing, "registry " + w[1] + (w.size() > 2 ? "\\" + w[2] : "") + " missing");
}

void RegExpectHex(Driver& d, const std::vector<std::string>& w) {
  auto value = d.store.ReadValue(w[1], w[2]);
  std::string hex;
  if (value)
    for (uint8_t b : *value) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%02x", b);
      hex += buf;
    }
  d.Check(value && hex == w[3], "registry " + w[1] + "\\" + w[2] + " bytes", value ? "is " + hex : "missing");
}

void FileContains(Driver& d, const std::vector<std::string>& w, bool wanted) {
  std::string resolved;
  std::string text = ReadFileText(w[1], resolved);
  bool contains = !resolved.empty() && text.find(w[2]) != std::string::npos;
  d.Check(contains == wanted, std::string(wanted ? "file " : "file without ") + w[1] + " \"" + Printable(w[2]) + "\"",
          resolved.empty() ? "no such file" : "holds \"" + Printable(text.substr(0, 400)) + "\"");
}

// wait-file <pattern> [ms]: a file another process writes appears.
// expect-file-is <pattern> <bytes>: the file holds exactly these bytes.
void FileIs(Driver& d, const std::vector<std::string>& w) {
  std::string resolved;
  std::string text = ReadFileText(w[1], resolved);
  d.Check(!resolved.empty() && text == w[2], "file " + w[1] + " is \"" + Printable(w[2]) + "\"",
          resolved.empty() ? "no such file" : "holds \"" + Printable(text.substr(0, 400)) + "\"");
}

void WaitFile(Driver& d, const std::vector<std::string>& w) {
  DWORD timeout = WaitArg(w, 2), start = GetTickCount();
  WIN32_FIND_DATAA found;
  HANDLE h;
  while ((h = FindFirstFileA(w[1].c_str(), &found)) == INVALID_HANDLE_VALUE && GetTickCount() - start < timeout) Pump(100);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  d.Check(h != INVALID_HANDLE_VALUE, "file " + w[1] + " appears");
}

// expect-file-number <pattern> <label> <value> <tolerance>: the number after
// "<label> " in the file is within the tolerance of the value.
void ExpectFileNumber(Driver& d, const std::vector<std::string>& w) {
  std::string resolved;
  std::string text = ReadFileText(w[1], resolved);
  size_t at = text.find(w[2] + " ");
  long value = at == std::string::npos ? -1 : std::strtol(text.c_str() + at + w[2].size() + 1, nullptr, 10);
  d.Check(at != std::string::npos && std::labs(value - Number(w[3])) <= Number(w[4]),
          w[1] + ": " + w[2] + " " + w[3] + " +-" + w[4], "holds \"" + Printable(text.substr(0, 200)) + "\"");
}

// expect-clipboard-bitmap <width> <height>: a bitmap of that size is on the clipboard.
void ExpectClipboardBitmap(Driver& d, const std::vector<std::string>& w) {
  BITMAP info = {};
  bool have = false;
  if (OpenClipboard(nullptr)) {
    HANDLE data = GetClipboardData(CF_BITMAP);
    have = data && GetObjectA(data, sizeof info, &info) == sizeof info;
    CloseClipboard();
  }
  d.Check(have && info.bmWidth == Number(w[1]) && info.bmHeight == Number(w[2]), "clipboard bitmap " + w[1] + " x " + w[2],
          have ? "is " + std::to_string(info.bmWidth) + " x " + std::to_string(info.bmHeight) : "no bitmap");
}

// expect-class-shown <class> <0|1> [ms]: whether a visible top-level window
// of the class exists, waiting up to ms for it to be so. No message goes to
// the window, so a busy program's windows are seen too.
void ExpectClassShown(Driver& d, const std::vector<std::string>& w) {
  auto shown = [&] {
    HWND found = FindWindowA(w[1].c_str(), nullptr);
    return found && IsWindowVisible(found);
  };
  bool wanted = Number(w[2]) != 0;
  DWORD timeout = w.size() > 3 ? WaitArg(w, 3) : 0, start = GetTickCount();
  while (shown() != wanted && GetTickCount() - start < timeout) Pump(50);
  d.Check(shown() == wanted, "window of class " + w[1] + (wanted ? " shown" : " not shown"));
}

// expect-clock <min> <max>: milliseconds since clock-start.
void ExpectClock(Driver& d, const std::vector<std::string>& w) {
  DWORD elapsed = GetTickCount() - d.clockStart;
  d.Check(elapsed >= static_cast<DWORD>(Number(w[1])) && elapsed <= static_cast<DWORD>(Number(w[2])),
          "clock between " + w[1] + " and " + w[2] + " ms", "is " + std::to_string(elapsed));
}

void FileMissing(Driver& d, const std::vector<std::string>& w) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(w[1].c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  d.Check(h == INVALID_HANDLE_VALUE, "no file " + w[1]);
}

void DeleteFiles(Driver&, const std::vector<std::string>& w) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(w[1].c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  size_t slash = w[1].find_last_of("\\/");
  std::string dir = slash == std::string::npos ? std::string() : w[1].substr(0, slash + 1);
  do DeleteFileA((dir + found.cFileName).c_str());
  while (FindNextFileA(h, &found));
  FindClose(h);
}

void WriteFileCommand(Driver&, const std::vector<std::string>& w) {
  std::ofstream out(w[1], std::ios::binary);
  out << w[2];
}

// write-repeated <file> <text> <count>: a large file of one text repeated.
void WriteRepeated(Driver&, const std::vector<std::string>& w) {
  std::ofstream out(w[1], std::ios::binary);
  for (long i = Number(w[3]); i > 0; --i) out << w[2];
}

void CopyFileCommand(Driver& d, const std::vector<std::string>& w) {
  d.Check(CopyFileA(w[1].c_str(), w[2].c_str(), FALSE) != FALSE, "copy " + w[1]);
}

// expect-client-size <width> <height>: the current window's client area.
void ExpectClientSize(Driver& d, const std::vector<std::string>& w) {
  RECT r = {};
  if (d.window) GetClientRect(d.window, &r);
  d.Check(d.window && r.right == Number(w[1]) && r.bottom == Number(w[2]), "client size " + w[1] + " x " + w[2],
          "is " + std::to_string(r.right) + " x " + std::to_string(r.bottom));
}

// Saves the current window's picture as a 24-bit BMP.
void Screenshot(Driver& d, const std::vector<std::string>& w) {
  if (!d.window) return;
  Pump(200);
  RECT r;
  GetWindowRect(d.window, &r);
  // "screenshot <file> screen": the whole screen (tiled windows, open menus).
  if (w.size() > 2 && w[2] == "screen") r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  SaveBitmap(memory, bitmap, width, height, w[1]);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// capture: the current window's client area as the screen shows it, for
// the pixel checks that follow.
void CaptureCommand(Driver& d, const std::vector<std::string>&) {
  Pump(150);
  if (!d.pixels.Capture(d.window)) d.Check(false, "capture", "no window or no client area");
}

// capture-control <id>: a dialog control's client area, for the checks below.
void CaptureControl(Driver& d, const std::vector<std::string>& w) {
  Pump(150);
  HWND control = Control(d, w[1]);
  if (control && !d.pixels.Capture(control)) d.Check(false, "capture control " + w[1], "no client area");
}

// expect-colour <RRGGBB|sys:N> <1|0>: the last capture holds a pixel of the
// colour (1) or none (0); sys:N is the system colour N (GetSysColor).
void ExpectColour(Driver& d, const std::vector<std::string>& w) {
  uint32_t rgb = ParseColour(w[1]);
  if (w[1].compare(0, 4, "sys:") == 0) {
    COLORREF system = GetSysColor(static_cast<int>(Number(w[1].substr(4))));
    rgb = static_cast<uint32_t>(GetRValue(system)) << 16 | static_cast<uint32_t>(GetGValue(system)) << 8 | GetBValue(system);
  }
  d.Check(d.pixels.ExpectColour(rgb, Number(w[2]) != 0));
}

// expect-cells <row> <column> <count> <background> <ink|->: RRGGBB colours.
void ExpectCellsCommand(Driver& d, const std::vector<std::string>& w) {
  bool ink = w[5] != "-";
  d.Check(d.pixels.ExpectCells(static_cast<int>(Number(w[1])), static_cast<int>(Number(w[2])),
                               static_cast<int>(Number(w[3])), ParseColour(w[4]), ink ? ParseColour(w[5]) : 0, ink));
}

// expect-scaled <sx> <sy> <w> <h> <dx> <dy> <fx> <fy>
void ExpectScaledCommand(Driver& d, const std::vector<std::string>& w) {
  int v[8];
  for (int i = 0; i < 8; ++i) v[i] = static_cast<int>(Number(w[static_cast<size_t>(i) + 1]));
  d.Check(d.pixels.ExpectScaled(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]));
}

// expect-moved <x> <y> <w> <h> <dx> <dy>: against the capture before.
void ExpectMovedCommand(Driver& d, const std::vector<std::string>& w) {
  int v[6];
  for (int i = 0; i < 6; ++i) v[i] = static_cast<int>(Number(w[static_cast<size_t>(i) + 1]));
  d.Check(d.pixels.ExpectMoved(v[0], v[1], v[2], v[3], v[4], v[5]));
}

// expect-caret <x> <y> <width> <height>: the caret of the window's thread.
void ExpectCaret(Driver& d, const std::vector<std::string>& w) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = d.window ? GetWindowThreadProcessId(d.window, nullptr) : 0;
  bool got = thread && GetGUIThreadInfo(thread, &info) && info.hwndCaret == d.window;
  RECT& r = info.rcCaret;
  d.Check(got && r.left == Number(w[1]) && r.top == Number(w[2]) && r.right - r.left == Number(w[3]) &&
              r.bottom - r.top == Number(w[4]),
          "caret at " + w[1] + "," + w[2] + " size " + w[3] + "x" + w[4],
          got ? "is at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
                    std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top)
              : std::string("the window has no caret"));
}

// expect-no-caret: the window's thread shows no caret in it.
void ExpectNoCaret(Driver& d, const std::vector<std::string>&) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = d.window ? GetWindowThreadProcessId(d.window, nullptr) : 0;
  bool has = thread && GetGUIThreadInfo(thread, &info) && info.hwndCaret == d.window;
  d.Check(d.window && !has, "window has no caret");
}

// expect-cell-cycle <ms> <min-steps> <ink> "<state> <state> ..." <row> <col> ...:
// watches the cells for <ms>; a state has one '1' (ink present) or '0' per
// cell. The states seen after the first change, repeats dropped, must walk
// the cycle in order (the picture before it may predate the cycle).
void ExpectCellCycle(Driver& d, const std::vector<std::string>& w) {
  std::vector<std::string> cycle;
  std::istringstream states(w[4]);
  for (std::string s; states >> s;) cycle.push_back(s);
  uint32_t ink = ParseColour(w[3]);
  std::vector<std::string> seen;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(Number(w[1]))) {
    if (!d.pixels.Capture(d.window)) break;
    std::string state;
    for (size_t i = 5; i + 1 < w.size(); i += 2)
      state += d.pixels.CellState(static_cast<int>(Number(w[i])), static_cast<int>(Number(w[i + 1])), ink);
    if (seen.empty() || seen.back() != state) seen.push_back(state);
    Pump(20);
  }
  std::string trace;
  for (const std::string& s : seen) trace += " " + s;
  if (!seen.empty()) seen.erase(seen.begin());
  int steps = WalkCycle(seen, cycle);
  d.Check(steps >= Number(w[2]), "cells cycle through \"" + w[4] + "\" at least " + w[2] + " steps", "seen" + trace);
}


bool RunScript(const std::string& path, Driver& d);
void Include(Driver& d, const std::vector<std::string>& w);

// host-listen [port]: publishes ${HOST_ADDR} and ${HOST_PORT}.
void HostListen(Driver& d, const std::vector<std::string>& w) {
  HostCheck check = d.host.Listen(w.size() > 1 ? static_cast<int>(Number(w[1])) : 0);
  d.Check(check.ok, check.what, check.detail);
  d.variables.emplace_back("HOST_ADDR", d.host.Address());
  d.variables.emplace_back("HOST_PORT", std::to_string(d.host.Port()));
}

void HostReport(Driver& d, const HostCheck& check) { d.Check(check.ok, check.what, check.detail); }

void HostListenStalled(Driver& d, const std::vector<std::string>&) {
  HostReport(d, d.host.ListenStalled());
  d.variables.emplace_back("HOST_ADDR", d.host.Address());
  d.variables.emplace_back("HOST_PORT", std::to_string(d.host.Port()));
}

// send-chars <msg> "text": one message per character, the character as wParam.
void SendChars(Driver& d, const std::vector<std::string>& w) {
  for (unsigned char c : w[2]) {
    DWORD_PTR result = 0;
    if (d.window) SendMessageTimeoutA(d.window, static_cast<UINT>(Number(w[1])), c, 0, SMTO_NORMAL, 10000, &result);
  }
  d.Check(d.window != nullptr, "send-chars \"" + Printable(w[2]) + "\"");
  Pump(50);
}

// expect-list-selected <id> <index>: a list box's current item.
void ExpectListSelected(Driver& d, const std::vector<std::string>& w) {
  if (HWND control = Control(d, w[1])) {
    LRESULT selected = SendMessageA(control, LB_GETCURSEL, 0, 0);
    d.Check(selected == Number(w[2]), "list " + w[1] + " selects item " + w[2],
            "selects " + std::to_string(static_cast<long long>(selected)));
  }
}

// host-expect-rows <columns> "row" ...: the next bytes are these rows, each
// padded with blanks to the width (what WUM_SENDSCREEN sends of a screen;
// on the wire a byte 255 of it is doubled, as all telnet data).
void HostExpectRows(Driver& d, const std::vector<std::string>& w) {
  size_t columns = static_cast<size_t>(Number(w[1]));
  std::string rows;
  for (size_t i = 2; i < w.size(); ++i) rows += w[i].substr(0, columns) + std::string(columns - std::min(columns, w[i].size()), ' ');
  std::string wire;
  for (char c : rows) {
    wire += c;
    if (c == '\xff') wire += c;
  }
  HostReport(d, d.host.Expect(wire, kDefaultWaitMs, true));
}

// host-bench "pattern" megabytes label: prints the throughput, checks nothing.
void HostBench(Driver& d, const std::vector<std::string>& w) {
  size_t total = static_cast<size_t>(Number(w[2])) << 20;
  double seconds = d.host.SendBulk(w[1], total);
  std::printf("# benchmark %s: %.1f MB in %.2f s = %.2f MB/s\n", w[3].c_str(), static_cast<double>(total) / 1048576.0,
              seconds, seconds > 0 ? static_cast<double>(total) / 1048576.0 / seconds : 0.0);
  std::fflush(stdout);
}

// syskey-control <id> <vk>: an Alt combination posted to a dialog control.
void SysKeyControl(Driver& d, const std::vector<std::string>& w) {
  HWND control = Control(d, w[1]);
  if (!control) return;
  UINT vk = static_cast<UINT>(Number(w[2]));
  LPARAM context = 1 | static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16 | 1L << 29;
  PostMessageA(control, WM_SYSKEYDOWN, vk, context);
  PostMessageA(control, WM_SYSKEYUP, vk, context | 3L << 30);
  Pump(150);
}

// expect-focus-id <id>: the control of that id holds the keyboard focus.
void ExpectFocusId(Driver& d, const std::vector<std::string>& w) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = d.window ? GetWindowThreadProcessId(d.window, nullptr) : 0;
  Pump(100);
  bool got = thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus;
  HWND focus = got ? info.hwndFocus : nullptr;
  // The edit field inside a combo box stands for the combo box.
  if (focus && GetParent(focus) != d.window && GetParent(GetParent(focus)) == d.window) focus = GetParent(focus);
  bool ok = focus && GetParent(focus) == d.window && GetDlgCtrlID(focus) == Number(w[1]);
  d.Check(ok, "focus on control " + w[1],
          focus ? "on " + ClassOf(focus) + " " + std::to_string(GetDlgCtrlID(focus)) + " \"" + TextOf(focus) + "\""
                : std::string("no focus"));
}

// select-text <id> <text>: the combo box item with exactly this text, as a
// click chooses it.
void SelectText(Driver& d, const std::vector<std::string>& w) {
  HWND control = Control(d, w[1]);
  if (!control) return;
  LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0), found = -1;
  for (LRESULT i = 0; i < count && found < 0; ++i) {
    wchar_t wide[512] = L"";
    char text[512] = "";
    LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length >= 0 && length < 512) SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    if (w[2] == text) found = i;
  }
  d.Check(found >= 0, "combo box " + w[1] + " lists \"" + w[2] + "\"");
  if (found < 0) return;
  SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  PostMessageA(d.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
  Pump(100);
}

// reg-create-volatile <key>: creates the key (below the product key) as a
// volatile key. The registry then refuses to create lasting keys below it,
// as it refuses writes to a user without rights.
void RegCreateVolatile(Driver& d, const std::vector<std::string>& w) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(HKEY_CLASSES_ROOT, korvane::RegistryConfigStore::FullPath(w[1]).c_str(), 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_READ, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  d.Check(status == ERROR_SUCCESS, "volatile registry key " + w[1] + " created", "error " + std::to_string(status));
}

// reg-expect-value-count <key> <n>: the key holds exactly n values.
void RegExpectValueCount(Driver& d, const std::vector<std::string>& w) {
  HKEY key = nullptr;
  DWORD values = 0;
  bool open = RegOpenKeyExA(HKEY_CLASSES_ROOT, korvane::RegistryConfigStore::FullPath(w[1]).c_str(), 0, KEY_READ, &key) ==
              ERROR_SUCCESS;
  if (open) {
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
  }
  d.Check(open && values == static_cast<DWORD>(Number(w[2])), "registry " + w[1] + " holds " + w[2] + " values",
          open ? "holds " + std::to_string(values) : std::string("no such key"));
}

const std::map<std::string, std::pair<size_t, Command>>& Commands() {
  static const std::map<std::string, std::pair<size_t, Command>> table = {
      {"test", {2, [](Driver& d, const auto& w) { d.testName = w[1]; }}},
      {"set", {3, [](Driver& d, const auto& w) { d.variables.emplace_back(w[1], w[2]); }}},
      {"env", {3, [](Driver&, const auto& w) { SetEnvironmentVariableA(w[1].c_str(), w[2].empty() ? nullptr : w[2].c_str()); }}},
      {"cd", {2, [](Driver& d, const auto& w) { d.workingDirectory = w[1]; }}},
      {"start", {2, [](Driver& d, const auto& w) { StartProcess(d, w, true); }}},
      {"start-busy", {2, [](Driver& d, const auto& w) { StartProcess(d, w, false); }}},
      {"wait-window", {3, [](Driver& d, const auto& w) { WaitWindow(d, w, false); }}},
      {"wait-window-any", {3, [](Driver& d, const auto& w) { WaitWindow(d, w, true); }}},
      {"expect-no-window", {3, [](Driver& d, const auto& w) { ExpectNoWindow(d, w, false); }}},
      {"expect-no-window-any", {3, [](Driver& d, const auto& w) { ExpectNoWindow(d, w, true); }}},
      {"expect-control-text-contains", {3, ExpectControlTextContains}},
      {"expect-text", {3, [](Driver& d, const auto& w) { ExpectText(d, w, false); }}},
      {"expect-text-prefix", {3, [](Driver& d, const auto& w) { ExpectText(d, w, true); }}},
      {"expect-title", {2, ExpectTitle}},
      {"click", {2, Click}},
      {"expect-control", {3, ExpectControl}},
      {"expect-check", {3, ExpectCheck}},
      {"select", {3, SelectItem}},
      {"click-control", {2, ClickControl}},
      {"set-control", {3, SetControlText}},
      {"select-list", {3, SelectListItem}},
      {"expect-list", {3, ExpectList}},
      {"expect-enabled", {3, ExpectEnabled}},
      {"expect-centred-on", {3, ExpectCentredOn}},
      {"key-control", {3, KeyControl}},
      {"expect-focus", {1, ExpectFocus}},
      {"capture-control", {2, CaptureControl}},
      {"expect-colour", {3, ExpectColour}},
      {"close", {1, [](Driver& d, const auto&) { if (d.window) PostMessageA(d.window, WM_CLOSE, 0, 0); Pump(50); }}},
      {"send", {2, [](Driver& d, const auto& w) { SendOrPost(d, w, true); }}},
      {"post", {2, [](Driver& d, const auto& w) { SendOrPost(d, w, false); }}},
      {"send-remote", {3, [](Driver& d, const auto& w) { SendRemote(d, w); }}},
      {"time-send-remote", {4, [](Driver& d, const auto& w) { SendRemote(d, {w[0], w[2], w[3]}, Number(w[1])); }}},
      {"expect-size", {5, ExpectSize}},
      {"key", {2, Key}},
      {"type", {2, TypeKeys}},
      {"mouse-drag", {5, MouseDrag}},
      {"expect-clipboard", {2, ExpectClipboard}},
      {"set-clipboard", {2, SetClipboard}},
      {"expect-window-at", {3, ExpectWindowAt}},
      {"expect-tiled", {5, ExpectTiled}},
      {"close-all", {2, CloseAll}},
      {"expect-minimised", {2, ExpectMinimised}},
      {"expect-windows", {3, ExpectWindows}},
      {"scroll-bar", {2, ScrollBarCommand}},
      {"expect-exit", {2, ExpectExit}},
      {"expect-running", {1, ExpectRunning}},
      {"wait-unloaded", {2, WaitUnloaded}},
      {"kill", {1, Kill}},
      {"expect-has-menu", {1, ExpectHasMenu}},
      {"expect-menu-resource", {4, ExpectMenuResource}},
      {"reg-set", {4, RegSet}},
      {"reg-set-bin", {4, RegSetBinary}},
      {"reg-create-volatile", {2, RegCreateVolatile}},
      {"reg-delete", {2, RegDelete}},
      {"reg-expect", {4, RegExpect}},
      {"reg-expect-missing", {2, RegExpectMissing}},
      {"reg-expect-hex", {4, RegExpectHex}},
      {"expect-file-contains", {3, [](Driver& d, const auto& w) { FileContains(d, w, true); }}},
      {"expect-file-lacks", {3, [](Driver& d, const auto& w) { FileContains(d, w, false); }}},
      {"expect-file-is", {3, FileIs}},
      {"expect-no-file", {2, FileMissing}},
      {"delete-files", {2, DeleteFiles}},
      {"write-file", {3, WriteFileCommand}},
      {"copy-file", {3, CopyFileCommand}},
      {"expect-client-size", {3, ExpectClientSize}},
      {"mkdir", {2, [](Driver&, const auto& w) { CreateDirectoryA(w[1].c_str(), nullptr); }}},
      {"sleep", {2, [](Driver&, const auto& w) { Pump(static_cast<DWORD>(Number(w[1]))); }}},
      {"screenshot", {2, Screenshot}},
      {"capture", {1, CaptureCommand}},
      {"cell-size", {3, [](Driver& d, const auto& w) { d.pixels.SetCellSize(static_cast<int>(Number(w[1])), static_cast<int>(Number(w[2]))); }}},
      {"expect-pixel", {4, [](Driver& d, const auto& w) { d.Check(d.pixels.ExpectPixel(static_cast<int>(Number(w[1])), static_cast<int>(Number(w[2])), ParseColour(w[3]))); }}},
      {"expect-cells", {6, ExpectCellsCommand}},
      {"expect-scaled", {9, ExpectScaledCommand}},
      {"expect-caret", {5, ExpectCaret}},
      {"expect-no-caret", {1, ExpectNoCaret}},
      {"expect-cell-cycle", {7, ExpectCellCycle}},
      {"time-send", {3, TimeSend}},
      {"send-remote2", {4, SendRemote2}},
      {"invalidate", {5, Invalidate}},
      {"expect-unchanged", {1, [](Driver& d, const auto&) { d.Check(d.pixels.ExpectUnchanged()); }}},
      {"expect-changed", {1, [](Driver& d, const auto&) { d.Check(d.pixels.ExpectUnchanged(true)); }}},
      {"expect-moved", {7, ExpectMovedCommand}},
      {"include", {2, Include}},
      {"host-listen", {1, HostListen}},
      {"host-accept", {1, [](Driver& d, const auto& w) { HostReport(d, d.host.Accept(WaitArg(w, 1))); }}},
      {"host-send", {2, [](Driver& d, const auto& w) { HostReport(d, d.host.Send(w[1])); }}},
      {"host-expect", {2, [](Driver& d, const auto& w) { HostReport(d, d.host.Expect(w[1], WaitArg(w, 2), false)); }}},
      {"host-expect-next", {2, [](Driver& d, const auto& w) { HostReport(d, d.host.Expect(w[1], WaitArg(w, 2), true)); }}},
      {"host-expect-silence", {2, [](Driver& d, const auto& w) { HostReport(d, d.host.ExpectSilence(WaitArg(w, 1))); }}},
      {"host-expect-closed", {1, [](Driver& d, const auto& w) { HostReport(d, d.host.ExpectClosed(WaitArg(w, 1))); }}},
      {"host-skip", {1, [](Driver& d, const auto& w) { d.host.Skip(w.size() > 1 ? WaitArg(w, 1) : 0); }}},
      {"host-close", {1, [](Driver& d, const auto&) { d.host.CloseClient(); }}},
      {"host-bench", {4, HostBench}},
      {"host-expect-rows", {3, HostExpectRows}},
      {"host-listen-stalled", {1, HostListenStalled}},
      {"host-stop", {1, [](Driver& d, const auto&) { d.host.CloseAll(); }}},
      {"send-chars", {3, SendChars}},
      {"expect-list-selected", {3, ExpectListSelected}},
      {"expect-link", {7, [](Driver& d, const auto& w) { d.Check(ExpectLink(w)); }}},
      {"expect-file-count", {3, [](Driver& d, const auto& w) { d.Check(ExpectFileCount(w)); }}},
      {"set-attributes", {3, [](Driver& d, const auto& w) { d.Check(SetAttributes(w)); }}},
      {"move-window", {3, [](Driver& d, const auto& w) { if (d.window) SetWindowPos(d.window, nullptr, static_cast<int>(Number(w[1])), static_cast<int>(Number(w[2])), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); Pump(100); }}},
      {"syskey-control", {3, SysKeyControl}},
      {"expect-focus-id", {2, ExpectFocusId}},
      {"select-text", {3, SelectText}},
      {"reg-expect-value-count", {3, RegExpectValueCount}},
      {"wait-file", {2, WaitFile}},
      {"write-repeated", {4, WriteRepeated}},
      {"expect-file-number", {5, ExpectFileNumber}},
      {"expect-clipboard-bitmap", {3, ExpectClipboardBitmap}},
      {"clock-start", {1, [](Driver& d, const auto&) { d.clockStart = GetTickCount(); }}},
      {"expect-clock", {3, ExpectClock}},
      {"expect-class-shown", {3, ExpectClassShown}},
  };
  return table;
}

// Runs the commands of a script file; false when it cannot be read.
bool RunScript(const std::string& path, Driver& d) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    d.Check(false, "read script " + path);
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<ScriptLine> lines;
  std::string error;
  if (!ReadScript(text.str(), lines, error)) {
    d.Check(false, "script " + path, error);
    return false;
  }
  d.scriptPaths.push_back(path);
  for (const ScriptLine& line : lines) {
    std::vector<std::string> words;
    for (const std::string& word : line.words) words.push_back(Expand(word, d.variables));
    auto it = Commands().find(words[0]);
    if (it == Commands().end() || words.size() < it->second.first) {
      d.Check(false, "script line " + std::to_string(line.number), "unknown command or missing words: " + words[0]);
      continue;
    }
    it->second.second(d, words);
  }
  d.scriptPaths.pop_back();
  return true;
}

// include <file>: runs another script, named relative to this one, with the
// variables set so far (a block shared by several tests).
void Include(Driver& d, const std::vector<std::string>& w) {
  if (d.scriptPaths.size() > 8) return d.Check(false, "include " + w[1], "included too deep");
  const std::string& current = d.scriptPaths.back();
  size_t slash = current.find_last_of("\\/");
  bool absolute = w[1].size() > 1 && (w[1][1] == ':' || w[1][0] == '\\' || w[1][0] == '/');
  RunScript(absolute || slash == std::string::npos ? w[1] : current.substr(0, slash + 1) + w[1], d);
}

int Run(const std::string& path, Driver& d) {
  d.testName = path;
  RunScript(path, d);
  if (d.haveProcess && WaitForSingleObject(d.process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(d.process.hProcess, 99);
  std::printf("%d passed, %d failed\n", d.passed, d.failed);
  return d.failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace kvdriver

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kvdriver script [NAME=VALUE ...]\n");
    return 2;
  }
  kvdriver::Driver driver;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    size_t eq = arg.find('=');
    if (eq != std::string::npos) driver.variables.emplace_back(arg.substr(0, eq), arg.substr(eq + 1));
  }
  return kvdriver::Run(argv[1], driver);
}
