#include "display_handler.h"

#include <algorithm>
#include <climits>
#include <string>

#include "screen_painter.h"
#include "text_util.h"

namespace korvane {

namespace {

int LowWord(uintptr_t value) { return static_cast<int>(value & 0xFFFFu); }
int HighWord(uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFFu); }
// wParam values the senders give as signed 32-bit numbers.
int Signed(uintptr_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }
int ToInt(intptr_t value) {
  return static_cast<int>(std::max<intptr_t>(INT_MIN, std::min<intptr_t>(INT_MAX, value)));
}
// A position modulo a grid dimension; a position already inside, the usual
// case, needs no division.
int Modulo(uintptr_t value, int dimension) {
  uintptr_t d = static_cast<uintptr_t>(dimension);
  return static_cast<int>(value < d ? value : value % d);
}
// A count where a value <= 0 means 1, limited to the grid dimension.
int CountOf(intptr_t value, int limit) { return value <= 0 ? 1 : std::min(ToInt(value), limit); }

template <typename T>
T* Pointer(uintptr_t value) {
  return reinterpret_cast<T*>(value);
}
template <typename T>
T* Pointer(intptr_t value) {
  return reinterpret_cast<T*>(value);
}
uintptr_t Param(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

// Messages that move the cursor or change text: the caret is hidden while
// they run and placed again when the outermost one ends.
bool HidesCaret(uint32_t message) {
  switch (message) {
    case WUM_SETCURSOR:
    case WUM_BEEP:
    case WUM_LOG:
    case WUM_SENDSCREEN:
    case WUM_ATTRIBUTES:
    case WUM_SETCOLOR:
    case WUM_SETTAB:
    case WUM_CLEARTAB:
    case WUM_SETSCROLL:
    case WUM_SAVECURSOR:
      return false;
    default:
      return true;
  }
}

const char* const kAttributeNames[] = {"BOLD\t",      "DIM\t",          "INVISIBLE\t",     "REVERSE\t",
                                       "UNDERLINE\t", "STRIKEOUT\t",    "BLINK\t",         "RAPIDBLINK\t",
                                       "ITALIC\t",    "DOUBLEHEIGHT\t", "DOUBLEWIDTH\t",   "BOTTOMHALF\t"};

}  // namespace

Display::Display(ScreenModel& model, AttributeTable& attributes, RecordLog& log, ErrorReporter& errors)
    : model_(model), attributes_(attributes), log_(log), errors_(errors) {}

bool Display::IsScreenMessage(uint32_t message) {
  switch (message) {
    case WUM_BEEP: case WUM_MOVECURSOR: case WUM_SCROLLRECT: case WUM_SHIFTRECT: case WUM_WRITE:
    case WUM_SETTAB: case WUM_CLEARTAB: case WUM_TAB: case WUM_ERASERECT: case WUM_CURSORLEFT:
    case WUM_CURSORDOWN: case WUM_CURSORUP: case WUM_CURSORRIGHT: case WUM_CLEARSCREEN:
    case WUM_CARRIAGERETURN: case WUM_INSERTCHARS: case WUM_CLEAREOS: case WUM_INSERTLINES:
    case WUM_DELETELINES: case WUM_DELETECHARS: case WUM_SCROLLREGION: case WUM_CLEAREOL:
    case WUM_SETCURSOR: case WUM_ATTRIBUTES: case WUM_LOG: case WUM_CLEARBOS: case WUM_CLEARBOL:
    case WUM_CLEARLINE: case WUM_SAVECURSOR: case WUM_RESTORECURSOR: case WUM_SETCOLOR:
    case WUM_SETOPTION: case WUM_RESIZE: case WUM_SETSCROLL: case WUM_SETPAGE: case WUM_SENDSCREEN:
    case WUM_SETROWORCOL:
      return true;
    default:
      return false;
  }
}

// Hides the caret for the outermost of nested messages that hide it, and
// places it again when that one ends.
class Display::CaretHider {
 public:
  CaretHider(Display& display, bool hides) : d_(display), active_(hides) {
    if (active_ && d_.caretDepth_++ == 0 && d_.surface_->HasCaret()) d_.surface_->HideCaret();
  }
  ~CaretHider() {
    if (active_ && --d_.caretDepth_ == 0) d_.PlaceCaret();
  }
  CaretHider(const CaretHider&) = delete;
  CaretHider& operator=(const CaretHider&) = delete;

