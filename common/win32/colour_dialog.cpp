#include "colour_dialog.h"

#include <commdlg.h>

#include "colour_selection.h"

namespace korvane {

namespace {

constexpr char kClassName[] = "SettingsColor";
constexpr DWORD kHelpContext = 1302;
constexpr char kOriginalProc[] = "KorvaneColourProc";

enum : int {
  ID_ENTRY_GROUP = 0,
  ID_FIRST_ENTRY = 1,  // radio buttons 1..22: entries 0..21
  ID_SOURCE_GROUP = 23,
  ID_SYSTEM_LIST = 24,
  ID_CUSTOM = 25,
  ID_SAMPLES = 26,
  ID_HELP = 27,
  ID_DONE = 28,
  ID_CANCEL = 29,
  ID_COUNT = 30
};

// Tab visits these in turn (the entry's radio button stands for them all).
constexpr int kTabOrder[] = {ID_FIRST_ENTRY, ID_SYSTEM_LIST, ID_CUSTOM, ID_HELP, ID_CANCEL, ID_DONE};

struct ColourDialogState {
  ColourDialogOptions options;
  ColourSelection selection;
  HWND window = nullptr;
  HWND controls[ID_COUNT] = {};
  COLORREF customColours[16] = {};  // kept for the chooser during the run
};

ColourDialogState& State() {
  static ColourDialogState state;
  return state;
}

uint32_t SystemColour(int index) { return static_cast<uint32_t>(GetSysColor(index)); }

HFONT LabelFont() {
  return static_cast<HFONT>(GetStockObject(State().options.stockFont ? ANSI_VAR_FONT : SYSTEM_FONT));
}

struct ControlSpec {
  const char* className;
  const char* text;
  DWORD style;
  int x, y, width, height, id;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const ControlSpec kFixedControls[] = {
    {"Button", "Pick A Color To Set Value For", kChild | BS_GROUPBOX, 7, 7, 340, 260, ID_ENTRY_GROUP},
    {"Button", "Then Select The Color Source", kChild | BS_GROUPBOX, 7, 270, 340, 100, ID_SOURCE_GROUP},
    {"ComboBox", "", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 17, 310, 180, 150, ID_SYSTEM_LIST},
    {"Button", "C&ustom Color", kChild | WS_TABSTOP | BS_PUSHBUTTON, 215, 305, 120, 30, ID_CUSTOM},
    {"Button", "Samples", kChild | BS_GROUPBOX, 350, 7, 100, 260, ID_SAMPLES},
    {"Button", "&Help", kChild | WS_TABSTOP | BS_PUSHBUTTON, 350, 280, 100, 26, ID_HELP},
    {"Button", "&Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 350, 310, 100, 26, ID_CANCEL},
    {"Button", "&Done", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 350, 340, 100, 26, ID_DONE},
};

void CloseColourDialog();
void SelectEntry(int entry);
void DoCommand(int id, int code);

void InvalidateSwatch(int entry) {
  PixelBox box = ColourSwatchBox(entry);
  RECT r = {box.x, box.y, box.x + box.width, box.y + box.height};
  InvalidateRect(State().window, &r, FALSE);
}

void MoveTabFocus(HWND from, bool backwards) {
  ColourDialogState& s = State();
  int id = GetDlgCtrlID(from);
  if (id >= ID_FIRST_ENTRY && id < ID_FIRST_ENTRY + COLOUR_COUNT) id = ID_FIRST_ENTRY;
  int count = static_cast<int>(sizeof kTabOrder / sizeof kTabOrder[0]);
  int at = 0;
  while (at < count && kTabOrder[at] != id) ++at;
  int next = kTabOrder[((at == count ? 0 : at) + (backwards ? count - 1 : 1)) % count];
  SetFocus(next == ID_FIRST_ENTRY ? s.controls[ID_FIRST_ENTRY + s.selection.current()] : s.controls[next]);
}

bool HandleAltKey(int key) {
  ColourAltAction action = ColourAltKey(key, State().selection.current());
  switch (action.kind) {
    case ColourAltAction::SelectEntry: SelectEntry(action.entry); return true;
    case ColourAltAction::CustomColour: DoCommand(ID_CUSTOM, BN_CLICKED); return true;
    case ColourAltAction::Done: DoCommand(ID_DONE, BN_CLICKED); return true;
    case ColourAltAction::Cancel: DoCommand(ID_CANCEL, BN_CLICKED); return true;
    case ColourAltAction::FocusList: SetFocus(State().controls[ID_SYSTEM_LIST]); return true;
    case ColourAltAction::None: break;
  }
  return false;
}

// Every control: Alt keys before the control sees them, Tab between the
// tab stops, Enter for "&Done" and Esc for "&Cancel".
LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(control, kOriginalProc));
  bool droppedDown = GetDlgCtrlID(control) == ID_SYSTEM_LIST && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0);
  switch (message) {
    case WM_SYSKEYDOWN:
      if (HandleAltKey(static_cast<int>(wParam))) return 0;
      break;
    case WM_SYSCHAR:
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        MoveTabFocus(control, GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && !droppedDown) {
        DoCommand(wParam == VK_RETURN ? ID_DONE : ID_CANCEL, BN_CLICKED);
        return 0;
      }
      break;
    case WM_CHAR:
      if ((wParam == '\t' || wParam == '\r' || wParam == 27) && !droppedDown) return 0;
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

HWND CreateControl(HWND window, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id) {
  ColourDialogState& s = State();
  HWND control = CreateWindowExA(0, className, text, style, x, y, width, height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), s.options.instance, nullptr);
  if (!control) return nullptr;
  if (s.options.stockFont) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), FALSE);
  SetPropA(control, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
  s.controls[id] = control;
  return control;
}

void CreateControls(HWND window) {
  CreateControl(window, kFixedControls[0].className, kFixedControls[0].text, kFixedControls[0].style,
                kFixedControls[0].x, kFixedControls[0].y, kFixedControls[0].width, kFixedControls[0].height,
                kFixedControls[0].id);
  for (int entry = 0; entry < COLOUR_COUNT; ++entry) {
    PixelBox box = ColourRadioBox(entry);
    DWORD style = kChild | BS_RADIOBUTTON | (entry == 0 ? WS_TABSTOP | WS_GROUP : 0);
    CreateControl(window, "Button", kColourEntryLabels[entry], style, box.x, box.y, box.width, box.height,
                  ID_FIRST_ENTRY + entry);
  }
  for (size_t i = 1; i < sizeof kFixedControls / sizeof kFixedControls[0]; ++i) {
    const ControlSpec& c = kFixedControls[i];
    CreateControl(window, c.className, c.text, c.style, c.x, c.y, c.width, c.height, c.id);
  }
  for (const char* name : kSystemColourNames)
    SendMessageA(State().controls[ID_SYSTEM_LIST], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void SelectEntry(int entry) {
  ColourDialogState& s = State();
  if (entry < 0 || entry >= COLOUR_COUNT) return;
  s.selection.SetCurrent(entry);
  for (int i = 0; i < COLOUR_COUNT; ++i)
    SendMessageA(s.controls[ID_FIRST_ENTRY + i], BM_SETCHECK, i == entry ? BST_CHECKED : BST_UNCHECKED, 0);
  if (s.selection.UsesOwnColour(entry)) {
    SetFocus(s.controls[ID_CUSTOM]);
  } else {
    SetFocus(s.controls[ID_SYSTEM_LIST]);
    SendMessageA(s.controls[ID_SYSTEM_LIST], CB_SETCURSEL, static_cast<WPARAM>(s.selection.SystemIndex(entry)), 0);
  }
}

void ChooseCustomColour() {
  ColourDialogState& s = State();
  CHOOSECOLORA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = s.window;
  choice.rgbResult = s.selection.ShownColour(s.selection.current(), SystemColour);
  choice.lpCustColors = s.customColours;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (ChooseColorA(&choice)) {
    s.selection.ChooseOwnColour(choice.rgbResult);
    InvalidateSwatch(s.selection.current());
  }
  SetFocus(s.controls[ID_CUSTOM]);
}

void StoreAndClose() {
  ColourDialogState& s = State();
  if (s.options.store) s.selection.Store(*s.options.store);
  if (s.options.notifyMainWindow && s.options.mainWindow) SendMessageA(s.options.mainWindow, WM_SYSCOLORCHANGE, 0, 0);
  CloseColourDialog();
}

void DoCommand(int id, int code) {
  ColourDialogState& s = State();
  if (id >= ID_FIRST_ENTRY && id < ID_FIRST_ENTRY + COLOUR_COUNT) {
    if (code == BN_CLICKED) SelectEntry(id - ID_FIRST_ENTRY);
    return;
  }
  switch (id) {
    case ID_SYSTEM_LIST:
      if (code != CBN_SELCHANGE) return;
      s.selection.ChooseSystemColour(static_cast<int>(SendMessageA(s.controls[ID_SYSTEM_LIST], CB_GETCURSEL, 0, 0)));
      InvalidateSwatch(s.selection.current());
      return;
    case ID_CUSTOM: ChooseCustomColour(); return;
    case ID_HELP: WinHelpA(s.window, s.options.helpFile, HELP_CONTEXT, kHelpContext); return;
    case ID_DONE: StoreAndClose(); return;
    case ID_CANCEL: CloseColourDialog(); return;
    default: return;
  }
}

void Paint(HWND window) {
  ColourDialogState& s = State();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  HGDIOBJ oldFont = SelectObject(dc, LabelFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT label = {17, 290, 200, 308};
  DrawTextA(dc, "S&ystem Colors", -1, &label, DT_LEFT | DT_TOP | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  for (int entry = 0; entry < COLOUR_COUNT; ++entry) {
    PixelBox box = ColourSwatchBox(entry);
    RECT r = {box.x, box.y, box.x + box.width, box.y + box.height};
    HBRUSH brush = CreateSolidBrush(s.selection.ShownColour(entry, SystemColour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK ColourWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      DoCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_SYSCOLORCHANGE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_SYSKEYDOWN:
      if (HandleAltKey(static_cast<int>(wParam))) return 0;
      break;
    case WM_SYSCHAR:
      return 0;
    case WM_CLOSE:
      CloseColourDialog();
      return 0;
    case WM_DESTROY:
      // Also when the owner goes first and takes this window with it.
      if (State().window == window) {
        State().window = nullptr;
        for (HWND& control : State().controls) control = nullptr;
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CloseColourDialog() {
  ColourDialogState& s = State();
  if (!s.window) return;
  HWND window = s.window;
  s.window = nullptr;
  for (HWND& control : s.controls) control = nullptr;
  if (s.options.closeHelpOnClose) WinHelpA(window, s.options.helpFile, HELP_QUIT, 0);
  DestroyWindow(window);
  if (s.options.mainWindow) {
    SetActiveWindow(s.options.mainWindow);
    SetFocus(s.options.mainWindow);
  }
}

bool RegisterColourClass(HINSTANCE instance, int iconId) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ColourWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconId));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND ColourDialogWindow() { return State().window; }

HWND OpenColourDialog(const ColourDialogOptions& options) {
  ColourDialogState& s = State();
  if (s.window) {
    SetActiveWindow(s.window);
    return s.window;
  }
  s.options = options;
  if (options.store) s.selection.Load(*options.store);
  if (!RegisterColourClass(options.instance, options.iconId)) return nullptr;
  const int width = 460, height = 400;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  s.window = CreateWindowExA(0, kClassName, "Color Select", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, x, y,
                             width, height, options.mainWindow, nullptr, options.instance, nullptr);
  if (!s.window) return nullptr;
  CreateControls(s.window);
  ShowWindow(s.window, SW_SHOW);
  SelectEntry(0);
  return s.window;
}

}  // namespace korvane
