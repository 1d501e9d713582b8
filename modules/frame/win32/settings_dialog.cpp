#include "settings_dialog.h"

#include "module_settings.h"
#include "text_util.h"

namespace korvane {

namespace {

constexpr int kSettingsDialog = 101;
constexpr size_t kNameLimit = 1023;

struct DialogContext {
  ModuleFrame& frame;
  SettingsPage& page;
  std::string title;
};

template <size_t N>
void FillList(HWND dialog, int id, const int (&choices)[N], int selected) {
  for (int value : choices)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(value).c_str()));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void Initialise(HWND dialog, DialogContext& context) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&context));
  SetWindowTextA(dialog, Format("%s Term Settings", context.title.c_str()).c_str());
  ModuleFrame& frame = context.frame;
  SettingsPage::Controls ids = context.page.Ids();
  context.page.Prepare(frame);
  FillList(dialog, ids.rows, kRowsChoices, RowsPosition(frame.screen.rows));
  FillList(dialog, ids.columns, kColumnsChoices, ColumnsPosition(frame.screen.columns));
  SendDlgItemMessageA(dialog, ids.termType, EM_LIMITTEXT, kTermTypeLimit, 0);
  SetDlgItemTextA(dialog, ids.termType, frame.TermType());
  CheckDlgButton(dialog, kHostCompatibilityBox, frame.SettingIsY(kHostCompatibilityValue) ? BST_CHECKED : BST_UNCHECKED);
  context.page.Initialised(dialog);
}

void Command(HWND dialog, DialogContext& context, int id, int code) {
  SettingsPage::Controls ids = context.page.Ids();
  if (id == ids.ok) {
    context.page.Accept(dialog, context.frame);
    // After the page's values, so that theirs keep their order.
    context.frame.StoreHostCompatibility(IsDlgButtonChecked(dialog, kHostCompatibilityBox) == BST_CHECKED);
    EndDialog(dialog, 1);
  } else if (id == ids.cancel || id == IDCANCEL) {
    EndDialog(dialog, 0);
  } else {
    context.page.Command(dialog, id, code);
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      Initialise(dialog, *reinterpret_cast<DialogContext*>(lParam));
      return TRUE;
    }
    auto* context = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_COMMAND && context) {
      Command(dialog, *context, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
  } catch (...) {
    EndDialog(dialog, 0);
  }
  return FALSE;
}

}  // namespace

void ShowSettingsDialog(HINSTANCE instance, ModuleFrame& frame, SettingsPage& page, const std::string& name) {
  DialogContext context{frame, page, name.substr(0, kNameLimit)};
  DialogBoxParamA(instance, MAKEINTRESOURCEA(kSettingsDialog), static_cast<HWND>(frame.Window()), &DialogProc,
                  reinterpret_cast<LPARAM>(&context));
}

int SelectedPosition(HWND dialog, int id) {
  LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

std::string TermTypeField(HWND dialog, int id) {
  char text[kTermTypeLimit + 1] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void StoreTermType(HWND dialog, int id, ModuleFrame& frame) {
  std::string text = TermTypeField(dialog, id);
  frame.WriteSetting("TermType", text);
  frame.SetTermType(text);
}

}  // namespace korvane