 private:
  Display& d_;
  bool active_;
};

std::optional<intptr_t> Display::Handle(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  // Text is most of what modules send: it goes straight to its handler.
  if (message == WUM_WRITE) {
    if (model_.IsAllocated()) {
      CaretHider hider(*this, true);
      OnWrite(wParam, lParam);
    }
    return 0;
  }
  // A module logging the sequences it does not know sends many pieces; they
  // change nothing on the screen.
  if (message == WUM_LOG) {
    if (model_.IsAllocated()) OnLog(wParam);
    return 0;
  }
  return HandleMessage(message, wParam, lParam);
}

std::optional<intptr_t> Display::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!IsScreenMessage(message)) return DispatchOther(message, wParam, lParam);
  if (!model_.IsAllocated()) return 0;
  CaretHider hider(*this, HidesCaret(message));
  return Dispatch(message, wParam, lParam);
}

intptr_t Display::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  // Inside a message that hid the caret, a nested one neither hides nor
  // places it: only its effect remains to be had.
  if (caretDepth_ > 0 && IsScreenMessage(message)) return Dispatch(message, wParam, lParam).value_or(0);
  return Handle(message, wParam, lParam).value_or(0);
}

DisplayLink Display::Link() {
  DisplayLink link;
  link.target = this;
  link.send = [](void* target, uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
    auto* display = static_cast<Display*>(target);
    std::optional<intptr_t> result = display->Handle(message, wParam, lParam);
    if (result) return *result;
    if (message > WUM_USER)
      display->log_.Event("Unhandled WUM_USER window message: WUM_USER+%d\n", static_cast<int>(message - WUM_USER));
    return 0;
  };
  return link;
}

std::optional<intptr_t> Display::DispatchOther(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WUM_CLOSE: return hooks_->Close(lParam);
    case WUM_CONNECT: return hooks_->Connect();
    case WUM_SOCKET: return hooks_->Socket(wParam, lParam);
    case WUM_CANCEL: return hooks_->Cancel();
    case WUM_PLAYINIT: return hooks_->PlayInit();
    case WUM_SENDDATA: return hooks_->SendData(Pointer<const unsigned char>(wParam), ToInt(lParam));
    case WUM_SENDCHAR: return hooks_->SendChar(Signed(wParam));
    case WUM_TILE: return hooks_->Tile(Signed(wParam), ToInt(lParam));
    case WUM_ENDSCROLLBACK: return hooks_->EndScrollback();
    default: return std::nullopt;
  }
}

