#include "module_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "text_util.h"

namespace korvane::test {

namespace {

const std::map<std::string, uint8_t, std::less<>>& ControlNames() {
  static const std::map<std::string, uint8_t, std::less<>> names = {
      {"NUL", 0},  {"SOH", 1},  {"STX", 2},  {"ETX", 3},  {"EOT", 4},  {"ENQ", 5},  {"ACK", 6},  {"BEL", 7},
      {"BS", 8},   {"HT", 9},   {"LF", 10},  {"VT", 11},  {"FF", 12},  {"CR", 13},  {"SO", 14},  {"SI", 15},
      {"DLE", 16}, {"DC1", 17}, {"DC2", 18}, {"DC3", 19}, {"DC4", 20}, {"NAK", 21}, {"SYN", 22}, {"ETB", 23},
      {"CAN", 24}, {"EM", 25},  {"SUB", 26}, {"ESC", 27}, {"FS", 28},  {"GS", 29},  {"RS", 30},  {"US", 31},
      {"SP", 32},  {"DEL", 127},
  };
  return names;
}

const char* AttributeName(int bit) {
  static const char* const names[] = {"BOLD",   "DIM",          "INVISIBLE",   "REVERSE",    "UNDERLINE",
                                      "STRIKEOUT", "BLINK",     "RAPIDBLINK",  "ITALIC",     "DOUBLEHEIGHT",
                                      "DOUBLEWIDTH", "BOTTOMHALF", "GRAPHICS"};
  return names[bit];
}

std::string DescribeAttributes(uint32_t word) {
  std::string text;
  for (int bit = 0; bit <= 12; ++bit)
    if (word & (1u << bit)) text += std::string(text.empty() ? "" : "|") + AttributeName(bit);
  if (uint32_t set = (word & ATTR_CHARSET_MASK) >> ATTR_CHARSET_SHIFT)
    text += (text.empty() ? "" : "|") + Format("CHARSET%u", set);
  return text.empty() ? "0" : text;
}

std::string DescribeColours(const ColourRecord* colours) {
  if (!colours) return "";
  std::string text;
  if (colours->which & COLOUR_GIVES_FOREGROUND) text += Format(" fg=%d", colours->foreground);
  if (colours->which & COLOUR_GIVES_BACKGROUND) text += Format(" bg=%d", colours->background);
  if (colours->which & ~3) text += Format(" which=%d", colours->which);
  return text;
}

const char* MessageName(uint32_t msg) {
  static const std::map<uint32_t, const char*> names = {
      {WUM_BEEP, "BEEP"},           {WUM_MOVECURSOR, "MOVECURSOR"},       {WUM_WRITE, "WRITE"},
      {WUM_SETTAB, "SETTAB"},       {WUM_CLEARTAB, "CLEARTAB"},           {WUM_TAB, "TAB"},
      {WUM_ERASERECT, "ERASERECT"}, {WUM_SENDDATA, "SENDDATA"},           {WUM_CURSORLEFT, "CURSORLEFT"},
      {WUM_CURSORDOWN, "CURSORDOWN"}, {WUM_CURSORUP, "CURSORUP"},         {WUM_CURSORRIGHT, "CURSORRIGHT"},
      {WUM_CLEARSCREEN, "CLEARSCREEN"}, {WUM_CARRIAGERETURN, "CARRIAGERETURN"},
      {WUM_INSERTCHARS, "INSERTCHARS"}, {WUM_CLEAREOS, "CLEAREOS"},       {WUM_INSERTLINES, "INSERTLINES"},
      {WUM_DELETELINES, "DELETELINES"}, {WUM_DELETECHARS, "DELETECHARS"}, {WUM_SCROLLREGION, "SCROLLREGION"},
      {WUM_CLEAREOL, "CLEAREOL"},   {WUM_SETCURSOR, "SETCURSOR"},         {WUM_ATTRIBUTES, "ATTRIBUTES"},
      {WUM_LOG, "LOG"},             {WUM_CLEARBOS, "CLEARBOS"},           {WUM_CLEARBOL, "CLEARBOL"},
      {WUM_CLEARLINE, "CLEARLINE"}, {WUM_SAVECURSOR, "SAVECURSOR"},       {WUM_RESTORECURSOR, "RESTORECURSOR"},
      {WUM_SETCOLOR, "SETCOLOR"},   {WUM_SETOPTION, "SETOPTION"},         {WUM_RESIZE, "RESIZE"},
      {WUM_SETSCROLL, "SETSCROLL"}, {WUM_SETPAGE, "SETPAGE"},             {WUM_SENDCHAR, "SENDCHAR"},
      {WUM_SENDSCREEN, "SENDSCREEN"}, {WUM_SETROWORCOL, "SETROWORCOL"},
  };
  auto it = names.find(msg);
  return it == names.end() ? "UNKNOWN" : it->second;
}

}  // namespace

std::vector<uint8_t> Bytes(std::string_view tokens) {
  std::vector<uint8_t> bytes;
  size_t at = 0;
  while (at < tokens.size()) {
    if (tokens[at] == ' ') {
      ++at;
      continue;
    }
    size_t end = tokens.find(' ', at);
    std::string_view token = tokens.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? tokens.size() : end;
    auto named = ControlNames().find(token);
    if (named != ControlNames().end()) {
      bytes.push_back(named->second);
    } else if (token.size() == 4 && token[0] == '\\' && token[1] == 'x') {
      bytes.push_back(static_cast<uint8_t>(std::strtoul(std::string(token.substr(2)).c_str(), nullptr, 16)));
    } else {
      bytes.insert(bytes.end(), token.begin(), token.end());
    }
  }
  return bytes;
}

std::string Quote(const void* data, size_t count) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::string text = "\"";
  for (size_t i = 0; i < count; ++i) {
    uint8_t b = bytes[i];
    if (b == '"' || b == '\\')
      text += std::string("\\") + static_cast<char>(b);
    else if (b == '\n')
      text += "\\n";
    else if (b >= 32 && b < 127)
      text += static_cast<char>(b);
    else
      text += Format("\\x%02x", b);
  }
  return text + "\"";
}

