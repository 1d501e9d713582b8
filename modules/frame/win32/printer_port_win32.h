// The printer pass-through over the Windows spooler: raw jobs on the
// default printer and a thread timer without a window for the idle close.
#pragma once

#include <windows.h>

#include <functional>

#include "printer_pass_through.h"

namespace korvane {

class Win32PrinterPort : public PrinterPort {
 public:
  Win32PrinterPort();
  ~Win32PrinterPort() override;

  // Called on every timer tick (on the thread that started the timer).
  std::function<void()> onTick;

  Family PlatformFamily() override;
  bool DefaultDeviceProfile(std::string& value) override;
  bool EnumerateDefaultPrinter(std::string& name) override;
  bool Open(const std::string& name) override;
  void ClearLastError() override { SetLastError(0); }
  uint32_t LastError() override { return GetLastError(); }
  std::string ErrorText(uint32_t error) override;
  bool StartDocument(int level) override;
  bool Write(const uint8_t* bytes, size_t count, size_t& written) override;
  void Close() override;
  bool StartTimer() override;
  void StopTimer() override;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

  HANDLE printer_ = nullptr;
  bool documentStarted_ = false;
  UINT_PTR timer_ = 0;
};

}  // namespace korvane