std::optional<intptr_t> Display::Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WUM_MOVECURSOR: OnMoveCursor(wParam, lParam); break;
    case WUM_SETROWORCOL: OnSetRowOrColumn(wParam, lParam); break;
    case WUM_CURSORLEFT: OnCursorLeft(lParam); break;
    case WUM_CURSORRIGHT: OnCursorRight(wParam, lParam); break;
    case WUM_CURSORDOWN: OnCursorDown(wParam, lParam); break;
    case WUM_CURSORUP: OnCursorUp(wParam, lParam); break;
    case WUM_CARRIAGERETURN: OnCarriageReturn(); break;
    case WUM_TAB: OnTab(wParam); break;
    case WUM_SETTAB: model_.SetTabStop(model_.cursorColumn(), true); break;
    case WUM_CLEARTAB: OnClearTab(wParam); break;
    case WUM_SAVECURSOR: model_.PushCursor(wParam != 0); break;
    case WUM_RESTORECURSOR: OnRestoreCursor(wParam); break;
    case WUM_SETCURSOR: OnSetCursor(lParam); break;
    case WUM_WRITE: OnWrite(wParam, lParam); break;
    case WUM_ERASERECT: OnEraseRect(wParam, lParam); break;
    case WUM_CLEARSCREEN: EraseCells(0, 0, model_.columns() - 1, model_.rows() - 1); break;
    case WUM_CLEAREOS: OnClearEndOfScreen(); break;
    case WUM_CLEARBOS: OnClearStartOfScreen(); break;
    case WUM_CLEAREOL: EraseCells(model_.cursorColumn(), model_.cursorRow(), model_.columns() - 1, model_.cursorRow()); break;
    case WUM_CLEARBOL: EraseCells(0, model_.cursorRow(), model_.cursorColumn(), model_.cursorRow()); break;
    case WUM_CLEARLINE: EraseCells(0, model_.cursorRow(), model_.columns() - 1, model_.cursorRow()); break;
    case WUM_SCROLLRECT: OnScrollRect(wParam, lParam); break;
    case WUM_SHIFTRECT: OnShiftRect(wParam, lParam); break;
    case WUM_SCROLLREGION: OnScrollRegion(lParam); break;
    case WUM_INSERTLINES: OnInsertDeleteLines(lParam, -1); break;
    case WUM_DELETELINES: OnInsertDeleteLines(lParam, 1); break;
    case WUM_INSERTCHARS: OnInsertDeleteChars(lParam, 1); break;
    case WUM_DELETECHARS: OnInsertDeleteChars(lParam, -1); break;
    case WUM_SETSCROLL: OnSetScroll(wParam); break;
    case WUM_ATTRIBUTES: OnAttributes(wParam, lParam); break;
    case WUM_SETCOLOR: OnSetColour(wParam, lParam); break;
    case WUM_RESIZE: ResizeGrid(LowWord(wParam), HighWord(wParam), model_.statusLines()); break;
    case WUM_SETPAGE: OnSetPage(wParam); break;
    case WUM_SETOPTION: return OnSetOption(wParam, lParam);
    case WUM_SENDSCREEN: OnSendScreen(); break;
    case WUM_BEEP: surface_->Beep(); break;
    case WUM_LOG: OnLog(wParam); break;
    default: return std::nullopt;
  }
  return 0;
}

// ---- start-up, attributes made current, caret ----

void Display::InitialiseForWindow() {
  model_.SetDefaultTabStops();
  model_.autoWrap = true;
  model_.scrollAtBottom = true;
  Send(WUM_SETCURSOR, 0, 2);
  model_.ResetRegion();
}

