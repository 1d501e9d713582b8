#include <algorithm>
#include <string>
#include <vector>

#include "emulator.h"

namespace korvane {

namespace {

class TestEmulator : public Emulator {
 public:
  explicit TestEmulator(const DisplayLink& link) : link_(link) {}

  void Submit(const unsigned char* bytes, int count) override {
    for (int i = 0; i < count; ++i) Byte(bytes[i]);
    FlushText();
  }

 private:
  void Byte(unsigned char c) {
    if (inSequence_) return SequenceByte(c);
    if (c >= 32 && c != 127) {
      text_ += static_cast<char>(c);
      return;
    }
    FlushText();
    switch (c) {
      case '\r': link_.Send(WUM_CARRIAGERETURN); break;
      case '\n': link_.Send(WUM_CURSORDOWN, 0, 1); break;
      case '\b': link_.Send(WUM_CURSORLEFT, 0, 1); break;
      case '\t': link_.Send(WUM_TAB, 1); break;
      case '\a': link_.Send(WUM_BEEP); break;
      case 0x1b:
        inSequence_ = true;
        params_.clear();
        bracket_ = false;
        break;
      default: break;
    }
  }

  void SequenceByte(unsigned char c) {
    if (!bracket_) {
      bracket_ = c == '[';
      inSequence_ = bracket_;
      return;
    }
    if (c >= '0' && c <= '9') {
      if (params_.empty()) params_.push_back(0);
      params_.back() = std::min(params_.back() * 10 + (c - '0'), 9999);
    } else if (c == ';') {
      if (params_.empty()) params_.push_back(0);
      params_.push_back(0);
    } else if (c >= 0x40 && c <= 0x7e) {
      inSequence_ = false;
      Final(static_cast<char>(c));
    }
  }

  int Param(size_t i, int fallback) const { return i < params_.size() && params_[i] > 0 ? params_[i] : fallback; }

  void Final(char c) {
    switch (c) {
      case 'H': case 'f':
        link_.Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(Param(1, 1) - 1), static_cast<uint32_t>(Param(0, 1) - 1)));
        break;
      case 'A': link_.Send(WUM_CURSORUP, 0, Param(0, 1)); break;
      case 'B': link_.Send(WUM_CURSORDOWN, 0, Param(0, 1)); break;
      case 'C': link_.Send(WUM_CURSORRIGHT, 0, Param(0, 1)); break;
      case 'D': link_.Send(WUM_CURSORLEFT, 0, Param(0, 1)); break;
      case 'J': {
        static const uint32_t kErase[] = {WUM_CLEAREOS, WUM_CLEARBOS, WUM_CLEARSCREEN};
        link_.Send(kErase[std::min(Param(0, 0), 2)]);
        break;
      }
      case 'K': {
        static const uint32_t kErase[] = {WUM_CLEAREOL, WUM_CLEARBOL, WUM_CLEARLINE};
        link_.Send(kErase[std::min(Param(0, 0), 2)]);
        break;
      }
      case 'L': link_.Send(WUM_INSERTLINES, 0, Param(0, 1)); break;
      case 'M': link_.Send(WUM_DELETELINES, 0, Param(0, 1)); break;
      case '@': link_.Send(WUM_INSERTCHARS, 0, Param(0, 1)); break;
      case 'P': link_.Send(WUM_DELETECHARS, 0, Param(0, 1)); break;
      case 'r':
        link_.Send(WUM_SETSCROLL, params_.empty() ? 0 : MakeLong(static_cast<uint32_t>(Param(0, 1) - 1),
                                                                  static_cast<uint32_t>(Param(1, 1) - 1)));
        break;
      case 'm': Rendition(); break;
      default: break;
    }
  }

  // SGR: 0 plain, 1 bold, 2 dim, 4 underline, 5 blink, 7 reverse, 8
  // invisible, 30-37 foreground, 40-47 background.
  void Rendition() {
    if (params_.empty()) params_.push_back(0);
    ColourRecord colours{0, 0, 0};
    for (int p : params_) {
      static const uint32_t kBits[9] = {0, ATTR_BOLD, ATTR_DIM, 0, ATTR_UNDERLINE, ATTR_BLINK, 0, ATTR_REVERSE,
                                        ATTR_INVISIBLE};
      if (p == 0) {
        word_ = 0;
        colours = ColourRecord{COLOUR_DEFAULT_BACKGROUND, COLOUR_DEFAULT_FOREGROUND, 3};
      } else if (p < 9) {
        word_ |= kBits[p];
      } else if (p >= 30 && p <= 37) {
        colours.foreground = p - 30;
        colours.which |= COLOUR_GIVES_FOREGROUND;
      } else if (p >= 40 && p <= 47) {
        colours.background = p - 40;
        colours.which |= COLOUR_GIVES_BACKGROUND;
      }
    }
    link_.Send(WUM_ATTRIBUTES, reinterpret_cast<uintptr_t>(&word_),
               colours.which ? reinterpret_cast<intptr_t>(&colours) : 0);
  }

  void FlushText() {
    if (text_.empty()) return;
    link_.Send(WUM_WRITE, reinterpret_cast<uintptr_t>(text_.data()), static_cast<intptr_t>(text_.size()));
    text_.clear();
  }

  DisplayLink link_;
  std::string text_;
  bool inSequence_ = false, bracket_ = false;
  std::vector<int> params_;
  uint32_t word_ = 0;
};

}  // namespace

std::unique_ptr<Emulator> MakeTestEmulator(const DisplayLink& link) { return std::make_unique<TestEmulator>(link); }

}  // namespace korvane
