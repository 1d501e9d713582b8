#include "function_key_dialog.h"

#include <string>

#include "key_text.h"
#include "pfkey_resource_ids.h"

namespace korvane {

namespace {

constexpr ULONG_PTR kHelpContext = 1300;
constexpr char kHookProperty[] = "KorvanePfKeyHook";
constexpr int kHookedControls[] = {IDC_KEY_LIST, IDC_CONTENTS, IDC_SESSION_ONLY, IDC_RESET, IDC_KEY_HELP, IDCANCEL, IDOK};

struct DialogState {
  FunctionKeyEditor& editor;
  bool showingDefault = true;  // the field is drawn in the grey-text colour
  bool filling = false;        // our own text is going into the field
  WPARAM armedKey = 0;         // Enter or Esc pressed inside the dialog
};

DialogState* StateOf(HWND dialog) { return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

std::string FieldText(HWND dialog) {
  HWND field = GetDlgItem(dialog, IDC_CONTENTS);
  int length = GetWindowTextLengthA(field);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(field, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void ShowInField(HWND dialog, DialogState& state, const FunctionKeyEditor::Shown& shown) {
  state.showingDefault = shown.isDefault;
  state.filling = true;
  SetDlgItemTextA(dialog, IDC_CONTENTS, shown.text.c_str());
  state.filling = false;
  InvalidateRect(GetDlgItem(dialog, IDC_CONTENTS), nullptr, TRUE);
}

bool IsEnterOrEsc(WPARAM key) { return key == VK_RETURN || key == VK_ESCAPE; }

// Enter and Esc act when released, and only when they were also pressed in
// the dialog: the release of the key that chose the menu command does not
// close it.
LRESULT CALLBACK HookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(control, kHookProperty));
  HWND dialog = GetParent(control);
  DialogState* state = StateOf(dialog);
  switch (message) {
    case WM_GETDLGCODE: {
      auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && IsEnterOrEsc(msg->wParam))
        return DLGC_WANTMESSAGE | CallWindowProcA(original, control, message, wParam, lParam);
      break;
    }
    case WM_KEYDOWN:
      if (!IsEnterOrEsc(wParam)) break;
      if (state) state->armedKey = wParam;
      return 0;
    case WM_CHAR:
      if (IsEnterOrEsc(wParam)) return 0;
      break;
    case WM_KEYUP:
      if (!IsEnterOrEsc(wParam)) break;
      if (state && state->armedKey == wParam)
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(wParam == VK_RETURN ? IDOK : IDCANCEL, BN_CLICKED), 0);
      if (state) state->armedKey = 0;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(control, kHookProperty);
      break;
    default:
      break;
  }
  return CallWindowProcA(original, control, message, wParam, lParam);
}

void HookControls(HWND dialog) {
  for (int id : kHookedControls) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) continue;
    LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetPropA(control, kHookProperty, reinterpret_cast<HANDLE>(original));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc));
  }
}

// Over the owner, kept inside the work area; on the screen without one.
void CentreOverOwner(HWND dialog) {
  RECT frame, area, over;
  GetWindowRect(dialog, &frame);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &over)) over = area;
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x = over.left + (over.right - over.left - width) / 2;
  int y = over.top + (over.bottom - over.top - height) / 2;
  x = x + width > area.right ? area.right - width : x;
  y = y + height > area.bottom ? area.bottom - height : y;
  SetWindowPos(dialog, nullptr, x < area.left ? area.left : x, y < area.top ? area.top : y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Initialise(HWND dialog, DialogState& state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  CentreOverOwner(dialog);
  HookControls(dialog);
  bool offered = state.editor.SessionChoiceOffered();
  CheckDlgButton(dialog, IDC_SESSION_ONLY, offered ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(dialog, IDC_SESSION_ONLY), offered);
  HWND list = GetDlgItem(dialog, IDC_KEY_LIST);
  for (const KeySlot& slot : state.editor.Slots())
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(slot.name.c_str()));
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  // Typing stops at the length the field's text is cut to anyway.
  SendDlgItemMessageA(dialog, IDC_CONTENTS, EM_LIMITTEXT, kKeyTextLimit, 0);
  ShowInField(dialog, state, state.editor.Show(0));
  SetFocus(list);
}

void SelectionChanged(HWND dialog, DialogState& state) {
  LRESULT selected = SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  ShowInField(dialog, state, state.editor.Select(static_cast<size_t>(selected), FieldText(dialog)));
}

void OpenHelp(HWND dialog) {
  WinHelpA(dialog, "korvane.hlp", HELP_CONTEXT, kHelpContext);
  SetForegroundWindow(dialog);
  SetFocus(GetDlgItem(dialog, IDC_KEY_LIST));
}

void Command(HWND dialog, DialogState& state, int id, int code) {
  switch (id) {
    case IDC_KEY_LIST:
      if (code == LBN_SELCHANGE) SelectionChanged(dialog, state);
      break;
    case IDC_CONTENTS:
      // Typed text is the user's own: drawn in the normal colour.
      if (code == EN_CHANGE && !state.filling && state.showingDefault) {
        state.showingDefault = false;
        InvalidateRect(GetDlgItem(dialog, IDC_CONTENTS), nullptr, TRUE);
      }
      break;
    case IDC_RESET:
      ShowInField(dialog, state, state.editor.Reset());
      break;
    case IDC_KEY_HELP:
      OpenHelp(dialog);
      break;
    case IDOK:
      EndDialog(dialog, state.editor.Accept(FieldText(dialog), IsDlgButtonChecked(dialog, IDC_SESSION_ONLY) == BST_CHECKED));
      break;
    case IDCANCEL:
      EndDialog(dialog, kEditCancelled);
      break;
    default:
      break;
  }
}

INT_PTR FieldColours(DialogState& state, HDC dc) {
  SetTextColor(dc, GetSysColor(state.showingDefault ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      Initialise(dialog, *reinterpret_cast<DialogState*>(lParam));
      return FALSE;  // the focus is on the list already
    }
    DialogState* state = StateOf(dialog);
    if (!state) return FALSE;
    if (message == WM_COMMAND) {
      Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
    if (message == WM_CTLCOLOREDIT && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_CONTENTS))
      return FieldColours(*state, reinterpret_cast<HDC>(wParam));
  } catch (...) {
    EndDialog(dialog, kEditCancelled);
  }
  return FALSE;
}

}  // namespace

int RunFunctionKeyDialog(HINSTANCE instance, HWND owner, FunctionKeyEditor& editor) {
  DialogState state{editor};
  INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRAM_KEYS), owner, &DialogProc,
                                   reinterpret_cast<LPARAM>(&state));
  return result == kEditSessionOnly || result == kEditStored ? static_cast<int>(result) : kEditCancelled;
}

}  // namespace korvane