void Display::ResetAttribute() {
  uint32_t plain = 0;
  ColourRecord colours{attributes_.defaultBackground, attributes_.defaultForeground,
                       COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  model_.attribute = static_cast<uint32_t>(attributes_.ResolveAttribute(&plain, &colours));
}

void Display::MakeCurrent(uint32_t index) {
  attributes_.MakeAttributeCurrent(static_cast<int>(std::min<uint32_t>(index, INT_MAX)));
  model_.attribute = static_cast<uint32_t>(attributes_.currentIndex());
}

void Display::PlaceCaret() {
  if (caretDepth_ == 0 && surface_->HasCaret() && cursorRatio_ != 0)
    surface_->ShowCaretAt(model_.cursorRow(), model_.cursorColumn());
}

void Display::FocusGained() {
  surface_->CreateCaret(caretWidth_, caretHeight_);
  PlaceCaret();
}

void Display::FocusLost() {
  surface_->HideCaret();
  surface_->DestroyCaret();
}

void Display::OnSetCursor(intptr_t lParam) {
  // Tenths of the cell height: a caret never leaves its cell.
  cursorRatio_ = std::clamp(ToInt(lParam), 0, 10);
  caretWidth_ = surface_->CellWidth();
  caretHeight_ = cursorRatio_ * surface_->CellHeight() / 10;
  if (cursorRatio_ != 0) {
    caretWidth_ = std::max(caretWidth_, 2);
    caretHeight_ = std::max(caretHeight_, 2);
  }
  log_.Event("SETCURSOR: Ratio %d, Height %d\n", cursorRatio_, caretHeight_);
  if (!surface_->HasCaret()) return;
  surface_->DestroyCaret();
  surface_->CreateCaret(caretWidth_, caretHeight_);
  PlaceCaret();
}

// ---- cursor ----

void Display::OnMoveCursor(uintptr_t wParam, intptr_t lParam) {
  model_.MoveTo(AddressedRow(static_cast<uintptr_t>(HighWord(wParam)), lParam),
                AddressedColumn(static_cast<uintptr_t>(LowWord(wParam)), lParam));
  model_.pendingWrap = false;
}

// Without flags a position is taken modulo the grid; CURSOR_LIMIT stops it
// at the last row or column, CURSOR_ORIGIN counts rows inside the region.
int Display::AddressedRow(uintptr_t row, intptr_t flags) const {
  if (flags & CURSOR_ORIGIN) {
    uintptr_t height = static_cast<uintptr_t>(model_.regionBottom() - model_.regionTop());
    return model_.regionTop() + static_cast<int>(std::min(row, height));
  }
  if (flags & CURSOR_LIMIT) return static_cast<int>(std::min(row, static_cast<uintptr_t>(model_.rows() - 1)));
  return Modulo(row, model_.rows());
}

int Display::AddressedColumn(uintptr_t column, intptr_t flags) const {
  if (flags & CURSOR_LIMIT) return static_cast<int>(std::min(column, static_cast<uintptr_t>(model_.columns() - 1)));
  return Modulo(column, model_.columns());
}

void Display::OnSetRowOrColumn(uintptr_t wParam, intptr_t lParam) {
  intptr_t flags = lParam & (CURSOR_LIMIT | CURSOR_ORIGIN);
  if ((lParam & ~flags) != 0)
    model_.MoveTo(AddressedRow(wParam, flags), model_.cursorColumn());
  else
    model_.SetColumn(AddressedColumn(wParam, flags));
  model_.pendingWrap = false;
}

void Display::OnCursorLeft(intptr_t lParam) {
  model_.SetColumn(std::max(0, model_.cursorColumn() - CountOf(lParam, model_.columns())));
  model_.pendingWrap = false;
}

void Display::OnCursorRight(uintptr_t wParam, intptr_t lParam) {
  int count = CountOf(lParam, model_.columns());
  int column = model_.cursorColumn();
  model_.pendingWrap = false;
  if (wParam == 1) {  // host compatibility: stop at the last column
    model_.SetColumn(std::min(column + count, model_.columns() - 1));
  } else if (column + count > model_.columns() - 1) {
    Send(WUM_CARRIAGERETURN);
    Send(WUM_CURSORDOWN, 0, 1);
    model_.SetColumn(column + count - model_.columns());
  } else {
    model_.SetColumn(column + count);
  }
}

// Past the region bottom the region scrolls by the lines that overflow it
// (or, without scroll-at-bottom, the row wraps to the region top). A cursor
// already below the region only moves down to the last row. wParam 1 (host
// compatibility) stops on the region's bottom instead.
void Display::OnCursorDown(uintptr_t wParam, intptr_t lParam) {
  int count = CountOf(lParam, model_.rows());
  int row = model_.cursorRow(), top = model_.regionTop(), bottom = model_.regionBottom();
  int target = row + count;
  if (row > bottom) {
    target = std::min(target, model_.rows() - 1);
  } else if (wParam == 1) {
    target = std::min(target, bottom);
  } else if (target > bottom) {
    int overflow = target - bottom;
    if (model_.scrollAtBottom) {
      Send(WUM_SCROLLREGION, 0, overflow);
      target = bottom;
    } else {
      target = top + (overflow - 1) % (bottom - top + 1);
    }
  }
  Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(model_.cursorColumn()), static_cast<uint32_t>(target)));
}

// wParam -1 wraps to the region bottom, 1 scrolls the region down, anything
// else stops on the top row. A cursor above the region stops on row 0.
void Display::OnCursorUp(uintptr_t wParam, intptr_t lParam) {
  int count = CountOf(lParam, model_.rows());
  int row = model_.cursorRow(), top = model_.regionTop(), bottom = model_.regionBottom();
  int target = row - count;
  if (row < top) {
    target = std::max(target, 0);
  } else if (target < top) {
    int under = top - target;
    switch (Signed(wParam)) {
      case -1:
        target = bottom - (under - 1) % (bottom - top + 1);
        break;
      case 1:
        Send(WUM_SCROLLREGION, 0, -under);
        target = top;
        break;
      default:
        target = top;
        break;
    }
  }
  Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(model_.cursorColumn()), static_cast<uint32_t>(target)));
}

void Display::OnCarriageReturn() {
  model_.pendingWrap = false;
  if (model_.cursorColumn() != 0) Send(WUM_MOVECURSOR, MakeLong(0, static_cast<uint32_t>(model_.cursorRow())));
}

