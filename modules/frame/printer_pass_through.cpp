#include "printer_pass_through.h"

#include <cstdio>

namespace korvane {

bool PrinterPassThrough::OpenNt() {
  log_.Log("dll printer handling\n");
  std::string device;
  if (!port_.DefaultDeviceProfile(device) || device.empty()) {
    log_.Log("Can't get NT default printer\n");
    return false;
  }
  std::string name = device.substr(0, device.find(','));
  if (!port_.Open(name)) {
    log_.Log("printer open failed\n");
    return false;
  }
  log_.Log("TurnPrinterOn: Printer name %s\n", name.c_str());
  port_.ClearLastError();
  log_.Log("StartDocPrinter\n");
  return true;
}

bool PrinterPassThrough::Open9x() {
  log_.Log("Win9x printer start\n");
  std::string name;
  if (!port_.EnumerateDefaultPrinter(name)) {
    log_.Log("EnumPrinters failed\n");
    return false;
  }
  if (!port_.Open(name)) {
    log_.Log("printer open failed\n");
    return false;
  }
  log_.Log("TurnPrinterOn: Printer name %s\n", name.c_str());
  port_.ClearLastError();
  return true;
}

bool PrinterPassThrough::OpenDefaultPrinter(int& level) {
  bool nt = port_.PlatformFamily() == PrinterPort::Family::Nt;
  level = nt ? 1 : 2;
  return nt ? OpenNt() : Open9x();
}

void PrinterPassThrough::TurnPrinterOn() {
  log_.Log("Call TurnPrinterOn\n");
  if (open_) {
    closeRequested_ = false;
    active_ = true;
    return;
  }
  int level = 0;
  if (!OpenDefaultPrinter(level)) return;
  open_ = true;
  if (port_.StartDocument(level)) {
    log_.Log("startdoc succeeded\n");
  } else {
    uint32_t error = port_.LastError();
    log_.Log("startdoc failed - error %d: %s\n", static_cast<int>(error), port_.ErrorText(error).c_str());
  }
  if (!timerRunning_) {
    log_.Log("Turn on timer\n");
    timerRunning_ = port_.StartTimer();
  }
  closeRequested_ = false;
  active_ = true;
  SendInitFile();
}

void PrinterPassThrough::SendInitFile() {
  std::FILE* file = std::fopen(initFile.c_str(), "rb");
  if (!file) return;
  uint8_t chunk[kInitChunk];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) Print(chunk, got);
  std::fclose(file);
}

void PrinterPassThrough::Print(const uint8_t* bytes, size_t count) {
  log_.Log("PRINT: ");
  for (size_t i = 0; i < count; ++i) {
    auto value = static_cast<int8_t>(bytes[i]);
    if (value < 32)
      log_.Log("<%d>", value);
    else
      log_.Log("%c", value);
  }
  log_.Log("\n");
  size_t written = 0;
  if (port_.Write(bytes, count, written))
    log_.Log("wrote %d bytes\n", static_cast<int>(written));
  else
    log_.Log("write failed = error %d\n", static_cast<int>(port_.LastError()));
  active_ = true;
}

void PrinterPassThrough::TurnPrinterOff() {
  log_.Log("Called TurnPrinterOff\n");
  if (open_) closeRequested_ = true;
}

void PrinterPassThrough::Tick() {
  if (!closeRequested_) return;
  if (active_) {
    log_.Log("TimerDec\n");
    active_ = false;
    return;
  }
  log_.Log("TimerClose\n");
  ActuallyTurnPrinterOff();
}

void PrinterPassThrough::ActuallyTurnPrinterOff() {
  if (open_) {
    log_.Log("ActuallyTurnPrinterOff\n");
    port_.Close();
    open_ = false;
  }
  if (timerRunning_) {
    port_.StopTimer();
    timerRunning_ = false;
  }
  closeRequested_ = false;
}

}  // namespace korvane
