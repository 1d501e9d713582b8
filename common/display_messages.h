// The private window messages through which the emulation modules (and the
// client itself) drive the terminal window, with their parameter records.
// Modules send them synchronously; every pointer parameter is owned by the
// sender and valid only during the call.
#pragma once

#include <cstdint>

namespace korvane {

inline constexpr uint32_t kWmUser = 0x0400;
inline constexpr uint32_t WUM_USER = kWmUser + 100;  // 1124

enum : uint32_t {
  WUM_CLOSE = WUM_USER + 1,
  WUM_CONNECT = WUM_USER + 2,
  WUM_SOCKET = WUM_USER + 3,
  WUM_BEEP = WUM_USER + 5,
  WUM_MOVECURSOR = WUM_USER + 6,
  WUM_SCROLLRECT = WUM_USER + 7,
  WUM_SHIFTRECT = WUM_USER + 8,
  WUM_WRITE = WUM_USER + 9,
  WUM_SETTAB = WUM_USER + 10,
  WUM_CLEARTAB = WUM_USER + 11,
  WUM_TAB = WUM_USER + 12,
  WUM_ERASERECT = WUM_USER + 13,
  WUM_SENDDATA = WUM_USER + 14,
  WUM_CURSORLEFT = WUM_USER + 15,
  WUM_CURSORDOWN = WUM_USER + 16,
  WUM_CURSORUP = WUM_USER + 17,
  WUM_CURSORRIGHT = WUM_USER + 18,
  WUM_CLEARSCREEN = WUM_USER + 19,
  WUM_CARRIAGERETURN = WUM_USER + 20,
  WUM_INSERTCHARS = WUM_USER + 21,
  WUM_CLEAREOS = WUM_USER + 22,
  WUM_INSERTLINES = WUM_USER + 23,
  WUM_DELETELINES = WUM_USER + 24,
  WUM_DELETECHARS = WUM_USER + 25,
  WUM_SCROLLREGION = WUM_USER + 26,
  WUM_CLEAREOL = WUM_USER + 27,
  WUM_SETCURSOR = WUM_USER + 28,
  WUM_ATTRIBUTES = WUM_USER + 29,
  WUM_LOG = WUM_USER + 30,
  WUM_CLEARBOS = WUM_USER + 31,
  WUM_CLEARBOL = WUM_USER + 32,
  WUM_CLEARLINE = WUM_USER + 33,
  WUM_SAVECURSOR = WUM_USER + 34,
  WUM_RESTORECURSOR = WUM_USER + 35,
  WUM_CANCEL = WUM_USER + 36,
  WUM_SETCOLOR = WUM_USER + 37,
  WUM_SETOPTION = WUM_USER + 38,
  WUM_PLAYINIT = WUM_USER + 39,
  WUM_RESIZE = WUM_USER + 40,
  WUM_SETSCROLL = WUM_USER + 41,
  WUM_SETPAGE = WUM_USER + 42,
  WUM_SENDCHAR = WUM_USER + 43,
  WUM_TILE = WUM_USER + 44,
  WUM_SENDSCREEN = WUM_USER + 45,
  WUM_SETROWORCOL = WUM_USER + 46,
  WUM_ENDSCROLLBACK = WUM_USER + 47,
};

// WUM_SETOPTION options.
enum : uint32_t {
  OPTION_AUTOWRAP = 1,
  OPTION_STATUSLINE = 2,
  OPTION_STATUSTEXT = 3,
  OPTION_QUERYSTATUS = 4,
  OPTION_SCROLLATBOTTOM = 5,
  OPTION_STATUSATTRIBUTE = 6,
  OPTION_MEMORYPAGES = 7,
  OPTION_KEYBOARDLOCK = 8,
  // Host compatibility: returns what lParam asks for (QUERY_*), packed as
  // MakeLong does.
  OPTION_QUERYSCREEN = 9,
};

// Host compatibility: the extension of the display messages that a module
// sends only when its terminal type has HostCompatibility on. Today's hosts
// address the cursor past the screen's edge and expect it to stop there;
// the messages' own rules take positions modulo the grid and wrap.
//  - WUM_MOVECURSOR lParam and WUM_SETROWORCOL lParam carry CURSOR_LIMIT
//    and CURSOR_ORIGIN (bit 0 of WUM_SETROWORCOL's lParam still picks the row).
//  - WUM_CURSORRIGHT wParam 1: stop at the last column instead of wrapping.
//  - WUM_CURSORDOWN wParam 1: stop at the region's bottom instead of scrolling.
//  - WUM_SETOPTION OPTION_QUERYSCREEN: the cursor, the grid or the region.
enum : int32_t {
  CURSOR_LIMIT = 2,   // a position past the grid is its last row or column
  CURSOR_ORIGIN = 4,  // the row counts from the region's top and stays inside it
};
enum : int32_t {
  QUERY_CURSOR = 0,  // MakeLong(column, row)
  QUERY_SIZE = 1,    // MakeLong(columns, rows)
  QUERY_REGION = 2,  // MakeLong(top row, bottom row)
};

// Bits of the attribute word.
enum : uint32_t {
  ATTR_BOLD = 1u << 0,
  ATTR_DIM = 1u << 1,
  ATTR_INVISIBLE = 1u << 2,
  ATTR_REVERSE = 1u << 3,
  ATTR_UNDERLINE = 1u << 4,
  ATTR_STRIKEOUT = 1u << 5,
  ATTR_BLINK = 1u << 6,
  ATTR_RAPIDBLINK = 1u << 7,
  ATTR_ITALIC = 1u << 8,
  ATTR_DOUBLEHEIGHT = 1u << 9,
  ATTR_DOUBLEWIDTH = 1u << 10,
  ATTR_BOTTOMHALF = 1u << 11,
  ATTR_GRAPHICS = 1u << 12,
  ATTR_CHARSET_SHIFT = 13,
  ATTR_CHARSET_MASK = 0xFu << 13,
};

// Colour indices of the colour table.
enum : int32_t {
  COLOUR_DEFAULT_FOREGROUND = 16,
  COLOUR_DEFAULT_BACKGROUND = 17,
  COLOUR_DIM = 18,
  COLOUR_REVERSE_DIM = 19,
  COLOUR_BOLD = 20,
  COLOUR_REVERSE_BOLD = 21,
  COLOUR_COUNT = 22,
};

// True for indices of the 22-entry colour table.
inline bool IsColourIndex(int32_t index) { return index >= 0 && index < COLOUR_COUNT; }

// {left column, top row, right column, bottom row}, inclusive; -1 is the last.
struct CellRect {
  int32_t left, top, right, bottom;
};

enum : int32_t { COLOUR_GIVES_BACKGROUND = 1, COLOUR_GIVES_FOREGROUND = 2 };

struct ColourRecord {
  int32_t background, foreground, which;
};

// lParam of WUM_SETOPTION 3.
struct StatusText {
  const char* text;
  int32_t length;
};

// Where a module's display messages go. On Windows `target` is the window and
// `send` calls SendMessageA; in tests it is a recorder or the client's own
// display handler.
struct DisplayLink {
  intptr_t (*send)(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) = nullptr;
  void* target = nullptr;

  intptr_t Send(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0) const {
    return send && target ? send(target, msg, wParam, lParam) : 0;
  }
};

// Packs two 16-bit halves the way MAKELONG does.
inline uintptr_t MakeLong(uint32_t low, uint32_t high) {
  return static_cast<uintptr_t>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

}  // namespace korvane
