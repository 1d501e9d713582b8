#include "printer_port_win32.h"

#include <winspool.h>

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

// The one port of this DLL, for the timer procedure.
Win32PrinterPort* g_timerOwner = nullptr;

}  // namespace

Win32PrinterPort::Win32PrinterPort() { g_timerOwner = this; }

Win32PrinterPort::~Win32PrinterPort() {
  StopTimer();
  Close();
  if (g_timerOwner == this) g_timerOwner = nullptr;
}

PrinterPort::Family Win32PrinterPort::PlatformFamily() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? Family::Win9x : Family::Nt;
}

bool Win32PrinterPort::DefaultDeviceProfile(std::string& value) {
  char device[1024];
  DWORD length = GetProfileStringA("windows", "device", "", device, sizeof device);
  value.assign(device, length);
  return length > 0;
}

bool Win32PrinterPort::EnumerateDefaultPrinter(std::string& name) {
  std::vector<BYTE> records(1024);
  DWORD needed = 0, returned = 0;
  BOOL ok = EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, records.data(), static_cast<DWORD>(records.size()),
                          &needed, &returned);
  // A record with long names may not fit in the first buffer.
  if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > records.size()) {
    records.resize(needed);
    ok = EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, records.data(), needed, &needed, &returned);
  }
  if (!ok || returned == 0) return false;
  const auto* record = reinterpret_cast<const PRINTER_INFO_5A*>(records.data());
  if (!record->pPrinterName) return false;
  name = record->pPrinterName;
  return true;
}

bool Win32PrinterPort::Open(const std::string& name) {
  char raw[] = "RAW";
  // No device mode of our own: the printer's default applies.
  PRINTER_DEFAULTSA defaults = {raw, nullptr, PRINTER_ACCESS_USE};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), &handle, &defaults)) return false;
  printer_ = handle;
  documentStarted_ = false;
  return true;
}

std::string Win32PrinterPort::ErrorText(uint32_t error) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                 nullptr);
  return text;
}

bool Win32PrinterPort::StartDocument(int level) {
  // An empty document name, not none: Wine's spooler silently drops the
  // job of a document without a name when it hands it to CUPS.
  char untitled[] = "";
  DOC_INFO_1A info1 = {untitled, nullptr, nullptr};
  DOC_INFO_2A info2 = {untitled, nullptr, nullptr, 0, 0};
  LPBYTE info = level == 1 ? reinterpret_cast<LPBYTE>(&info1) : reinterpret_cast<LPBYTE>(&info2);
  documentStarted_ = StartDocPrinterA(printer_, static_cast<DWORD>(level), info) != 0;
  return documentStarted_;
}

bool Win32PrinterPort::Write(const uint8_t* bytes, size_t count, size_t& written) {
  written = 0;
  if (!printer_) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  while (written < count) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - written, 1u << 30));
    DWORD done = 0;
    if (!WritePrinter(printer_, const_cast<uint8_t*>(bytes + written), chunk, &done)) return false;
    written += done;
    if (done == 0) return false;
  }
  return true;
}

void Win32PrinterPort::Close() {
  if (!printer_) return;
  // Ending the document explicitly makes sure the spooler prints the job
  // rather than discarding an unfinished one.
  if (documentStarted_) EndDocPrinter(printer_);
  ClosePrinter(printer_);
  printer_ = nullptr;
  documentStarted_ = false;
}

bool Win32PrinterPort::StartTimer() {
  if (!timer_) timer_ = SetTimer(nullptr, 0, PrinterPassThrough::kTickMilliseconds, &Win32PrinterPort::TimerProc);
  return timer_ != 0;
}

void Win32PrinterPort::StopTimer() {
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
}

void CALLBACK Win32PrinterPort::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    if (g_timerOwner && g_timerOwner->onTick) g_timerOwner->onTick();
  } catch (...) {
    // Nothing may unwind into the caller's message loop.
  }
}

}  // namespace korvane
