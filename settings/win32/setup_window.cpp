#include "setup_window.h"

#include <shellapi.h>

#include "colour_dialog.h"
#include "key_map_dialog.h"
#include "module_calls.h"
#include "settings_app.h"
#include "settings_resource_ids.h"
#include "term_type_dialog.h"
#include "text_util.h"

namespace korvane {

namespace {

constexpr char kClassName[] = "KorSet";
constexpr char kOriginalProc[] = "KorvaneSetupProc";
constexpr DWORD kHelpContext = 1303;
constexpr int kWidth = 600, kHeight = 325;

struct ControlSpec {
  const char* className;
  const char* text;
  DWORD style;
  int x, y, width, height;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCheck = kChild | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = kChild | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = kChild | BS_PUSHBUTTON;
constexpr int kButtonX = 440, kButtonWidth = 140, kButtonHeight = 24;

// By id, which is also the Tab order.
const ControlSpec kControls[SETUP_CONTROL_COUNT] = {
    {"Button", "&Auto Connect", kCheck, 12, 10, 180, 20},
    {"Button", "A&uto Close", kCheck, 12, 32, 180, 20},
    {"Button", "Allo&w Other", kCheck, 12, 54, 180, 20},
    {"Button", "&Suppress Banner", kCheck, 12, 76, 180, 20},
    {"Button", "Record E&vents", kCheck, 12, 98, 180, 20},
    {"Button", "R&ecord I/O", kCheck, 12, 120, 180, 20},
    {"Button", "Disable &NAWS", kCheck, 200, 10, 200, 20},
    {"Button", "Seri&f Fonts", kCheck, 200, 32, 200, 20},
    {"Button", "Scrollbac&k", kCheck, 200, 54, 200, 20},
    {"Button", "Th&rottle Output", kCheck, 200, 76, 200, 20},
    {"Button", "&International Keyboard", kCheck, 200, 98, 200, 20},
    {"Button", "Print Screen as &Graphics", kCheck, 200, 120, 200, 20},
    {"Edit", "", kEdit, 130, 152, 270, 22},
    {"Edit", "", kEdit, 130, 180, 270, 22},
    {"ComboBox", "", kChild | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 130, 208, 150, 200},
    {"Button", "New Term T&ype", kButton, 290, 207, 110, kButtonHeight},
    {"Edit", "", kEdit, 130, 238, 70, 22},
    {"Edit", "", kEdit, 330, 238, 70, 22},
    {"Button", "Edit &HOSTS file", kButton, kButtonX, 44, kButtonWidth, kButtonHeight},
    {"Button", "Co&lors", kButton, kButtonX, 72, kButtonWidth, kButtonHeight},
    {"Button", "Ter&m Settings", kButton, kButtonX, 100, kButtonWidth, kButtonHeight},
    {"Button", "&Pgm Func Keys", kButton, kButtonX, 128, kButtonWidth, kButtonHeight},
    {"Button", "Key &Mapping", kButton, kButtonX, 156, kButtonWidth, kButtonHeight},
    {"Button", "&Help", kButton, kButtonX, 184, kButtonWidth, kButtonHeight},
    {"Button", "&OK", kChild | BS_DEFPUSHBUTTON, kButtonX, 212, kButtonWidth, kButtonHeight},
    {"Button", "&Cancel", kButton, kButtonX, 240, kButtonWidth, kButtonHeight},
};

struct Label {
  const char* text;
  int x, y;
};
const Label kLabels[] = {{"&Hosts File", 12, 155},
                         {"&Default Host", 12, 183},
                         {"&Terminal Type", 12, 211},
                         {"T&imer (msec)", 12, 241},
                         {"Scroll&back (lines)", 215, 241}};

HWND Control(int id) { return Settings().controls[id]; }
HFONT StockFont() { return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)); }

std::string TextOf(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  int got = GetWindowTextA(control, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::string ComboItemText(HWND list, LRESULT index) {
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

const TermTypeEntry* SelectedType() { return Settings().types.Find(SelectedTermName()); }

void UpdateTermSettingsButton() { EnableWindow(Control(SETUP_TERM_SETTINGS), SelectedType() != nullptr); }

void ShowValues() {
  const SetupValues& v = Settings().values;
  for (int i = 0; i < kSetupCheckBoxes; ++i)
    SendMessageA(Control(i), BM_SETCHECK, v.checked[static_cast<size_t>(i)] ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextA(Control(SETUP_HOSTS_FILE), v.hostsFile.c_str());
  SetWindowTextA(Control(SETUP_DEFAULT_HOST), v.defaultHost.c_str());
  SetWindowTextA(Control(SETUP_TIMER), v.timer.c_str());
  SetWindowTextA(Control(SETUP_SCROLLBACK_LINES), v.scrollbackLines.c_str());
}

void TakeValues() {
  SetupValues& v = Settings().values;
  for (int i = 0; i < kSetupCheckBoxes; ++i)
    v.checked[static_cast<size_t>(i)] = SendMessageA(Control(i), BM_GETCHECK, 0, 0) == BST_CHECKED;
  v.hostsFile = TextOf(Control(SETUP_HOSTS_FILE));
  v.defaultHost = TextOf(Control(SETUP_DEFAULT_HOST));
  v.timer = TextOf(Control(SETUP_TIMER));
  v.scrollbackLines = TextOf(Control(SETUP_SCROLLBACK_LINES));
}

void Finish(int exitCode) {
  Settings().exitCode = exitCode;
  DestroyWindow(Settings().mainWindow);
}

void OnOk() {
  TakeValues();
  StoreSetupValues(Settings().store, Settings().values, SelectedType());
  Finish(0);
}

void EditHostsFile() {
  SettingsApp& app = Settings();
  std::string installDir = ReadText(app.store, "Defaults", "InstallDir").value_or("");
  std::string path = HostsPathForEditor(TextOf(Control(SETUP_HOSTS_FILE)), installDir);
  // Quoted, so that a directory with spaces stays one argument.
  std::string parameter = path.empty() ? path : "\"" + path + "\"";
  ShellExecuteA(app.mainWindow, "open", "notepad.exe", parameter.c_str(), nullptr, SW_SHOWNORMAL);
}

void OpenColours() {
  SettingsApp& app = Settings();
  OpenColourDialog({app.instance, app.mainWindow, IDI_SETTINGS, true, false, true, app.helpFile.c_str(), &app.store});
}

// The three buttons that call the selected type's module.
void CallModule(int id) {
  SettingsApp& app = Settings();
  const TermTypeEntry* type = SelectedType();
  if (!type) {
    EnableWindow(Control(SETUP_TERM_SETTINGS), FALSE);
    return;
  }
  TermTypeEntry chosen = *type;
  if (id == SETUP_TERM_SETTINGS) CallModuleCustom(app.programDirectory, chosen, app.mainWindow, app.instance);
  if (id == SETUP_PGM_FUNC_KEYS) CallModulePgmPfKeys(app.programDirectory, chosen, app.mainWindow, app.instance);
  if (id == SETUP_KEY_MAPPING) {
    if (auto charSet = ModuleFontCharSet(app.programDirectory, chosen, app.mainWindow, app.instance))
      RunKeyMapDialog(chosen.name, *charSet);
  }
  SetFocus(app.mainWindow);
}

void NewTermType() {
  std::string remembered = SelectedTermName();
  std::string created;
  if (!RunCreateTermTypeDialog(created)) return Finish(1);  // no module any more
  SettingsApp& app = Settings();
  EnumerateTermTypes(app.types, ModuleDefaultTypes(app.programDirectory), app.store);
  RefillTermTypes(created.empty() ? remembered : created, true);
  SetFocus(app.mainWindow);
}

void OnCommand(int id, int code) {
  if (id == SETUP_TERMINAL_TYPE) {
    if (code == CBN_SELCHANGE) UpdateTermSettingsButton();
    return;
  }
  if (code != BN_CLICKED || id < SETUP_NEW_TERM_TYPE) return;
  switch (id) {
    case SETUP_NEW_TERM_TYPE: return NewTermType();
    case SETUP_EDIT_HOSTS: return EditHostsFile();
    case SETUP_COLORS: return OpenColours();
    case SETUP_TERM_SETTINGS:
    case SETUP_PGM_FUNC_KEYS:
    case SETUP_KEY_MAPPING: return CallModule(id);
    case SETUP_HELP: WinHelpA(Settings().mainWindow, Settings().helpFile.c_str(), HELP_CONTEXT, kHelpContext); return;
    case SETUP_OK: return OnOk();
    case SETUP_CANCEL: return Finish(1);
    default: return;
  }
}

void Click(int id) { PostMessageA(Settings().mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id))); }

bool HandleAltKey(int key, int focused) {
  SetupAltAction action = SetupAltKey(key, focused);
  if (action.kind == SetupAltAction::None) return false;
  if (action.kind != SetupAltAction::Click) SetFocus(Control(action.control));
  if (action.kind != SetupAltAction::Focus) Click(action.control);
  return true;
}

bool DroppedDown(HWND control) {
  return GetDlgCtrlID(control) == SETUP_TERMINAL_TYPE && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0);
}

// Every control: Tab and Shift+Tab by id, Enter for "&OK", Alt+letter.
LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(control, kOriginalProc));
  int id = GetDlgCtrlID(control);
  switch (message) {
    case WM_SETFOCUS:
      Settings().focusedControl = id;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        bool backwards = GetKeyState(VK_SHIFT) < 0;
        SetFocus(Control(NextSetupControl(id, backwards, [](int next) { return IsWindowEnabled(Control(next)) != 0; })));
        return 0;
      }
      if (wParam == VK_RETURN && !DroppedDown(control)) {
        Click(SETUP_OK);
        return 0;
      }
      break;
    case WM_CHAR:
      if ((wParam == '\t' || wParam == '\r') && !DroppedDown(control)) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (HandleAltKey(static_cast<int>(wParam), id)) return 0;
      break;
    case WM_SYSCHAR:
      if (SetupAltKey(ToUpper(std::string(1, static_cast<char>(wParam)))[0], id).kind != SetupAltAction::None) return 0;
      break;
    case WM_NCDESTROY:
      RemovePropA(control, kOriginalProc);
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      break;
    default:
      break;
  }
  return original ? CallWindowProcA(original, control, message, wParam, lParam)
                  : DefWindowProcA(control, message, wParam, lParam);
}

