// "About Korvane" and "How To Contact Us".
#include "about_box.h"

#include <shellapi.h>

#include <string>

#include "client_app.h"
#include "info_windows.h"
#include "product_addresses.h"
#include "resource_ids.h"
#include "version.h"

namespace korvane {

namespace {

// The fonts of the open about box; the dialog is modal, so one set serves.
InfoFonts g_aboutFonts;

void PaintAbout(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawInfoText(dc, g_aboutFonts.large, 100, 40, "Korvane");
  // Inside the frame, below the icon (dialog units).
  RECT at = {16, 66, 0, 0};
  MapDialogRect(dialog, &at);
  std::string line = std::string("Korvane Telnet ") + kVersion;
  DrawInfoText(dc, g_aboutFonts.small, at.left, at.top, line.c_str());
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CreateInfoFonts(g_aboutFonts);
      CentreWindow(dialog);
      return TRUE;
    case WM_PAINT:
      PaintAbout(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        DeleteInfoFonts(g_aboutFonts);
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

void Open(HWND dialog, const std::string& target) {
  ShellExecuteA(dialog, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CALLBACK ContactProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_CONTACT_MAIL, kSupportMailAddress);
      SetDlgItemTextA(dialog, IDC_CONTACT_WEB, kProductWebAddress);
      CentreWindow(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CONTACT_MAIL: Open(dialog, std::string("mailto:") + kSupportMailAddress); break;
        case IDC_CONTACT_WEB: Open(dialog, kProductWebAddress); break;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, IDOK); break;
        default: break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HWND owner) { DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0); }

void ShowContactDialog(HWND owner) {
  DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_CONTACT), owner, ContactProc, 0);
}

}  // namespace korvane
