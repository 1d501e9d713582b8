#include "error_dialog.h"

#include <windows.h>

#include <algorithm>

#include "client_app.h"
#include "resource_ids.h"
#include "window_placement.h"

namespace korvane {

namespace {

struct ErrorDialogData {
  const std::string* message;
  int helpContext;
};

RECT ChildRect(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Grows the dialog, never shrinks it, by what the text needs beyond the
// static control's size; the buttons move by the same amounts.
void FitToText(HWND dialog, const std::string& message) {
  HWND text = GetDlgItem(dialog, IDC_ERROR_TEXT);
  RECT textRect = ChildRect(dialog, IDC_ERROR_TEXT);
  int width = textRect.right - textRect.left;
  int height = textRect.bottom - textRect.top;

  HDC dc = GetDC(text);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)));
  RECT need = {0, 0, width, 0};
  std::string copy = message;
  DrawTextExA(dc, copy.data(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS, nullptr);
  SelectObject(dc, old);
  ReleaseDC(text, dc);

  int dx = std::max(0, static_cast<int>(need.right - need.left) - width);
  int dy = std::max(0, static_cast<int>(need.bottom - need.top) - height);
  if (dx == 0 && dy == 0) return;

  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(text, nullptr, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
  for (int id : {IDC_ERROR_HELP, IDOK}) {
    RECT r = ChildRect(dialog, id);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
}

void Centre(HWND dialog) {
  RECT frame;
  GetWindowRect(dialog, &frame);
  std::optional<Rect> owner;
  HWND ownerWindow = GetWindow(dialog, GW_OWNER);
  if (ownerWindow) {
    RECT o;
    GetWindowRect(ownerWindow, &o);
    owner = Rect{o.left, o.top, o.right, o.bottom};
  }
  Point p = CentredPosition(frame.right - frame.left, frame.bottom - frame.top, owner,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK ErrorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* data = reinterpret_cast<ErrorDialogData*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetDlgItemTextA(dialog, IDC_ERROR_TEXT, data->message->c_str());
      FitToText(dialog, *data->message);
      Centre(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ERROR_HELP: {
          auto* data = reinterpret_cast<ErrorDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
          WinHelpA(dialog, "korvane.hlp", HELP_CONTEXT, static_cast<ULONG_PTR>(data->helpContext));
          return TRUE;
        }
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, IDOK);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::string Win32ErrorPlatform::SystemErrorText(unsigned long code) {
  char buffer[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
  return length ? std::string(buffer, length) : std::string();
}

void Win32ErrorPlatform::ShowErrorDialog(const std::string& message, int helpContext) {
  ErrorDialogData data{&message, helpContext};
  HWND owner = App().mainWindow && IsWindow(App().mainWindow) ? App().mainWindow : nullptr;
  DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_ERROR), owner, ErrorDialogProc,
                  reinterpret_cast<LPARAM>(&data));
}

void Win32ErrorPlatform::ExitProgram(int status) { ExitProcess(static_cast<UINT>(status)); }

}  // namespace korvane
