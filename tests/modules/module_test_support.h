// What the module tests share: byte sequences in token notation, a
// recorder that prints each display message as one line, a scriptable
// printer port and modules wired to both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config_store.h"
#include "display_messages.h"
#include "printer_pass_through.h"
#include "ansi_emulator.h"
#include "scoansi_emulator.h"
#include "vt100_emulator.h"
#include "wyse60_emulator.h"

namespace korvane::test {

// Tokens separated by blanks: ESC CR LF BS HT DEL and the other C0 names
// (NUL BEL FF SO SI DC2 DC4 ...), SP for a blank, \xNN for any byte; any
// other token stands for its characters.
std::vector<uint8_t> Bytes(std::string_view tokens);
// C-style quoting: printable ASCII as is, \" \\ and \xNN for the rest.
std::string Quote(const void* bytes, size_t count);

class MessageRecorder {
 public:
  DisplayLink Link() { return DisplayLink{&MessageRecorder::Receive, this}; }
  // The lines so far (pending log text included); the list is emptied.
  std::vector<std::string> Take();
  void Add(std::string line);

  // The answer to "is the status line shown" (WUM_SETOPTION 4).
  int statusShown = 0;
  // The answers to WUM_SETOPTION OPTION_QUERYSCREEN: cursor row and
  // column, rows and columns, region top and bottom.
  int screen[6] = {0, 0, 24, 80, 0, 23};
  // WUM_LOG messages received, each piece counted.
  int logMessages = 0;

  static intptr_t Receive(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam);

 private:
  intptr_t Record(uint32_t msg, uintptr_t wParam, intptr_t lParam);
  void FlushLog();
  std::vector<std::string> lines_;
  std::string pendingLog_;
};

// A spooler that accepts everything unless told otherwise; writes are
// recorded as PRINTER lines among the display messages.
class FakePrinterPort : public PrinterPort {
 public:
  explicit FakePrinterPort(MessageRecorder& recorder) : recorder_(recorder) {}

  Family family = Family::Nt;
  std::string device = "Test Printer,winspool,LPT1:";  // empty: no default printer
  bool enumerateFails = false, openFails = false, startFails = false;
  bool open = false, timer = false;
  int opens = 0, closes = 0;
  std::vector<size_t> writes;  // byte count of each write

  Family PlatformFamily() override { return family; }
  bool DefaultDeviceProfile(std::string& value) override;
  bool EnumerateDefaultPrinter(std::string& name) override;
  bool Open(const std::string& name) override;
  void ClearLastError() override { lastError_ = 0; }
  uint32_t LastError() override { return lastError_; }
  std::string ErrorText(uint32_t error) override { return "error text " + std::to_string(error); }
  bool StartDocument(int level) override;
  bool Write(const uint8_t* bytes, size_t count, size_t& written) override;
  void Close() override;
  bool StartTimer() override { return timer = true; }
  void StopTimer() override { timer = false; }

 private:
  MessageRecorder& recorder_;
  uint32_t lastError_ = 0;
};

// A module attached to a recorder, as the client would have it after its
// two dll_Init calls.
class ModuleHarness {
 public:
  ModuleHarness(const ModuleHarness&) = delete;
  ModuleHarness& operator=(const ModuleHarness&) = delete;
  virtual ~ModuleHarness() = default;

  void Attach(bool logUnrecognised);
  void Submit(std::string_view tokens);
  void SubmitBytes(const std::vector<uint8_t>& bytes);
  std::vector<std::string> Take() { return recorder.Take(); }
  ModuleFrame& Frame() { return *frame_; }

  MemoryConfigStore store;
  MessageRecorder recorder;
  FakePrinterPort port{recorder};

 protected:
  ModuleHarness() = default;
  // Sends the module's messages to the recorder and, unless the test
  // stores settings first, attaches it.
  void Wire(ModuleFrame& frame, bool logUnrecognised, bool attach = true);

 private:
  ModuleFrame* frame_ = nullptr;
};

template <class Module>
struct Harness : ModuleHarness {
  explicit Harness(bool logUnrecognised = false, bool attach = true) { Wire(module.frame, logUnrecognised, attach); }
  Module module{store, port};
};

using Vt100Harness = Harness<Vt100Module>;
using AnsiHarness = Harness<AnsiModule>;
using ScoAnsiHarness = Harness<ScoAnsiModule>;
using Wyse60Harness = Harness<Wyse60Module>;

}  // namespace korvane::test
