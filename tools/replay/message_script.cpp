#include "message_script.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "text_util.h"

namespace korvane {

namespace {

enum class Form { Plain, Text, Rect, Attributes, Option };

struct MessageForm {
  const char* name;
  uint32_t message;
  Form form;
};

const MessageForm kForms[] = {
    {"CLOSE", WUM_CLOSE, Form::Plain},           {"CONNECT", WUM_CONNECT, Form::Plain},
    {"SOCKET", WUM_SOCKET, Form::Plain},         {"BEEP", WUM_BEEP, Form::Plain},
    {"MOVECURSOR", WUM_MOVECURSOR, Form::Plain}, {"SCROLLRECT", WUM_SCROLLRECT, Form::Rect},
    {"SHIFTRECT", WUM_SHIFTRECT, Form::Rect},    {"WRITE", WUM_WRITE, Form::Text},
    {"SETTAB", WUM_SETTAB, Form::Plain},         {"CLEARTAB", WUM_CLEARTAB, Form::Plain},
    {"TAB", WUM_TAB, Form::Plain},               {"ERASERECT", WUM_ERASERECT, Form::Rect},
    {"SENDDATA", WUM_SENDDATA, Form::Text},      {"CURSORLEFT", WUM_CURSORLEFT, Form::Plain},
    {"CURSORDOWN", WUM_CURSORDOWN, Form::Plain}, {"CURSORUP", WUM_CURSORUP, Form::Plain},
    {"CURSORRIGHT", WUM_CURSORRIGHT, Form::Plain}, {"CLEARSCREEN", WUM_CLEARSCREEN, Form::Plain},
    {"CARRIAGERETURN", WUM_CARRIAGERETURN, Form::Plain}, {"INSERTCHARS", WUM_INSERTCHARS, Form::Plain},
    {"CLEAREOS", WUM_CLEAREOS, Form::Plain},     {"INSERTLINES", WUM_INSERTLINES, Form::Plain},
    {"DELETELINES", WUM_DELETELINES, Form::Plain}, {"DELETECHARS", WUM_DELETECHARS, Form::Plain},
    {"SCROLLREGION", WUM_SCROLLREGION, Form::Plain}, {"CLEAREOL", WUM_CLEAREOL, Form::Plain},
    {"SETCURSOR", WUM_SETCURSOR, Form::Plain},   {"ATTRIBUTES", WUM_ATTRIBUTES, Form::Attributes},
    {"LOG", WUM_LOG, Form::Text},                {"CLEARBOS", WUM_CLEARBOS, Form::Plain},
    {"CLEARBOL", WUM_CLEARBOL, Form::Plain},     {"CLEARLINE", WUM_CLEARLINE, Form::Plain},
    {"SAVECURSOR", WUM_SAVECURSOR, Form::Plain}, {"RESTORECURSOR", WUM_RESTORECURSOR, Form::Plain},
    {"CANCEL", WUM_CANCEL, Form::Plain},         {"SETCOLOR", WUM_SETCOLOR, Form::Attributes},
    {"SETOPTION", WUM_SETOPTION, Form::Option},  {"PLAYINIT", WUM_PLAYINIT, Form::Plain},
    {"RESIZE", WUM_RESIZE, Form::Plain},         {"SETSCROLL", WUM_SETSCROLL, Form::Plain},
    {"SETPAGE", WUM_SETPAGE, Form::Plain},       {"SENDCHAR", WUM_SENDCHAR, Form::Plain},
    {"TILE", WUM_TILE, Form::Plain},             {"SENDSCREEN", WUM_SENDSCREEN, Form::Plain},
    {"SETROWORCOL", WUM_SETROWORCOL, Form::Plain}, {"ENDSCROLLBACK", WUM_ENDSCROLLBACK, Form::Plain},
};

const MessageForm* FormOf(uint32_t message) {
  for (const MessageForm& form : kForms)
    if (form.message == message) return &form;
  return nullptr;
}

const MessageForm* FormNamed(std::string_view name) {
  for (const MessageForm& form : kForms)
    if (EqualsNoCase(name, form.name)) return &form;
  return nullptr;
}

// Splits a line into words; a quoted word is unescaped and marked.
struct Word {
  std::string text;
  bool quoted;
};

bool Unescape(std::string_view line, size_t& i, std::string& out, std::string& error) {
  for (++i; i < line.size() && line[i] != '"'; ++i) {
    char c = line[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= line.size()) break;
    switch (line[i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'e': out += '\x1b'; break;
      case 'x': {
        if (i + 2 >= line.size() || !std::isxdigit(static_cast<unsigned char>(line[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(line[i + 2]))) {
          error = "bad \\x escape";
          return false;
        }
        out += static_cast<char>(std::strtol(std::string(line.substr(i + 1, 2)).c_str(), nullptr, 16));
        i += 2;
        break;
      }
      default: out += line[i]; break;
    }
  }
  if (i >= line.size()) {
    error = "unterminated quote";
    return false;
  }
  ++i;
  return true;
}

bool SplitWords(std::string_view line, std::vector<Word>& words, std::string& error) {
  size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == '"') {
      Word word{"", true};
      if (!Unescape(line, i, word.text, error)) return false;
      words.push_back(word);
    } else {
      size_t start = i;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
      words.push_back(Word{std::string(line.substr(start, i - start)), false});
    }
  }
  return true;
}

bool Number(const Word& word, long long& value) {
  if (word.quoted || word.text.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.text.c_str(), &end, 0);
  return *end == '\0';
}

std::string Quote(const char* text, size_t count) {
  std::string out = "\"";
  for (size_t i = 0; i < count; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\')
      out += std::string("\\") + static_cast<char>(c);
    else if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == 0x1b)
      out += "\\e";
    else if (c >= 32 && c < 127)
      out += static_cast<char>(c);
    else
      out += Format("\\x%02x", c);
  }
  return out + "\"";
}

}  // namespace

std::string MessageName(uint32_t message) {
  const MessageForm* form = FormOf(message);
  return form ? form->name : std::to_string(message);
}

bool ParseMessageLine(std::string_view line, ScriptMessage& out, std::string& error) {
  out = ScriptMessage{};
  std::vector<Word> words;
  if (!SplitWords(line, words, error)) return false;
  if (words.empty() || (!words[0].quoted && words[0].text[0] == '#')) return true;
  long long number = 0;
  const MessageForm* form = FormNamed(words[0].text);
  if (form) {
    out.message = form->message;
  } else if (Number(words[0], number) && number > 0 && number <= 0xFFFF) {
    out.message = static_cast<uint32_t>(number);
    form = FormOf(out.message);
  } else {
    error = "unknown message " + words[0].text;
    return false;
  }
  std::vector<long long> numbers;
  bool haveText = false;
  for (size_t i = 1; i < words.size(); ++i) {
    if (words[i].quoted && !haveText) {
      out.text = words[i].text;
      haveText = true;
    } else if (Number(words[i], number)) {
      numbers.push_back(number);
    } else {
      error = "bad parameter " + words[i].text;
      return false;
    }
  }
  auto at = [&](size_t i) { return i < numbers.size() ? numbers[i] : 0; };
  Form kind = form ? form->form : Form::Plain;
  // A message that takes a pointer always gets one of ours, never a number.
  if (kind == Form::Text) {
    out.points = ScriptMessage::Points::Text;
    out.lParam = static_cast<intptr_t>(out.text.size());
  } else if (kind == Form::Rect) {
    out.points = ScriptMessage::Points::Rect;
    out.rect = CellRect{static_cast<int32_t>(at(0)), static_cast<int32_t>(at(1)), static_cast<int32_t>(at(2)),
                        static_cast<int32_t>(at(3))};
    out.lParam = static_cast<intptr_t>(at(4));
  } else if (kind == Form::Attributes) {
    out.word = static_cast<uint32_t>(at(0));
    out.colours = ColourRecord{static_cast<int32_t>(at(1)), static_cast<int32_t>(at(2)), static_cast<int32_t>(at(3))};
    bool colours = numbers.size() >= 4 || out.message == WUM_SETCOLOR;
    out.points = colours ? ScriptMessage::Points::WordAndColours : ScriptMessage::Points::Word;
  } else if (kind == Form::Option && at(0) == OPTION_STATUSTEXT) {
    out.points = ScriptMessage::Points::StatusText;
    out.wParam = OPTION_STATUSTEXT;
  } else if (kind == Form::Option && at(0) == OPTION_STATUSATTRIBUTE) {
    out.points = ScriptMessage::Points::StatusWord;
    out.wParam = OPTION_STATUSATTRIBUTE;
    out.word = static_cast<uint32_t>(at(1));
  } else {
    out.wParam = static_cast<uintptr_t>(static_cast<intptr_t>(at(0)));
    out.lParam = static_cast<intptr_t>(at(1));
  }
  return true;
}

intptr_t SendScriptMessage(ScriptMessage& m, const DisplayLink& link) {
  using P = ScriptMessage::Points;
  auto pointer = [](const void* p) { return reinterpret_cast<uintptr_t>(p); };
  switch (m.points) {
    case P::Text: return link.Send(m.message, pointer(m.text.data()), m.lParam);
    case P::Rect: return link.Send(m.message, pointer(&m.rect), m.lParam);
    case P::Word: return link.Send(m.message, pointer(&m.word), 0);
    case P::WordAndColours:
      return link.Send(m.message, pointer(&m.word), static_cast<intptr_t>(pointer(&m.colours)));
    case P::StatusText:
      m.status = StatusText{m.text.data(), static_cast<int32_t>(m.text.size())};
      return link.Send(m.message, m.wParam, static_cast<intptr_t>(pointer(&m.status)));
    case P::StatusWord: return link.Send(m.message, m.wParam, static_cast<intptr_t>(pointer(&m.word)));
    case P::None: break;
  }
  return m.message ? link.Send(m.message, m.wParam, m.lParam) : 0;
}

std::string FormatMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const MessageForm* form = FormOf(message);
  std::string name = MessageName(message);
  Form kind = form ? form->form : Form::Plain;
  if (kind == Form::Text && wParam) {
    const char* text = reinterpret_cast<const char*>(wParam);
    size_t count = message == WUM_LOG ? std::string_view(text).size() : static_cast<size_t>(std::max<intptr_t>(lParam, 0));
    return name + " " + Quote(text, count);
  }
  if (kind == Form::Rect && wParam) {
    const CellRect& r = *reinterpret_cast<const CellRect*>(wParam);
    return Format("%s %d %d %d %d %ld", name.c_str(), r.left, r.top, r.right, r.bottom, static_cast<long>(lParam));
  }
  if (kind == Form::Attributes && wParam) {
    std::string line = Format("%s 0x%x", name.c_str(), *reinterpret_cast<const uint32_t*>(wParam));
    if (lParam) {
      const ColourRecord& c = *reinterpret_cast<const ColourRecord*>(lParam);
      line += Format(" %d %d %d", c.background, c.foreground, c.which);
    }
    return line;
  }
  if (kind == Form::Option && wParam == OPTION_STATUSTEXT && lParam) {
    const StatusText& s = *reinterpret_cast<const StatusText*>(lParam);
    return name + " 3 " + Quote(s.text ? s.text : "", s.text ? static_cast<size_t>(std::max(s.length, 0)) : 0);
  }
  if (kind == Form::Option && wParam == OPTION_STATUSATTRIBUTE && lParam)
    return Format("%s 6 0x%x", name.c_str(), *reinterpret_cast<const uint32_t*>(lParam));
  return Format("%s %ld %ld", name.c_str(), static_cast<long>(static_cast<intptr_t>(wParam)), static_cast<long>(lParam));
}

DisplayLink TracingLink::Link() {
  DisplayLink link;
  link.target = this;
  link.send = [](void* target, uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
    auto* tracing = static_cast<TracingLink*>(target);
    if (tracing->sink) tracing->sink(tracing->context, FormatMessage(message, wParam, lParam));
    return tracing->next.Send(message, wParam, lParam);
  };
  return link;
}

}  // namespace korvane
