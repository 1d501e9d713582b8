#include "hosts_dialog.h"

#include <string>
#include <vector>

#include "client_app.h"
#include "resource_ids.h"
#include "text_util.h"

namespace korvane {

namespace {

std::vector<HostEntry>& Hosts() {
  static std::vector<HostEntry> hosts;
  return hosts;
}

struct DialogState {
  HostSelection* selection;
  uint16_t* port;
  bool chosen = false;
};

std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(control, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

std::string Trimmed(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

void FillList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_HOST_LIST);
  // The lines are columns of fixed width: they need a fixed-pitch font.
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  for (const HostEntry& entry : Hosts())
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(HostListLine(entry).c_str()));
  int chosen = PreselectedHost(Hosts(), App().config.host);
  if (chosen >= 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void OnInit(HWND dialog, DialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  SendDlgItemMessageA(dialog, IDC_PORT_EDIT, EM_LIMITTEXT, 15, 0);
  if (!App().config.allowOtherAddress) {
    EnableWindow(GetDlgItem(dialog, IDC_HOST_EDIT), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PORT_EDIT), FALSE);
  }
  SetDlgItemTextA(dialog, IDC_PORT_EDIT, Format("%d", static_cast<int>(*state->port)).c_str());
  FillList(dialog);
  SetFocus(GetDlgItem(dialog, IDC_HOST_LIST));
}

bool ChooseListEntry(HWND dialog, DialogState* state) {
  LRESULT index = SendDlgItemMessageA(dialog, IDC_HOST_LIST, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || index < 0 || static_cast<size_t>(index) >= Hosts().size()) return false;
  *state->selection = SelectEntry(Hosts()[static_cast<size_t>(index)]);
  return true;
}

void ReadPort(HWND dialog, DialogState* state) {
  if (auto port = ParsePortField(ControlText(dialog, IDC_PORT_EDIT).substr(0, 15))) *state->port = *port;
}

void OnOk(HWND dialog, DialogState* state) {
  std::string typed = Trimmed(ControlText(dialog, IDC_HOST_EDIT));
  if (!typed.empty()) {
    *state->selection = SelectTyped(typed);
  } else if (!ChooseListEntry(dialog, state)) {
    MessageBoxA(dialog, "You need to specify a valid host", "Invalid host selection", MB_OK | MB_ICONWARNING);
    return;
  }
  ReadPort(dialog, state);
  state->chosen = true;
  EndDialog(dialog, 0);
}

INT_PTR CALLBACK HostDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, reinterpret_cast<DialogState*>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          OnOk(dialog, state);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 1);
          return TRUE;
        case IDC_HOST_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK && ChooseListEntry(dialog, state)) {
            ReadPort(dialog, state);
            state->chosen = true;
            EndDialog(dialog, 0);
          }
          return TRUE;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void LoadHostsFile() { Hosts() = ReadHostsFile(App().config.hostsFile); }

int ShowHostDialog(HostSelection& selection, uint16_t& port) {
  DialogState state{&selection, &port};
  INT_PTR result = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_SELECT_HOST), App().mainWindow,
                                   HostDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == -1) return -1;
  // A dialog that ended with its window (the program closing) chose nothing.
  return state.chosen && IsWindow(App().mainWindow) ? 0 : 1;
}

}  // namespace korvane
