#include "parameter_window.h"

#include <algorithm>

#include "centred_window.h"
#include "install_resource_ids.h"
#include "parameter_keys.h"

namespace korvane {

namespace {

constexpr char kClassName[] = "SETUP";

struct ControlRow {
  const char* className;
  const char* text;
  DWORD style;
  int x, y, width, height, id;
};

// The label "&Install Directory" is drawn above the field.
constexpr ControlRow kControls[] = {
    {"Edit", "", WS_BORDER | ES_AUTOHSCROLL, 10, 28, 240, 22, kDirectoryField},
    {"Button", "Create &Directory", BS_CHECKBOX, 10, 58, 160, 20, kCreateDirectoryBox},
    {"Button", "Copy &Files", BS_CHECKBOX, 10, 80, 160, 20, kCopyFilesBox},
    {"Button", "Call &Settings", BS_CHECKBOX, 10, 102, 160, 20, kCallSettingsBox},
    {"Button", "&Cancel", BS_PUSHBUTTON, 200, 104, 80, 26, kCancelButton},
    {"Button", "&OK", BS_DEFPUSHBUTTON, 295, 104, 80, 26, kOkButton},
};

struct WindowState {
  InstallParameters initial;
  std::optional<InstallParameters> result;
  WNDPROC original[7] = {};
  bool done = false;
};

WindowState* StateOf(HWND window) {
  return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Checked(HWND window, int id) { return SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ApplyKey(HWND parent, int focused, ParameterKey key, char letter) {
  auto enabled = [parent](int id) { return IsWindowEnabled(GetDlgItem(parent, id)) != FALSE; };
  ParameterKeyAction action = ParameterKeyFor(focused, key, letter, enabled);
  if (action.kind == ParameterKeyAction::Focus) SetFocus(GetDlgItem(parent, action.control));
  if (action.kind == ParameterKeyAction::Ok || action.kind == ParameterKeyAction::Cancel)
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(action.control, BN_CLICKED), 0);
}

// Every control: Tab, Shift+Tab, Enter and the Alt letters.
LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetParent(control);
  WindowState* state = StateOf(parent);
  int id = GetDlgCtrlID(control);
  WNDPROC original = state ? state->original[id] : nullptr;
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        ApplyKey(parent, id, GetKeyState(VK_SHIFT) < 0 ? ParameterKey::ShiftTab : ParameterKey::Tab, 0);
        return 0;
      }
      if (wParam == VK_RETURN) {
        ApplyKey(parent, id, ParameterKey::Enter, 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\t' || wParam == '\r') return 0;  // no beep
      break;
    case WM_SYSKEYDOWN:
      if ((wParam >= 'A' && wParam <= 'Z') || (wParam >= '0' && wParam <= '9')) {
        ApplyKey(parent, id, ParameterKey::Alt, static_cast<char>(wParam));
        return 0;
      }
      break;
    case WM_SYSCHAR:
      return 0;
  }
  return original ? CallWindowProcA(original, control, message, wParam, lParam)
                  : DefWindowProcA(control, message, wParam, lParam);
}

void CreateControls(HWND window, WindowState& state) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  for (const ControlRow& row : kControls) {
    HWND control = CreateWindowExA(0, row.className, row.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | row.style,
                                   row.x, row.y, row.width, row.height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), FALSE);
    state.original[row.id] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)));
  }
  SendDlgItemMessageA(window, kDirectoryField, EM_LIMITTEXT, 259, 0);
  SetDlgItemTextA(window, kDirectoryField, state.initial.directory.c_str());
  CheckDlgButton(window, kCreateDirectoryBox, state.initial.createDirectory ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window, kCopyFilesBox, state.initial.copyFiles ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(window, kCopyFilesBox), state.initial.copyFilesEnabled);
  CheckDlgButton(window, kCallSettingsBox, state.initial.runSettings ? BST_CHECKED : BST_UNCHECKED);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
  RECT label = {10, 10, 250, 26};
  DrawTextA(dc, "&Install Directory", -1, &label, DT_LEFT | DT_SINGLELINE);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PRODUCT))) DrawIcon(dc, 270, 20, icon);
  HFONT title = CreateFontA(24, 0, 0, 0, FW_BOLD, TRUE, TRUE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  SelectObject(dc, title);
  // At (310, 25); where the face is too wide for the window it moves left,
  // but not onto the icon.
  SIZE extent = {};
  GetTextExtentPoint32A(dc, "Korvane", 7, &extent);
  RECT client;
  GetClientRect(window, &client);
  int x = 310;
  if (extent.cx > 0 && x + extent.cx + 4 > client.right) x = std::max(270 + 34, static_cast<int>(client.right - extent.cx - 4));
  TextOutA(dc, x, 25, "Korvane", 7);
  SelectObject(dc, old);
  DeleteObject(title);
  EndPaint(window, &paint);
}

void Finish(HWND window, bool accepted) {
  WindowState* state = StateOf(window);
  if (accepted) {
    InstallParameters chosen;
    char text[260] = "";
    GetDlgItemTextA(window, kDirectoryField, text, sizeof text);
    chosen.directory = text;
    chosen.createDirectory = Checked(window, kCreateDirectoryBox);
    chosen.copyFiles = Checked(window, kCopyFilesBox);
    chosen.copyFilesEnabled = IsWindowEnabled(GetDlgItem(window, kCopyFilesBox)) != FALSE;
    chosen.runSettings = Checked(window, kCallSettingsBox);
    state->result = chosen;
  }
  DestroyWindow(window);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_CREATE:
      CreateControls(window, *StateOf(window));
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kCreateDirectoryBox:
        case kCopyFilesBox:
        case kCallSettingsBox:
          if (HIWORD(wParam) == BN_CLICKED)
            CheckDlgButton(window, LOWORD(wParam), Checked(window, LOWORD(wParam)) ? BST_UNCHECKED : BST_CHECKED);
          return 0;
        case kOkButton: Finish(window, true); return 0;
        case kCancelButton: Finish(window, false); return 0;
      }
      break;
    case WM_CLOSE:
      Finish(window, false);
      return 0;
    case WM_DESTROY:
      StateOf(window)->done = true;
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::optional<InstallParameters> RunParameterWindow(HINSTANCE instance, const InstallParameters& initial) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_INSTALL));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  WindowState state;
  state.initial = initial;
  HWND window = CreateCentredWindow(kClassName, "Install Korvane", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 400, 180,
                                    instance, &state);
  if (!window) return std::nullopt;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetForegroundWindow(window);
  SetFocus(GetDlgItem(window, kDirectoryField));
  MSG msg;
  while (!state.done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return state.result;
}

}  // namespace korvane
