#include "term_type_dialog.h"

#include <windows.h>

#include "module_calls.h"
#include "settings_app.h"
#include "settings_main.h"
#include "settings_resource_ids.h"

namespace korvane {

namespace {

constexpr DWORD kHelpContext = 1301;
constexpr INT_PTR kNoModule = 2000;
constexpr int kLongestName = 255;       // a registry key name
constexpr int kLongestTermType = 1023;  // what a module keeps of TermType

std::string ItemText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  int got = GetWindowTextA(control, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

bool FillModules(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_NEW_TYPE_MODULE);
  for (const std::string& file : FindModuleFiles(Settings().programDirectory))
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ModuleShortName(file).c_str()));
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  return SendMessageA(list, CB_GETCOUNT, 0, 0) > 0;
}

INT_PTR CALLBACK CreateTermTypeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* created = reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      if (!FillModules(dialog)) {
        ShowNoModuleBox(dialog);
        EndDialog(dialog, kNoModule);
        return TRUE;
      }
      SendDlgItemMessageA(dialog, IDC_NEW_TYPE_NAME, EM_LIMITTEXT, kLongestName, 0);
      SendDlgItemMessageA(dialog, IDC_NEW_TYPE_VALUE, EM_LIMITTEXT, kLongestTermType, 0);
      SetFocus(GetDlgItem(dialog, IDC_NEW_TYPE_NAME));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          std::string name = ItemText(dialog, IDC_NEW_TYPE_NAME);
          if (CreateTermType(Settings().store, name, ItemText(dialog, IDC_NEW_TYPE_MODULE),
                             ItemText(dialog, IDC_NEW_TYPE_VALUE)))
            *created = name;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_NEW_TYPE_HELP:
          WinHelpA(dialog, Settings().helpFile.c_str(), HELP_CONTEXT, kHelpContext);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool RunCreateTermTypeDialog(std::string& created) {
  created.clear();
  SettingsApp& app = Settings();
  INT_PTR result = DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_CREATE_TERM_TYPE), app.mainWindow,
                                   CreateTermTypeProc, reinterpret_cast<LPARAM>(&created));
  return result != kNoModule;
}

}  // namespace korvane