void CreateControls(HWND window) {
  SettingsApp& app = Settings();
  for (int id = 0; id < SETUP_CONTROL_COUNT; ++id) {
    const ControlSpec& c = kControls[id];
    HWND control = CreateWindowExA(c.className[0] == 'E' ? WS_EX_CLIENTEDGE : 0, c.className, c.text, c.style, c.x,
                                   c.y, c.width, c.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   app.instance, nullptr);
    app.controls[id] = control;
    if (!control) continue;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(StockFont()), FALSE);
    SetPropA(control, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
  }
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  HICON icon = static_cast<HICON>(LoadImageA(Settings().instance, MAKEINTRESOURCEA(IDI_SETTINGS_SMALL), IMAGE_ICON, 16, 16, 0));
  if (icon) {
    DrawIconEx(dc, 430, 4, icon, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  HFONT title = CreateFontA(24, 0, 0, 0, FW_BOLD, TRUE, TRUE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(dc, title);
  TextOutA(dc, 470, 10, "Korvane", 7);
  SelectObject(dc, StockFont());
  for (const Label& label : kLabels) {
    RECT r = {label.x, label.y, label.x + 118, label.y + 18};
    DrawTextA(dc, label.text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
  SelectObject(dc, old);
  DeleteObject(title);
  EndPaint(window, &ps);
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ACTIVATE:
      // The colour dialog stays in front while it is open.
      if (LOWORD(wParam) != WA_INACTIVE && ColourDialogWindow()) {
        MessageBeep(0);
        PostMessageA(window, WM_APP, 0, 0);
        return 0;
      }
      break;
    case WM_APP:
      if (HWND colours = ColourDialogWindow()) {
        SetActiveWindow(colours);
        SetFocus(colours);
      }
      return 0;
    case WM_SETFOCUS:
      if (!ColourDialogWindow()) SetFocus(Control(Settings().focusedControl));
      return 0;
    case WM_CLOSE:
      Finish(1);
      return 0;
    case WM_DESTROY:
      if (HWND colours = ColourDialogWindow()) DestroyWindow(colours);
      WinHelpA(window, Settings().helpFile.c_str(), HELP_QUIT, 0);
      PostQuitMessage(Settings().exitCode);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::string SelectedTermName() { return TextOf(Control(SETUP_TERMINAL_TYPE)); }

void RefillTermTypes(const std::string& name, bool firstWhenMissing) {
  HWND list = Control(SETUP_TERMINAL_TYPE);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& type : Settings().types.Names())
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
  // The control's own search ignores case; type names do not.
  LRESULT found = -1, count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && found < 0; ++i)
    if (ComboItemText(list, i) == name) found = i;
  if (found < 0 && firstWhenMissing && count > 0) found = 0;
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  UpdateTermSettingsButton();
}

bool CreateSetupWindow() {
  SettingsApp& app = Settings();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = SetupWindowProc;
  wc.hInstance = app.instance;
  wc.hIcon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_SETTINGS));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return false;
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  app.mainWindow = CreateWindowExA(0, kClassName, "Korvane Setup", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                   x, y, kWidth, kHeight, nullptr, nullptr, app.instance, nullptr);
  if (!app.mainWindow) return false;
  CreateControls(app.mainWindow);
  app.values = ReadSetupValues(app.store);
  ShowValues();
  auto initial = InitialTermSelection(app.values, app.types);
  RefillTermTypes(initial.value_or(std::string()), false);
  ShowWindow(app.mainWindow, SW_SHOW);
  UpdateWindow(app.mainWindow);
  SetFocus(Control(SETUP_HOSTS_FILE));
  return true;
}

}  // namespace korvane