void Display::OnTab(uintptr_t wParam) {
  int count = Signed(wParam);
  if (count == 0) count = 1;
  Send(WUM_WRITE, 0, 0);
  int column = model_.cursorColumn();
  // At most one step per tab stop: a huge count ends when nothing moves.
  for (; count > 0; --count) {
    int next = model_.NextTabStop(column);
    if (next < 0) break;
    column = next;
  }
  for (; count < 0 && column > 0; ++count) column = std::max(model_.PreviousTabStop(column), 0);
  Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(column), static_cast<uint32_t>(model_.cursorRow())));
}

void Display::OnClearTab(uintptr_t wParam) {
  if (wParam == 1)
    model_.ClearAllTabStops();
  else
    model_.SetTabStop(model_.cursorColumn(), false);
}

void Display::OnRestoreCursor(uintptr_t wParam) {
  model_.PopCursor(wParam != 0);
  if (wParam != 0) MakeCurrent(model_.attribute);
  model_.pendingWrap = false;
}

// ---- text ----

void Display::OnWrite(uintptr_t wParam, intptr_t lParam) {
  const char* text = Pointer<const char>(wParam);
  int count = text ? ToInt(lParam) : 0;
  bool doubleWidth =
      attributes_.AnyFontHas(ATTR_DOUBLEWIDTH) && (attributes_.WordOf(model_.attribute) & ATTR_DOUBLEWIDTH) != 0;
  if (!doubleWidth && !model_.pendingWrap && count > 0 && model_.cursorColumn() + count < model_.columns()) {
    // The usual run: it fits before the row's end, so nothing wraps.
    WriteChunk(text, count, false);
    return;
  }
  WriteWrapping(text, count, doubleWidth);
}

void Display::WriteWrapping(const char* text, int count, bool doubleWidth) {
  int width = doubleWidth ? 2 : 1;
  const int columns = model_.columns();
  if (!model_.autoWrap) count = std::min(count, (columns - model_.cursorColumn()) / width);
  while (count > 0) {
    int column = model_.cursorColumn() + (model_.pendingWrap ? 1 : 0);
    model_.pendingWrap = false;
    // At the end of the row, or one cell short of it for a double-width
    // character: wrap first.
    if (column + width > columns) {
      if (model_.autoWrap) {
        WrapToNextRow();
        column = 0;
      } else {
        column = columns - 1;
      }
    }
    model_.SetColumn(column);
    int chunk = std::min(count, (columns - column) / width);
    if (chunk <= 0) break;  // a double-width character that cannot fit is dropped
    WriteChunk(text, chunk, doubleWidth);
    text += chunk;
    count -= chunk;
  }
}

void Display::WriteChunk(const char* text, int count, bool doubleWidth) {
  int row = model_.cursorRow(), column = model_.cursorColumn();
  if (log_.recordEvents) {
    log_.WriteText(Format("OUTPUT(%d,%d): ", row, column));
    LogOutput(text, count);
  }
  const uint8_t* map = maps_ ? maps_->Active() : nullptr;
  if (!doubleWidth) {
    // Translated straight into the cells, which then hold the run to draw.
    const char* cells = model_.StoreMapped(row, column, text, count, map, model_.attribute);
    if (!scrollbackView) surface_->DrawRun(row, column, cells, count, model_.attribute);
  } else {
    scratch_.assign(text, text + count);
    if (map)
      for (char& c : scratch_) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    model_.Store(row, column, scratch_.data(), count, model_.attribute, true);
    if (!scrollbackView) surface_->DrawRun(row, column, scratch_.data(), count, model_.attribute);
  }

  column += count * (doubleWidth ? 2 : 1);
  if (column < model_.columns()) {
    model_.SetColumn(column);
  } else if (model_.delayedWrap) {
    model_.pendingWrap = true;
    model_.SetColumn(model_.columns() - 1);
  } else if (model_.autoWrap) {
    WrapToNextRow();
  } else {
    model_.SetColumn(model_.columns() - 1);
  }
}

void Display::LogOutput(const char* text, int count) {
  std::string line;
  line.reserve(static_cast<size_t>(count) + 2);
  for (int i = 0; i < count; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ')
      line += '\x01';
    else if (c >= 33 && c <= 127)
      line += static_cast<char>(c);
    else
      line += Format(" [%d] ", c);
  }
  line += '\n';
  log_.WriteText(line);
}