intptr_t MessageRecorder::Receive(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  return static_cast<MessageRecorder*>(target)->Record(msg, wParam, lParam);
}

void MessageRecorder::FlushLog() {
  if (pendingLog_.empty()) return;
  lines_.push_back("LOG " + Quote(pendingLog_.data(), pendingLog_.size()));
  pendingLog_.clear();
}

void MessageRecorder::Add(std::string line) {
  FlushLog();
  lines_.push_back(std::move(line));
}

std::vector<std::string> MessageRecorder::Take() {
  FlushLog();
  std::vector<std::string> taken;
  taken.swap(lines_);
  return taken;
}

intptr_t MessageRecorder::Record(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  std::string name = MessageName(msg);
  auto* colours = reinterpret_cast<const ColourRecord*>(lParam);
  switch (msg) {
    case WUM_LOG:
      // Pieces of one line arrive as separate messages: one line per "\n".
      ++logMessages;
      pendingLog_ += reinterpret_cast<const char*>(wParam);
      if (!pendingLog_.empty() && pendingLog_.back() == '\n') FlushLog();
      return 0;
    case WUM_WRITE:
    case WUM_SENDDATA:
      Add(name + " " + Quote(reinterpret_cast<const void*>(wParam), static_cast<size_t>(lParam)));
      return 0;
    case WUM_MOVECURSOR:
    case WUM_SETSCROLL:
    case WUM_RESIZE:
      // Packed: low word column / top / rows, high word row / bottom / columns.
      if (msg == WUM_MOVECURSOR)
        Add(Format("%s %u %u", name.c_str(), unsigned((wParam >> 16) & 0xFFFF), unsigned(wParam & 0xFFFF)));
      else
        Add(Format("%s %u %u", name.c_str(), unsigned(wParam & 0xFFFF), unsigned((wParam >> 16) & 0xFFFF)));
      if (lParam) lines_.back() += Format(" lParam=%ld", long(lParam));
      return 0;
    case WUM_ATTRIBUTES:
    case WUM_SETCOLOR:
      Add(name + " " + DescribeAttributes(*reinterpret_cast<const uint32_t*>(wParam)) + DescribeColours(colours));
      return 0;
    case WUM_ERASERECT: {
      auto* rect = reinterpret_cast<const CellRect*>(wParam);
      Add(Format("ERASERECT %d %d %d %d", rect->left, rect->top, rect->right, rect->bottom) +
          (lParam ? " relative" : ""));
      return 0;
    }
    case WUM_SETOPTION:
      if (wParam == OPTION_STATUSTEXT) {
        auto* status = reinterpret_cast<const StatusText*>(lParam);
        Add("SETOPTION 3 " + Quote(status->text, static_cast<size_t>(status->length)));
        return 0;
      }
      if (wParam == OPTION_STATUSATTRIBUTE) {
        Add("SETOPTION 6 " + DescribeAttributes(*reinterpret_cast<const uint32_t*>(lParam)));
        return 0;
      }
      Add(Format("SETOPTION %lu %ld", static_cast<unsigned long>(wParam), static_cast<long>(lParam)));
      if (wParam == OPTION_QUERYSCREEN && lParam >= QUERY_CURSOR && lParam <= QUERY_REGION) {
        const int* pair = screen + 2 * lParam;  // row first, as the grid is read
        return static_cast<intptr_t>(lParam == QUERY_REGION ? MakeLong(pair[0], pair[1]) : MakeLong(pair[1], pair[0]));
      }
      return wParam == OPTION_QUERYSTATUS ? statusShown : 0;
    default:
      if (wParam == 0 && lParam == 0)
        Add(name);
      else
        Add(Format("%s %ld %ld", name.c_str(), static_cast<long>(wParam), static_cast<long>(lParam)));
      return 0;
  }
}

