// The printer half of the pass-through: a host switches it on, the emulator
// hands it the bytes, and a 5-second timer closes the job once output has
// stopped after the host switched it off. Every step is logged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "module_log.h"

namespace korvane {

// What the pass-through needs from the system's print spooler.
class PrinterPort {
 public:
  enum class Family { Nt, Win9x };

  virtual ~PrinterPort() = default;
  virtual Family PlatformFamily() = 0;
  // Windows NT: the profile's "device" value of section "windows"
  // ("name,driver,port"); false when there is none.
  virtual bool DefaultDeviceProfile(std::string& value) = 0;
  // Windows 9x: the name in the default printer's enumeration record.
  virtual bool EnumerateDefaultPrinter(std::string& name) = 0;
  // A raw job on the named printer; false when it cannot be opened.
  virtual bool Open(const std::string& name) = 0;
  virtual void ClearLastError() = 0;
  virtual uint32_t LastError() = 0;
  virtual std::string ErrorText(uint32_t error) = 0;
  // Starts the document: level 1 (NT) or 2 (9x) with empty fields.
  virtual bool StartDocument(int level) = 0;
  // Writes to the open printer (fails when none is open).
  virtual bool Write(const uint8_t* bytes, size_t count, size_t& written) = 0;
  virtual void Close() = 0;
  // The 5-second tick; Tick() of the pass-through is to be called on it.
  virtual bool StartTimer() = 0;
  virtual void StopTimer() = 0;
};

// A system without a default printer: every spooler step fails (as under
// Wine), so pass-through bytes are logged and dropped.
class NoPrinterPort : public PrinterPort {
 public:
  Family PlatformFamily() override { return Family::Nt; }
  bool DefaultDeviceProfile(std::string&) override { return false; }
  bool EnumerateDefaultPrinter(std::string&) override { return false; }
  bool Open(const std::string&) override { return false; }
  void ClearLastError() override {}
  uint32_t LastError() override { return 6; }  // an invalid handle
  std::string ErrorText(uint32_t) override { return ""; }
  bool StartDocument(int) override { return false; }
  bool Write(const uint8_t*, size_t, size_t&) override { return false; }
  void Close() override {}
  bool StartTimer() override { return false; }
  void StopTimer() override {}
};

class PrinterPassThrough {
 public:
  static constexpr int kTickMilliseconds = 5000;
  static constexpr size_t kInitChunk = 260;

  PrinterPassThrough(ModuleLog& log, PrinterPort& port) : log_(log), port_(port) {}

  void TurnPrinterOn();
  void TurnPrinterOff();
  void Print(const uint8_t* bytes, size_t count);
  void Tick();
  // Closes the printer and stops the timer at once.
  void ActuallyTurnPrinterOff();

  bool IsOpen() const { return open_; }
  bool TimerRunning() const { return timerRunning_; }
  // The start-up file sent to each newly opened printer.
  std::string initFile = "printerinit.txt";

 private:
  bool OpenDefaultPrinter(int& level);
  bool OpenNt();
  bool Open9x();
  void SendInitFile();

  ModuleLog& log_;
  PrinterPort& port_;
  bool open_ = false;
  bool timerRunning_ = false;
  bool closeRequested_ = false;
  bool active_ = false;
};

}  // namespace korvane