// From the region bottom the region scrolls (or the cursor goes to row 0);
// a cursor below the region moves down until the last row.
void Display::WrapToNextRow() {
  int row = model_.cursorRow();
  if (row == model_.regionBottom()) {
    if (model_.scrollAtBottom)
      Send(WUM_SCROLLREGION, 0, 1);
    else
      row = 0;
  } else if (row < model_.rows() - 1) {
    ++row;
  } else if (!model_.scrollAtBottom) {
    row = 0;
  }
  model_.MoveTo(row, 0);
}

// ---- erasing ----

void Display::EraseCells(int left, int top, int right, int bottom) {
  CellRect rect{left, top, right, bottom};
  Send(WUM_ERASERECT, Param(&rect), 0);
}

void Display::OnEraseRect(uintptr_t wParam, intptr_t lParam) {
  const CellRect* given = Pointer<const CellRect>(wParam);
  model_.pendingWrap = false;
  if (!given) return;
  CellRect rect = *given;
  if (lParam != 0) {
    const long long row = model_.cursorRow(), column = model_.cursorColumn();
    rect.left = ScreenModel::WrapIndex(rect.left + column, model_.columns());
    rect.right = ScreenModel::WrapIndex(rect.right + column, model_.columns());
    rect.top = ScreenModel::WrapIndex(rect.top + row, model_.rows());
    rect.bottom = ScreenModel::WrapIndex(rect.bottom + row, model_.rows());
  }
  rect = model_.Normalise(rect);
  model_.Erase(rect);
  if (rect.left <= rect.right && rect.top <= rect.bottom) surface_->FillCells(rect, attributes_.currentBackground);
}

void Display::OnClearEndOfScreen() {
  int row = model_.cursorRow();
  const int last = model_.columns() - 1;
  if (model_.cursorColumn() != 0) {
    EraseCells(model_.cursorColumn(), row, last, row);
    ++row;
  }
  // From the last row there is nothing more below.
  if (row < model_.rows()) EraseCells(0, row, last, model_.rows() - 1);
}

void Display::OnClearStartOfScreen() {
  int row = model_.cursorRow();
  if (row != 0) EraseCells(0, 0, model_.columns() - 1, row - 1);
  EraseCells(0, row, model_.cursorColumn(), row);
}

// ---- scrolling and editing ----

void Display::OnScrollRect(uintptr_t wParam, intptr_t lParam) {
  const CellRect* rect = Pointer<const CellRect>(wParam);
  if (!rect) return;
  model_.ScrollRect(*rect, ToInt(lParam));
  if (!scrollbackView) RepaintAfterScroll(model_.Normalise(*rect), ToInt(lParam));
}

// Only the rows a scroll changed are drawn again, and a whole-width block
// moves its pixels instead of being drawn: the same picture as repainting
// the whole screen, which remains the way out when pixels cannot move.
void Display::RepaintAfterScroll(const CellRect& rect, int lines) {
  ScrollPlan plan = PlanScroll(rect, lines, model_.columns());
  if (plan.movePixels && !surface_->MoveRows(rect.top, rect.bottom, plan.lines)) {
    surface_->RepaintRows(0, model_.totalRows() - 1);
  } else if (plan.repaintTop <= plan.repaintBottom) {
    surface_->RepaintRows(plan.repaintTop, plan.repaintBottom);
  }
}

void Display::OnShiftRect(uintptr_t wParam, intptr_t lParam) {
  const CellRect* rect = Pointer<const CellRect>(wParam);
  model_.pendingWrap = false;
  if (!rect) return;
  model_.ShiftRect(*rect, ToInt(lParam));
  // A shift changes only the rectangle's rows.
  CellRect changed = model_.Normalise(*rect);
  if (!scrollbackView && lParam != 0 && changed.left <= changed.right && changed.top <= changed.bottom)
    surface_->RepaintRows(changed.top, changed.bottom);
}

void Display::OnScrollRegion(intptr_t lParam) {
  CellRect rect{0, model_.regionTop(), model_.columns() - 1, model_.regionBottom()};
  Send(WUM_SCROLLRECT, Param(&rect), lParam);
  model_.pendingWrap = false;
}

