// Host bytes reach the VT100 parser in pieces of any size: whatever they
// are, it must not crash or leak, and every display message it sends must
// carry parameters in their documented ranges.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "vt100_emulator.h"

using namespace korvane;

namespace {

class AcceptingPrinter : public PrinterPort {
 public:
  Family PlatformFamily() override { return Family::Nt; }
  bool DefaultDeviceProfile(std::string& value) override {
    value = "Fuzz Printer,driver,port";
    return true;
  }
  bool EnumerateDefaultPrinter(std::string& name) override { return DefaultDeviceProfile(name); }
  bool Open(const std::string&) override { return open = true; }
  void ClearLastError() override {}
  uint32_t LastError() override { return 0; }
  std::string ErrorText(uint32_t) override { return ""; }
  bool StartDocument(int) override { return true; }
  bool Write(const uint8_t* bytes, size_t count, size_t& written) override {
    volatile uint8_t sink = 0;
    for (size_t i = 0; i < count; ++i) sink = sink + bytes[i];
    written = count;
    return open;
  }
  void Close() override { open = false; }
  bool StartTimer() override { return true; }
  void StopTimer() override {}
  bool open = false;
};

struct Checker {
  int statusShown = 0;
};

void Require(bool ok) {
  if (!ok) __builtin_trap();
}

void Touch(const void* data, size_t count) {
  Require(data != nullptr || count == 0);
  volatile uint8_t sink = 0;
  for (size_t i = 0; i < count; ++i) sink = sink + static_cast<const uint8_t*>(data)[i];
}

bool IsColour(int32_t colour, int32_t last) { return colour >= 0 && colour <= last; }

void CheckColours(const ColourRecord* colours, int32_t last) {
  if (!colours) return;
  Require(colours->which >= 1 && colours->which <= 3);
  if (colours->which & COLOUR_GIVES_FOREGROUND) Require(IsColour(colours->foreground, last));
  if (colours->which & COLOUR_GIVES_BACKGROUND) Require(IsColour(colours->background, last));
}

void CheckOption(uintptr_t option, intptr_t value) {
  switch (option) {
    case OPTION_AUTOWRAP:
    case OPTION_STATUSLINE: Require(value == 0 || value == 1); break;
    case OPTION_STATUSTEXT: {
      auto* text = reinterpret_cast<const StatusText*>(value);
      Require(text && text->length >= 0 && text->length <= 256);
      Touch(text->text, static_cast<size_t>(text->length));
      break;
    }
    case OPTION_QUERYSTATUS: Require(value == 0); break;
    default: Require(false);
  }
}

intptr_t Check(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  auto* checker = static_cast<Checker*>(target);
  const intptr_t kMaxCount = SequenceParser::kParameterLimit;
  switch (msg) {
    case WUM_WRITE: Require(lParam > 0); Touch(reinterpret_cast<const void*>(wParam), static_cast<size_t>(lParam)); break;
    case WUM_SENDDATA: Require(lParam >= 0); Touch(reinterpret_cast<const void*>(wParam), static_cast<size_t>(lParam)); break;
    case WUM_LOG: Require(wParam && std::strlen(reinterpret_cast<const char*>(wParam)) <= ModuleLog::kLineLimit); break;
    case WUM_CURSORUP: Require(wParam <= 1 && lParam >= 1 && lParam <= kMaxCount); break;
    case WUM_CURSORLEFT: case WUM_CURSORRIGHT: case WUM_CURSORDOWN: case WUM_INSERTCHARS: case WUM_DELETECHARS:
    case WUM_INSERTLINES: case WUM_DELETELINES: case WUM_SCROLLREGION:
      Require(wParam == 0 && lParam >= 1 && lParam <= kMaxCount); break;
    case WUM_MOVECURSOR: case WUM_SETSCROLL: Require(wParam <= 0xFFFFFFFFu && lParam == 0); break;
    case WUM_RESIZE: {
      uintptr_t rows = wParam & 0xFFFF, columns = wParam >> 16;
      Require((rows == 0) != (columns == 0) && (rows == 0 || (rows >= 24 && rows <= 43)) &&
              (columns == 0 || columns == 80 || columns == 132) && lParam == 0);
      break;
    }
    case WUM_TAB: case WUM_BEEP: case WUM_SETTAB: case WUM_CARRIAGERETURN: case WUM_CLEARSCREEN: case WUM_CLEAREOS:
    case WUM_CLEARBOS: case WUM_CLEAREOL: case WUM_CLEARBOL: case WUM_CLEARLINE:
      Require(wParam == 0 && lParam == 0); break;
    case WUM_CLEARTAB: case WUM_SAVECURSOR: case WUM_RESTORECURSOR: Require(wParam <= 1 && lParam == 0); break;
    case WUM_SETCURSOR: Require(wParam == 0 && lParam >= 0 && lParam <= 10); break;
    case WUM_ATTRIBUTES:
      Require(wParam != 0);
      CheckColours(reinterpret_cast<const ColourRecord*>(lParam), COLOUR_DEFAULT_BACKGROUND);
      break;
    case WUM_SETCOLOR: {
      Require(wParam != 0 && lParam != 0);
      auto* colours = reinterpret_cast<const ColourRecord*>(lParam);
      Require(colours->which == 1 || colours->which == 2);
      CheckColours(colours, 15);
      break;
    }
    case WUM_SETOPTION:
      CheckOption(wParam, lParam);
      return wParam == OPTION_QUERYSTATUS ? checker->statusShown : 0;
    default: Require(false);
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryConfigStore store;
  AcceptingPrinter port;
  Checker checker;
  Vt100Module module(store, port);
  module.frame.printer.initFile = "/nonexistent/printerinit.txt";
  module.frame.link = DisplayLink{&Check, nullptr};
  TermInfo info = {};
  info.flags = input.ConsumeBool() ? TERMINFO_LOG_UNRECOGNISED : 0;
  checker.statusShown = input.ConsumeBool();
  module.frame.Init(nullptr, &info, nullptr);
  module.frame.Init(&checker, nullptr, nullptr);
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 15)) {
      case 0: module.frame.Key(input.ConsumeIntegralInRange(0, 0x3FF)); break;
      case 1: module.frame.Init(&checker, nullptr, nullptr); break;
      case 2: module.frame.printer.Tick(); break;
      default: {
        std::vector<uint8_t> piece = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(1, 64));
        module.frame.Submit(piece.data(), piece.size());
      }
    }
  }
  module.frame.Unload();
  return 0;
}
