#include "key_map_dialog.h"

#include <windows.h>

#include "character_map_editor.h"
#include "font_files.h"
#include "settings_app.h"
#include "settings_resource_ids.h"

namespace korvane {

namespace {

constexpr DWORD kHelpContext = 1304;
constexpr char kOriginalProc[] = "KorvaneMapProc";

// The two sans-serif font files of one cell size, added for the dialog's
// length only, and a font of each face.
class MapFonts {
 public:
  MapFonts() {
    int width = MapFontWidth(SystemCharacterHeight());
    for (int face = 0; face < 2; ++face) {
      files_[face] = Settings().programDirectory + "\\" + FontFileName(width, 2 * width, false, face);
      added_[face] = AddFontResourceA(files_[face].c_str()) > 0;
      LOGFONTA wanted = {};
      wanted.lfHeight = 2 * width;
      wanted.lfWidth = width;
      wanted.lfWeight = FW_NORMAL;
      wanted.lfCharSet = OEM_CHARSET;
      wanted.lfPitchAndFamily = FIXED_PITCH;
      lstrcpynA(wanted.lfFaceName, kTypefaceNames[face], LF_FACESIZE);
      fonts_[face] = CreateFontIndirectA(&wanted);
    }
  }
  ~MapFonts() {
    for (int face = 0; face < 2; ++face) {
      if (fonts_[face]) DeleteObject(fonts_[face]);
      if (added_[face]) RemoveFontResourceA(files_[face].c_str());
    }
  }
  MapFonts(const MapFonts&) = delete;
  MapFonts& operator=(const MapFonts&) = delete;
  HFONT Font(bool ansi) const { return fonts_[ansi ? 1 : 0]; }

 private:
  // The system font's character height: its height less the internal leading.
  static int SystemCharacterHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight - metrics.tmInternalLeading;
  }
  std::string files_[2];
  bool added_[2] = {false, false};
  HFONT fonts_[2] = {nullptr, nullptr};
};

struct MapDialog {
  std::string typeName;
  CharacterMapEditor editor;
  MapFonts fonts;
};

MapDialog* DialogData(HWND dialog) { return reinterpret_cast<MapDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void ShowCharacter(HWND dialog, MapDialog& d, int code) {
  d.editor.Show(code);
  SendDlgItemMessageA(dialog, IDC_MAP_CHARACTERS, LB_SETCURSEL, static_cast<WPARAM>(d.editor.current()), 0);
  SendDlgItemMessageA(dialog, IDC_MAP_GLYPHS, LB_SETCURSEL, static_cast<WPARAM>(d.editor.Glyph()), 0);
  SetDlgItemTextA(dialog, IDC_MAP_STATUS, d.editor.StatusText().c_str());
}

// Both lists again in the chosen face's font, and the status text too.
void FillLists(HWND dialog, MapDialog& d) {
  HFONT font = d.fonts.Font(d.editor.ansi());
  for (int id : {IDC_MAP_CHARACTERS, IDC_MAP_GLYPHS}) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (font) SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int code = 0; code < 256; ++code)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CharacterLine(code).c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
  if (font) SendDlgItemMessageA(dialog, IDC_MAP_STATUS, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  CheckRadioButton(dialog, IDC_MAP_ANSI, IDC_MAP_ASCII, d.editor.ansi() ? IDC_MAP_ANSI : IDC_MAP_ASCII);
}

// "Map This Character" takes its keys from the dialog's rules, not the list's.
LRESULT CALLBACK CharacterListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(list, kOriginalProc));
  HWND dialog = GetParent(list);
  switch (message) {
    case WM_KEYDOWN:
      if (MapDialog* d = DialogData(dialog)) {
        if (auto code = d->editor.CharacterForKey(static_cast<int>(wParam)))
          ShowCharacter(dialog, *d, *code);
        else
          MessageBeep(0);
      }
      return 0;
    case WM_CHAR:
      return 0;
    case WM_NCDESTROY:
      RemovePropA(list, kOriginalProc);
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      break;
    default:
      break;
  }
  return original ? CallWindowProcA(original, list, message, wParam, lParam)
                  : DefWindowProcA(list, message, wParam, lParam);
}

void InitDialog(HWND dialog, MapDialog& d) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
  SetDlgItemTextA(dialog, IDC_MAP_TYPE_NAME, d.typeName.c_str());
  CheckDlgButton(dialog, IDC_MAP_DISPLAY_ONLY, d.editor.displayOnly() ? BST_CHECKED : BST_UNCHECKED);
  HWND list = GetDlgItem(dialog, IDC_MAP_CHARACTERS);
  SetPropA(list, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(list, GWLP_WNDPROC)));
  SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CharacterListProc));
  FillLists(dialog, d);
  ShowCharacter(dialog, d, 32);
  SetFocus(list);
}

void OnCommand(HWND dialog, MapDialog& d, int id, int code) {
  switch (id) {
    case IDC_MAP_CHARACTERS:
      if (code == LBN_SELCHANGE)
        ShowCharacter(dialog, d, static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0)));
      return;
    case IDC_MAP_GLYPHS:
      if (code == LBN_SELCHANGE) {
        d.editor.MapCurrentTo(static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0)));
        ShowCharacter(dialog, d, d.editor.current());
      }
      return;
    case IDC_MAP_ANSI:
    case IDC_MAP_ASCII:
      d.editor.ChooseAnsi(id == IDC_MAP_ANSI);
      FillLists(dialog, d);
      ShowCharacter(dialog, d, d.editor.current());
      return;
    case IDC_MAP_RESET:
      d.editor.Reset();
      FillLists(dialog, d);
      ShowCharacter(dialog, d, 32);
      return;
    case IDC_MAP_HELP:
      WinHelpA(dialog, Settings().helpFile.c_str(), HELP_CONTEXT, kHelpContext);
      return;
    case IDOK:
      d.editor.SetDisplayOnly(IsDlgButtonChecked(dialog, IDC_MAP_DISPLAY_ONLY) == BST_CHECKED);
      d.editor.Store(Settings().store, d.typeName);
      EndDialog(dialog, IDOK);
      return;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
    default:
      return;
  }
}

INT_PTR CALLBACK KeyMapProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitDialog(dialog, *reinterpret_cast<MapDialog*>(lParam));
    return FALSE;  // the focus is set
  }
  MapDialog* d = DialogData(dialog);
  if (message == WM_COMMAND && d) {
    OnCommand(dialog, *d, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunKeyMapDialog(const std::string& typeName, int fontCharSet) {
  SettingsApp& app = Settings();
  MapDialog d;
  d.typeName = typeName;
  d.editor.Load(app.store, typeName, fontCharSet);
  DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_MAP_KEYSTROKES), app.mainWindow, KeyMapProc,
                  reinterpret_cast<LPARAM>(&d));
}

}  // namespace korvane