// sign -1 inserts (lines move down), +1 deletes.
void Display::OnInsertDeleteLines(intptr_t lParam, int sign) {
  int count = CountOf(lParam, model_.rows());
  int row = model_.cursorRow();
  // Below the region the bottom is the row count, which normalises to row 0:
  // an empty rectangle.
  int bottom = row > model_.regionBottom() ? model_.rows() : model_.regionBottom();
  CellRect rect{0, row, model_.columns() - 1, bottom};
  Send(WUM_SCROLLRECT, Param(&rect), sign * count);
  model_.pendingWrap = false;
}

// sign +1 inserts blanks at the cursor, -1 deletes characters there.
void Display::OnInsertDeleteChars(intptr_t lParam, int sign) {
  int count = CountOf(lParam, model_.columns());
  if (sign > 0) Send(WUM_WRITE, 0, 0);
  CellRect rect{model_.cursorColumn(), model_.cursorRow(), model_.columns() - 1, model_.cursorRow()};
  Send(WUM_SHIFTRECT, Param(&rect), sign * count);
}

void Display::OnSetScroll(uintptr_t wParam) {
  if (wParam == 0) {
    model_.ResetRegion();
  } else if (!model_.SetRegion(LowWord(wParam), HighWord(wParam))) {
    log_.Event("SETSCROLL parameters out of range!\n");
  }
}

// ---- attributes ----

void Display::OnAttributes(uintptr_t wParam, intptr_t lParam) {
  const uint32_t* word = Pointer<const uint32_t>(wParam);
  ColourRecord* colours = Pointer<ColourRecord>(lParam);
  if (log_.recordEvents && word) LogAttributeChange(*word, colours);
  model_.attribute = static_cast<uint32_t>(attributes_.ResolveAttribute(word, colours));
}

void Display::LogAttributeChange(uint32_t word, const ColourRecord* colours) {
  uint32_t current = attributes_.WordOf(model_.attribute);
  bool setForeground = colours && (colours->which & COLOUR_GIVES_FOREGROUND);
  bool setBackground = colours && (colours->which & COLOUR_GIVES_BACKGROUND);
  bool colourChanges = (setForeground && colours->foreground != attributes_.currentForeground) ||
                       (setBackground && colours->background != attributes_.currentBackground);
  if (word == current && !colourChanges) return;
  std::string line = "WUM_ATTRIBUTES\t";
  for (int bit = 0; bit < 12; ++bit)
    if (word & (1u << bit)) line += kAttributeNames[bit];
  if ((word ^ current) & ATTR_GRAPHICS) line += (word & ATTR_GRAPHICS) ? "GRAPHICS\t" : "NO GRAPHICS\t";
  if ((word ^ current) & ATTR_CHARSET_MASK)
    line += Format("CHAR SET %d\t", static_cast<int>((word & ATTR_CHARSET_MASK) >> ATTR_CHARSET_SHIFT));
  if (setForeground) line += Format("SET FG %d\t", colours->foreground);
  if (setBackground) line += Format("SET BG %d\t", colours->background);
  line += '\n';
  log_.WriteText(line);
}

void Display::OnSetColour(uintptr_t wParam, intptr_t lParam) {
  ColourRecord* colours = Pointer<ColourRecord>(lParam);
  if (!colours) return;  // the record is required
  log_.Event("WUM_SETCOLOR\n");
  if (colours->which & COLOUR_GIVES_FOREGROUND) log_.Event("SET FG %d\n", colours->foreground);
  if (colours->which & COLOUR_GIVES_BACKGROUND) log_.Event("SET BG %d\n", colours->background);
  model_.attribute = static_cast<uint32_t>(attributes_.ResolveAttribute(Pointer<const uint32_t>(wParam), colours));
  if ((colours->which & COLOUR_GIVES_BACKGROUND) && IsColourIndex(colours->background))
    attributes_.defaultBackground = colours->background;
  if ((colours->which & COLOUR_GIVES_FOREGROUND) && IsColourIndex(colours->foreground))
    attributes_.defaultForeground = colours->foreground;
}

// ---- geometry, pages, options ----

void Display::ResizeGrid(int rows, int columns, int statusLines) {
  log_.Event("Change screen size to %d x %d, %d\n", rows ? rows : model_.rows(), columns ? columns : model_.columns(),
             statusLines);
  if (!model_.Resize(rows, columns, statusLines)) return;
  hooks_->SizeWindowForGrid();
  hooks_->UpdateGridMenuMarks();
  hooks_->AnnounceWindowSize();
  surface_->InvalidateAll();
}

