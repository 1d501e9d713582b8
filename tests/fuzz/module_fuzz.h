// What the module parser fuzz targets share. Host bytes reach a module in
// pieces of any size, mixed with keys, further dll_Init calls and printer
// ticks: whatever they are, it must not crash or leak, and every display
// message it sends must be one its emulator sends, with parameters in their
// documented ranges.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config_store.h"
#include "module_frame.h"
#include "sequence_parser.h"

namespace korvane::fuzz {

// A spooler that opens and writes whatever it is given.
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

// What one emulator may send.
struct MessageRules {
  std::vector<uint32_t> messages;
  std::vector<uintptr_t> options;  // of WUM_SETOPTION
  int32_t lastAttributeColour;     // highest colour index with WUM_ATTRIBUTES
  int32_t lastSetColour;           // and with WUM_SETCOLOR
  bool backwardCounts = false;     // WUM_TAB and WUM_SCROLLREGION may go backwards
  // Values of the type's key (Terms\<type>) that the input sets.
  const char* subKey = "";
  std::vector<const char*> settings;
  bool cursorUpWraps = false;       // WUM_CURSORUP may wrap from the top (wParam -1)
  int32_t longestStatusText = 256;  // characters of WUM_SETOPTION 3
  uint32_t attributeBits = ~0u;     // bits an attribute word may carry
};

struct Checker {
  const MessageRules* rules;
  int statusShown = 0;
  // The module's HostCompatibility switch: only while it is on may the
  // extended message forms and the screen query appear.
  const bool* host = nullptr;
};

inline void Require(bool ok) {
  if (!ok) __builtin_trap();
}

inline void Touch(const void* data, size_t count) {
  Require(data != nullptr || count == 0);
  volatile uint8_t sink = 0;
  for (size_t i = 0; i < count; ++i) sink = sink + static_cast<const uint8_t*>(data)[i];
}

template <class T>
bool Contains(const std::vector<T>& list, T value) {
  for (const T& item : list)
    if (item == value) return true;
  return false;
}

inline void CheckColours(const ColourRecord* colours, int32_t last) {
  if (!colours) return;
  Require(colours->which >= 1 && colours->which <= 3);
  if (colours->which & COLOUR_GIVES_FOREGROUND) Require(colours->foreground >= 0 && colours->foreground <= last);
  if (colours->which & COLOUR_GIVES_BACKGROUND) Require(colours->background >= 0 && colours->background <= last);
}

inline void CheckOption(const MessageRules& rules, uintptr_t option, intptr_t value, bool host) {
  if (host && option == OPTION_QUERYSCREEN) return Require(value >= QUERY_CURSOR && value <= QUERY_REGION);
  Require(Contains(rules.options, option));
  switch (option) {
    case OPTION_AUTOWRAP:
    case OPTION_STATUSLINE:
    case OPTION_SCROLLATBOTTOM:
    case OPTION_KEYBOARDLOCK: Require(value == 0 || value == 1); break;
    case OPTION_STATUSTEXT: {
      auto* text = reinterpret_cast<const StatusText*>(value);
      Require(text && text->length >= 0 && text->length <= rules.longestStatusText);
      Touch(text->text, static_cast<size_t>(text->length));
      break;
    }
    case OPTION_STATUSATTRIBUTE: Require(value && (*reinterpret_cast<const uint32_t*>(value) & ~rules.attributeBits) == 0); break;
    case OPTION_MEMORYPAGES: Require(value >= 1 && value <= 9); break;
    case OPTION_QUERYSTATUS: Require(value == 0); break;
    default: Require(false);
  }
}

// A count in lParam: 1 up to the parameter limit, or as far backwards.
inline bool IsCount(intptr_t count, bool backwards) {
  const intptr_t kMax = SequenceParser::kParameterLimit;
  return (count >= 1 && count <= kMax) || (backwards && count <= -1 && count >= -kMax);
}

inline void CheckRectangle(uintptr_t wParam, intptr_t lParam, bool host) {
  auto* rect = reinterpret_cast<const CellRect*>(wParam);
  if (host && rect && lParam == 0) {  // ECH: cells of the cursor row, inside the grid the query gave
    Require(rect->top == rect->bottom && rect->left <= rect->right && rect->left >= 0 && rect->right < 80);
    return;
  }
  Require(rect && lParam == 1 && rect->left == 0 && rect->top == 0 && rect->bottom == 0 && rect->right >= 0 &&
          rect->right < SequenceParser::kParameterLimit);
}

// The answers to the screen query: a 24 x 80 grid, the cursor on its last cell.
inline intptr_t ScreenAnswer(intptr_t what) {
  switch (what) {
    case QUERY_SIZE: return static_cast<intptr_t>(MakeLong(80, 24));
    case QUERY_REGION: return static_cast<intptr_t>(MakeLong(0, 23));
    default: return static_cast<intptr_t>(MakeLong(79, 23));
  }
}

inline intptr_t Check(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  auto* checker = static_cast<Checker*>(target);
  const MessageRules& rules = *checker->rules;
  bool host = checker->host && *checker->host;
  Require(Contains(rules.messages, msg) || (host && (msg == WUM_SETROWORCOL || msg == WUM_ERASERECT)));
  auto signedWParam = static_cast<intptr_t>(wParam);
  // The extended forms: moves held to the grid (or the region), CUF and CUD that stop.
  intptr_t moveFlags = host ? CURSOR_LIMIT | CURSOR_ORIGIN : 0;
  uintptr_t stopFlag = host ? 1 : 0;
  switch (msg) {
    case WUM_WRITE: Require(lParam > 0); Touch(reinterpret_cast<const void*>(wParam), static_cast<size_t>(lParam)); break;
    case WUM_SENDDATA: Require(lParam >= 0); Touch(reinterpret_cast<const void*>(wParam), static_cast<size_t>(lParam)); break;
    case WUM_LOG: Require(wParam && std::strlen(reinterpret_cast<const char*>(wParam)) <= ModuleLog::kLineLimit); break;
    case WUM_CURSORUP:
      Require((wParam <= 1 || (rules.cursorUpWraps && signedWParam == -1)) && IsCount(lParam, false));
      break;
    case WUM_SETPAGE: Require(lParam == 0 && (wParam <= 8 || signedWParam == -1 || signedWParam == -2)); break;
    case WUM_CURSORRIGHT: case WUM_CURSORDOWN: Require(wParam <= stopFlag && IsCount(lParam, false)); break;
    case WUM_CURSORLEFT: case WUM_INSERTCHARS: case WUM_DELETECHARS: case WUM_INSERTLINES: case WUM_DELETELINES:
      Require(wParam == 0 && IsCount(lParam, false)); break;
    case WUM_SCROLLREGION: Require(wParam == 0 && IsCount(lParam, rules.backwardCounts || host)); break;
    case WUM_TAB:
      Require(lParam == 0 && (wParam == 0 || ((rules.backwardCounts || host) && IsCount(signedWParam, true) &&
                                               (signedWParam < 0 || host))));
      break;
    case WUM_MOVECURSOR: Require(wParam <= 0xFFFFFFFFu && (lParam & ~moveFlags) == 0); break;
    case WUM_SETSCROLL: Require(wParam <= 0xFFFFFFFFu && lParam == 0); break;
    case WUM_SETROWORCOL:
      Require(signedWParam >= 0 && signedWParam < SequenceParser::kParameterLimit && (lParam & ~(1 | moveFlags)) == 0);
      break;
    case WUM_ERASERECT: CheckRectangle(wParam, lParam, host); break;
    case WUM_RESIZE: {
      uintptr_t rows = wParam & 0xFFFF, columns = wParam >> 16;
      Require((rows == 0) != (columns == 0) && (rows == 0 || (rows >= 24 && rows <= 43)) &&
              (columns == 0 || columns == 80 || columns == 132) && lParam == 0);
      break;
    }
    case WUM_BEEP: case WUM_SETTAB: case WUM_CARRIAGERETURN: case WUM_CLEARSCREEN: case WUM_CLEAREOS:
    case WUM_CLEARBOS: case WUM_CLEAREOL: case WUM_CLEARBOL: case WUM_CLEARLINE: case WUM_SENDSCREEN:
      Require(wParam == 0 && lParam == 0); break;
    case WUM_CLEARTAB: case WUM_SAVECURSOR: case WUM_RESTORECURSOR: Require(wParam <= 1 && lParam == 0); break;
    case WUM_SETCURSOR: Require(wParam == 0 && lParam >= 0 && lParam <= 10); break;
    case WUM_ATTRIBUTES:
      Require(wParam != 0 && (*reinterpret_cast<const uint32_t*>(wParam) & ~rules.attributeBits) == 0);
      CheckColours(reinterpret_cast<const ColourRecord*>(lParam), rules.lastAttributeColour);
      break;
    case WUM_SETCOLOR: {
      Require(wParam != 0 && lParam != 0);
      auto* colours = reinterpret_cast<const ColourRecord*>(lParam);
      Require(colours->which == 1 || colours->which == 2);
      CheckColours(colours, rules.lastSetColour);
      break;
    }
    case WUM_SETOPTION:
      CheckOption(rules, wParam, lParam, host);
      if (wParam == OPTION_QUERYSCREEN) return ScreenAnswer(lParam);
      return wParam == OPTION_QUERYSTATUS ? checker->statusShown : 0;
    default: Require(false);
  }
  return 0;
}

// The input picks a value for one of the emulator's settings.
inline void ChooseSetting(FuzzedDataProvider& input, MemoryConfigStore& store, const MessageRules& rules) {
  static const char* const kValues[] = {"Y", "N", "y", "0", "1", "-1", "99999999999"};
  if (rules.settings.empty()) return;
  const char* name = rules.settings[input.ConsumeIntegralInRange<size_t>(0, rules.settings.size() - 1)];
  store.WriteTextCreatingKey(rules.subKey, name, kValues[input.ConsumeIntegralInRange(0, 6)]);
}

// One run: the module loaded, attached and fed the input.
template <class Module>
void FuzzModule(const uint8_t* data, size_t size, const MessageRules& rules) {
  FuzzedDataProvider input(data, size);
  MemoryConfigStore store;
  AcceptingPrinter port;
  Module module(store, port);
  Checker checker{&rules, 0, &module.frame.hostCompatibility};
  module.frame.printer.initFile = "/nonexistent/printerinit.txt";
  module.frame.link = DisplayLink{&Check, nullptr};
  TermInfo info = {};
  info.flags = input.ConsumeBool() ? TERMINFO_LOG_UNRECOGNISED : 0;
  checker.statusShown = input.ConsumeBool();
  for (size_t i = 0; i < rules.settings.size(); ++i) ChooseSetting(input, store, rules);
  module.frame.Init(nullptr, &info, nullptr);
  module.frame.Init(&checker, nullptr, nullptr);
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 15)) {
      case 0: module.frame.Key(input.ConsumeIntegralInRange(0, 0x3FF)); break;
      case 1: module.frame.Init(&checker, nullptr, nullptr); break;
      case 2: module.frame.printer.Tick(); break;
      case 3: ChooseSetting(input, store, rules); break;
      default: {
        std::vector<uint8_t> piece = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(1, 64));
        module.frame.Submit(piece.data(), piece.size());
      }
    }
  }
  module.frame.Unload();
}

}  // namespace korvane::fuzz
