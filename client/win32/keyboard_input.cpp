#include "keyboard_input.h"

#include <fstream>
#include <sstream>

#include "client_app.h"
#include "display_messages.h"
#include "module_binding.h"

namespace korvane {

namespace {

// The user's table for international keyboards, from the current directory.
std::string ReadTranslationsFile() {
  std::ifstream in(kTranslationsFile, std::ios::binary);
  if (!in) return std::string();
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int ScanWithLayout(int character) {
  SHORT scan = VkKeyScanA(static_cast<CHAR>(character));
  return scan == -1 ? -1 : (scan & 0xFFFF);
}

bool IsModifierKey(WPARAM key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_CAPITAL; }

// Any key returns from the scrollback view to the live screen first.
void LeaveScrollbackView(HWND window) {
  if (App().display.scrollbackView) SendMessageA(window, WUM_ENDSCROLLBACK, 0, 0);
}

}  // namespace

void BuildKeyTables() {
  ClientApp& app = App();
  char name[KL_NAMELENGTH] = "";
  if (!GetKeyboardLayoutNameA(name)) app.log.Event("KB load failed\n");
  if (HKL layout = LoadKeyboardLayoutA(name, KLF_ACTIVATE)) ActivateKeyboardLayout(layout, 0);
  app.log.Event("KB=%s\n", name);
  app.keys.useIntlKeyboard = app.config.useIntlKeyboard;
  app.keys.Build(name, ScanWithLayout, ReadTranslationsFile());
}

void RefreshModifiers() {
  ClientApp& app = App();
  BYTE state[256] = {};
  if (!GetKeyboardState(state)) {
    app.keys.modifiers = 0;
    KV_ERROR(kSystemError, 1114, GetLastError(), "Can't get keyboard state");
    return;
  }
  app.keys.modifiers = ((state[VK_SHIFT] & 0x80) ? kModShift : 0) | ((state[VK_CONTROL] & 0x80) ? kModCtrl : 0) |
                       ((state[VK_CAPITAL] & 1) ? kModCapsLock : 0);
}

int TranslateKey(int virtualKey) {
  ClientApp& app = App();
  KeyOutcome outcome = app.keys.Translate(virtualKey);
  if (outcome.isCharacter) {
    SendMessageA(app.mainWindow, WUM_SENDCHAR, static_cast<WPARAM>(outcome.character), 0);
    return 1;
  }
  return ModuleKey(outcome.keyCode);
}

bool HandleKeyboardMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_KEYDOWN:
      LeaveScrollbackView(window);
      if (IsModifierKey(wParam))
        RefreshModifiers();
      else
        TranslateKey(static_cast<int>(wParam));
      return true;
    case WM_SYSKEYDOWN:
      LeaveScrollbackView(window);
      if (IsModifierKey(wParam)) RefreshModifiers();  // pressed with Alt held
      if (wParam != VK_F10) return false;  // Alt combinations stay with Windows (the menu)
      TranslateKey(VK_F10);
      return true;
    case WM_KEYUP:
      if (IsModifierKey(wParam)) RefreshModifiers();
      return IsModifierKey(wParam) || wParam == VK_F10;
    case WM_SYSKEYUP:
      if (IsModifierKey(wParam)) RefreshModifiers();
      return wParam == VK_F10;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      RefreshModifiers();
      return false;
    default:
      return false;
  }
}

}  // namespace korvane
