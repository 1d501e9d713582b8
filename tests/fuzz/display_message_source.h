// Turns a stream of bytes into display messages with well-formed pointer
// parameters (every buffer the message names exists for the call) and any
// values at all in them: shared by the fuzz target and the property test.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "display_handler.h"

namespace korvane::fuzz {

class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // Mostly small signed numbers, sometimes the edges of the ranges.
  int32_t Number() {
    static const int32_t kEdges[] = {0, -1, 1, -2, INT_MIN, INT_MAX, 65535, 65536, 132, 256, 511, 512};
    uint8_t pick = Byte();
    if (pick < 32) return kEdges[pick % (sizeof kEdges / sizeof kEdges[0])];
    if (pick < 48) return static_cast<int32_t>(Byte() | Byte() << 8 | Byte() << 16 | static_cast<uint32_t>(Byte()) << 24);
    return static_cast<int32_t>(Byte()) - 100 + (pick & 0x0F) * 20;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Sends one message chosen by the bytes; returns false when they are used up.
inline bool SendOneMessage(ByteSource& in, const DisplayLink& link) {
  if (in.Done()) return false;
  uint32_t message = WUM_USER + in.Byte() % 50;
  uintptr_t wParam = static_cast<uintptr_t>(static_cast<intptr_t>(in.Number()));
  intptr_t lParam = in.Number();
  switch (message) {
    case WUM_WRITE: {
      std::string text(in.Byte() * 2u, '\0');
      for (char& c : text) c = static_cast<char>(in.Byte());
      link.Send(message, reinterpret_cast<uintptr_t>(text.data()), static_cast<intptr_t>(text.size()));
      return true;
    }
    case WUM_ERASERECT:
    case WUM_SCROLLRECT:
    case WUM_SHIFTRECT: {
      CellRect rect{in.Number(), in.Number(), in.Number(), in.Number()};
      link.Send(message, reinterpret_cast<uintptr_t>(&rect), lParam);
      return true;
    }
    case WUM_ATTRIBUTES:
    case WUM_SETCOLOR: {
      uint32_t word = static_cast<uint32_t>(in.Number());
      ColourRecord colours{in.Number(), in.Number(), in.Number()};
      bool withColours = in.Byte() & 1;
      link.Send(message, reinterpret_cast<uintptr_t>(&word), withColours ? reinterpret_cast<intptr_t>(&colours) : 0);
      return true;
    }
    case WUM_SETOPTION: {
      uint32_t option = in.Byte() % 10;
      std::string text(in.Byte(), 'S');
      StatusText status{text.data(), static_cast<int32_t>(in.Byte() % (text.size() + 1))};
      uint32_t word = static_cast<uint32_t>(in.Number());
      if (option == OPTION_STATUSTEXT)
        lParam = reinterpret_cast<intptr_t>(&status);
      else if (option == OPTION_STATUSATTRIBUTE)
        lParam = reinterpret_cast<intptr_t>(&word);
      link.Send(message, option, lParam);
      return true;
    }
    case WUM_LOG: {
      link.Send(message, reinterpret_cast<uintptr_t>("module log line\n"), 0);
      return true;
    }
    case WUM_SENDDATA: {
      const char bytes[] = "data";
      link.Send(message, reinterpret_cast<uintptr_t>(bytes), 4);
      return true;
    }
    default:
      link.Send(message, wParam, lParam);
      return true;
  }
}

}  // namespace korvane::fuzz
