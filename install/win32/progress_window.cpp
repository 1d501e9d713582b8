#include "progress_window.h"

#include "centred_window.h"

namespace korvane {

namespace {

constexpr char kClassName[] = "Progress";
constexpr size_t kLineWidth = 128;

}  // namespace

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ProgressWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  TextOutA(dc, 5, 25, line_.c_str(), static_cast<int>(line_.size()));
  SelectObject(dc, old);
  EndPaint(window_, &paint);
}

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (self && self->window_ == window) {
        self->Paint();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_CLOSE:
      return 0;  // closes only when the installer is done with it
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool ProgressWindow::Open(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // already registered when the window opens a second time
  window_ = CreateCentredWindow(kClassName, "Install Progress", WS_POPUP | WS_CAPTION, 350, 100, instance, this);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  PumpPendingMessages();
  return true;
}

void ProgressWindow::Show(const std::string& line) {
  if (!window_) return;
  // Padded with blanks so a shorter line covers the one before.
  line_ = line.substr(0, kLineWidth);
  line_.resize(kLineWidth, ' ');
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
  PumpPendingMessages();
}

void ProgressWindow::Close() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  PumpPendingMessages();
}

}  // namespace korvane
