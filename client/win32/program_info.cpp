#include "program_info.h"

#include <windows.h>

#include "client_app.h"
#include "info_windows.h"
#include "resource_ids.h"
#include "text_util.h"
#include "version.h"

namespace korvane {

namespace {

std::string KeyboardLayoutName() {
  char layout[KL_NAMELENGTH] = "";
  GetKeyboardLayoutNameA(layout);
  return layout;
}

// The fonts of the open dialog; it is modal, so one set serves.
InfoFonts g_infoFonts;

void FillInfoFields(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_INFO_LAYOUT, KeyboardLayoutName().c_str());
  SetDlgItemTextA(dialog, IDC_INFO_VERSION, kVersion);
  SetDlgItemTextA(dialog, IDC_INFO_TERM_TYPE, App().termType.c_str());
  SetDlgItemTextA(dialog, IDC_INFO_WINDOWS, WindowsVersionText().c_str());
}

INT_PTR CALLBACK ProgramInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CreateInfoFonts(g_infoFonts);
      FillInfoFields(dialog);
      CentreWindow(dialog);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(dialog, &paint);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawCentredText(dialog, dc, g_infoFonts.large, 8, "Korvane");
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_INFO_RECORD) {
        WriteProgramInfo();
      } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        DeleteInfoFonts(g_infoFonts);
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::string WindowsVersionText() {
  switch (App().platformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return "Win9x";
    case VER_PLATFORM_WIN32_NT: return "WinNT";
    default: return Format("Win=%d", static_cast<int>(App().platformId));
  }
}

void WriteProgramInfo() {
  ClientApp& app = App();
  app.log.WriteRecord("Keyboard Layout: %s\n", KeyboardLayoutName().c_str());
  app.log.WriteRecord("Korvane Version: %s\n", kVersion);
  app.log.WriteRecord("Term Type: %s\n", app.termType.c_str());
  app.log.WriteRecord("Windows Version %s\n", WindowsVersionText().c_str());
}

void ShowProgramInfoDialog() {
  DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_PROGRAM_INFO), App().mainWindow, ProgramInfoProc, 0);
}

}  // namespace korvane