void Display::OnSetPage(uintptr_t wParam) {
  if (!model_.SwitchPage(Signed(wParam))) return;
  MakeCurrent(model_.attribute);
  surface_->InvalidateAll();
}

intptr_t Display::OnSetOption(uintptr_t option, intptr_t lParam) {
  switch (Signed(option)) {
    case OPTION_AUTOWRAP: model_.autoWrap = lParam != 0; break;
    case OPTION_STATUSLINE: ShowStatusLine(lParam != 0); break;
    case OPTION_STATUSTEXT: OnStatusText(lParam); break;
    case OPTION_QUERYSTATUS: return model_.HasStatusLine() ? 1 : 0;
    case OPTION_QUERYSCREEN: return QueryScreen(lParam);
    case OPTION_SCROLLATBOTTOM: model_.scrollAtBottom = lParam != 0; break;
    case OPTION_STATUSATTRIBUTE: OnStatusAttribute(lParam); break;
    case OPTION_MEMORYPAGES:
      log_.Event("Set memory pages to %d\n", ToInt(lParam));
      model_.SetMemoryPages(ToInt(lParam));
      break;
    case OPTION_KEYBOARDLOCK:
      keyboardLocked_ = lParam != 0;
      hooks_->KeyboardLockChanged(keyboardLocked_);
      break;
    default:
      if (log_.recordEvents) {
        errors_.SetErrorLocation(__FILE__, __LINE__);
        errors_.ErrorCall(kProgramError, 1201, 0, "Unhandled window option: %d\n", Signed(option));
      }
      break;
  }
  return 0;
}

intptr_t Display::QueryScreen(intptr_t what) const {
  auto packed = [](int low, int high) {
    return static_cast<intptr_t>(MakeLong(static_cast<uint32_t>(low), static_cast<uint32_t>(high)));
  };
  switch (what) {
    case QUERY_SIZE: return packed(model_.columns(), model_.rows());
    case QUERY_REGION: return packed(model_.regionTop(), model_.regionBottom());
    default: return packed(model_.cursorColumn(), model_.cursorRow());
  }
}

// 25, 43 and 50 rows give up a row to the status line and take it back;
// other counts keep their rows and the window grows or shrinks instead.
void Display::ShowStatusLine(bool show) {
  if (show == model_.HasStatusLine()) return;
  int rows = model_.rows();
  bool tall = rows == 25 || rows == 43 || rows == 50;
  int newRows = show ? (tall ? rows - 1 : rows) : (tall ? rows : rows + 1);
  ResizeGrid(newRows, model_.columns(), show ? 1 : 0);
}

void Display::OnStatusText(intptr_t lParam) {
  const StatusText* status = Pointer<const StatusText>(lParam);
  if (!status) return;
  if (!model_.HasStatusLine()) Send(WUM_SETOPTION, OPTION_STATUSLINE, 1);
  if (model_.SetStatusText(status->text, status->length)) surface_->RepaintRows(model_.rows(), model_.rows());
}

void Display::OnStatusAttribute(intptr_t lParam) {
  SavedCursor before{model_.cursorRow(), model_.cursorColumn(), model_.attribute};
  ColourRecord colours{attributes_.currentBackground, attributes_.currentForeground,
                       COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  int index = attributes_.ResolveAttribute(Pointer<const uint32_t>(lParam), &colours);
  model_.SetStatusAttributes(static_cast<uint32_t>(index));
  if (model_.HasStatusLine()) surface_->RepaintRows(model_.rows(), model_.rows());
  MakeCurrent(before.attribute);
  model_.MoveTo(before.row, before.column);
}

// ---- other ----

void Display::OnSendScreen() {
  for (int row = 0; row < model_.rows(); ++row)
    hooks_->QueueThese(model_.RowForDisplay(row, model_.scrollbackPosition()).text, model_.columns());
}

void Display::OnLog(uintptr_t wParam) {
  const char* text = Pointer<const char>(wParam);
  // Checked here as well: a module logging its sequences sends many pieces.
  if (text && log_.recordEvents) log_.Event("%s", text);
}

}  // namespace korvane
