// The progress window "Install Progress": one line of text, a wait cursor.
#pragma once

#include <windows.h>

#include <string>

namespace korvane {

class ProgressWindow {
 public:
  bool Open(HINSTANCE instance);
  void Show(const std::string& line);
  void Close();

 private:
  HWND window_ = nullptr;
  std::string line_;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
};

// Handles the pending messages of this thread's windows so they repaint.
void PumpPendingMessages();

}  // namespace korvane