bool FakePrinterPort::DefaultDeviceProfile(std::string& value) {
  value = device;
  return !device.empty();
}

bool FakePrinterPort::EnumerateDefaultPrinter(std::string& name) {
  name = device.substr(0, device.find(','));
  return !enumerateFails && !device.empty();
}

bool FakePrinterPort::Open(const std::string& name) {
  recorder_.Add("PRINTER open " + name);
  if (openFails) return false;
  open = true;
  ++opens;
  return true;
}

bool FakePrinterPort::StartDocument(int level) {
  recorder_.Add(Format("PRINTER start level %d", level));
  if (startFails) lastError_ = 1804;
  return !startFails;
}

bool FakePrinterPort::Write(const uint8_t* bytes, size_t count, size_t& written) {
  if (!open) {
    lastError_ = 6;
    return false;
  }
  recorder_.Add("PRINTER " + Quote(bytes, count));
  writes.push_back(count);
  written = count;
  return true;
}

void FakePrinterPort::Close() {
  recorder_.Add("PRINTER close");
  open = false;
  ++closes;
}

void ModuleHarness::Wire(ModuleFrame& frame, bool logUnrecognised, bool attach) {
  frame_ = &frame;
  frame.link = recorder.Link();
  frame.link.target = nullptr;
  frame.printer.initFile = "/nonexistent/printerinit.txt";
  if (attach) Attach(logUnrecognised);
}

void ModuleHarness::Attach(bool logUnrecognised) {
  TermInfo info = {};
  info.flags = logUnrecognised ? TERMINFO_LOG_UNRECOGNISED : 0;
  frame_->Init(nullptr, &info, nullptr);
  frame_->Init(&recorder, nullptr, nullptr);
}

void ModuleHarness::Submit(std::string_view tokens) { SubmitBytes(Bytes(tokens)); }

void ModuleHarness::SubmitBytes(const std::vector<uint8_t>& bytes) { frame_->Submit(bytes.data(), bytes.size()); }

}  // namespace korvane::test
