// The display-message handler: applies every WUM_ screen message a module
// (or the client itself) sends to the screen model, draws through a
// Surface, and hands messages about the connection and the window to
// DisplayHooks. Messages a handler sends on (a cursor move past the region
// bottom scrolls, an erase of the screen erases a rectangle) run nested
// through Handle, as SendMessageA runs them on the window.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "attribute_table.h"
#include "display_messages.h"
#include "error_report.h"
#include "record_log.h"
#include "screen_model.h"
#include "terminal_definition.h"

namespace korvane {

// Where the handler draws. Coordinates are cells; the surface turns them
// into pixels with its own cell size. Every method may do nothing.
class Surface {
 public:
  virtual ~Surface() = default;
  // One run of characters written at (row, column) with an attribute-table
  // index; under double width each character covers two cells.
  virtual void DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) {
    (void)row, (void)column, (void)text, (void)count, (void)attributeIndex;
  }
  // Fills the cells' pixel area with a background colour index.
  virtual void FillCells(const CellRect& cells, int32_t background) { (void)cells, (void)background; }
  // Repaints buffer rows top..bottom from the model at once.
  virtual void RepaintRows(int top, int bottom) { (void)top, (void)bottom; }
  // Moves the pixels of whole rows top..bottom up by `lines` rows (down
  // when negative), as the model's lines just moved. False when it cannot;
  // the caller then repaints the whole screen.
  virtual bool MoveRows(int top, int bottom, int lines) { return (void)top, (void)bottom, (void)lines, false; }
  // The whole window is painted again later, erased first.
  virtual void InvalidateAll() {}
  virtual int CellWidth() const { return 8; }
  virtual int CellHeight() const { return 16; }
  // The caret: created hidden, shown at a cell, hidden, destroyed.
  virtual bool HasCaret() const { return false; }
  virtual void CreateCaret(int width, int height) { (void)width, (void)height; }
  virtual void DestroyCaret() {}
  virtual void ShowCaretAt(int row, int column) { (void)row, (void)column; }
  virtual void HideCaret() {}
  virtual void Beep() {}
};

// Messages about the connection and the window, and what a new grid means
// for the window. The defaults do nothing and return 0.
class DisplayHooks {
 public:
  virtual ~DisplayHooks() = default;
  virtual intptr_t Close(intptr_t lParam) { return (void)lParam, 0; }
  virtual intptr_t Connect() { return 0; }
  virtual intptr_t Socket(uintptr_t wParam, intptr_t lParam) { return (void)wParam, (void)lParam, 0; }
  virtual intptr_t Cancel() { return 0; }
  virtual intptr_t PlayInit() { return 0; }
  virtual intptr_t SendData(const unsigned char* bytes, int count) { return (void)bytes, (void)count, 0; }
  virtual intptr_t SendChar(int code) { return (void)code, 0; }
  virtual intptr_t Tile(int position, int count) { return (void)position, (void)count, 0; }
  virtual intptr_t EndScrollback() { return 0; }
  // Text for the host without the keyboard checks (WUM_SENDSCREEN).
  virtual void QueueThese(const char* text, int count) { (void)text, (void)count; }
  // After a resize of the grid: the window's size, the rows/columns/label
  // line menu marks, and the new size told to the host when connected.
  virtual void SizeWindowForGrid() {}
  virtual void UpdateGridMenuMarks() {}
  virtual void AnnounceWindowSize() {}
  virtual void KeyboardLockChanged(bool locked) { (void)locked; }
};

class Display {
 public:
  Display(ScreenModel& model, AttributeTable& attributes, RecordLog& log, ErrorReporter& errors);

  void SetSurface(Surface* surface) { surface_ = surface ? surface : &noSurface_; }
  void SetHooks(DisplayHooks* hooks) { hooks_ = hooks ? hooks : &noHooks_; }
  // Written text goes through the active map of these (none: unchanged).
  void SetCharacterMaps(const CharacterMaps* maps) { maps_ = maps; }

  // Screen messages are applied here; the connection and window messages
  // only pass through to the hooks.
  static bool IsScreenMessage(uint32_t message);
  // The result, or nothing for a message this handler does not know.
  std::optional<intptr_t> Handle(uint32_t message, uintptr_t wParam, intptr_t lParam);
  // A link that sends a module's messages straight into Handle.
  DisplayLink Link();

  // Window creation: default tab stops, auto-wrap and scroll-at-bottom on,
  // cursor ratio 2, the whole screen as scroll region.
  void InitialiseForWindow();
  // Makes attribute word 0 on the default colours current (entry 0).
  void ResetAttribute();
  void MakeCurrent(uint32_t index);

  // A new geometry (0 keeps rows or columns): the window follows, the menu
  // marks and the host are told, everything is painted again.
  void ResizeGrid(int rows, int columns, int statusLines);

  void FocusGained();
  void FocusLost();
  void PlaceCaret();  // shows the caret at the cursor when the window has it and it is visible

  int cursorRatio() const { return cursorRatio_; }
  int caretWidth() const { return caretWidth_; }
  int caretHeight() const { return caretHeight_; }
  bool keyboardLocked() const { return keyboardLocked_; }
  // While the scrollback view is shown, writes, scrolls and shifts draw nothing.
  bool scrollbackView = false;

  ScreenModel& model() { return model_; }
  AttributeTable& attributes() { return attributes_; }

 private:
  class CaretHider;
  // Every message but text and log pieces; out of line, so that Handle
  // stays small enough to be part of the link.
  [[gnu::noinline]] std::optional<intptr_t> HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
  std::optional<intptr_t> Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam);
  std::optional<intptr_t> DispatchOther(uint32_t message, uintptr_t wParam, intptr_t lParam);
  void EraseCells(int left, int top, int right, int bottom);

  // Cursor.
  void OnMoveCursor(uintptr_t wParam, intptr_t lParam);
  // A row or column of a cursor move, by the flags CURSOR_LIMIT and CURSOR_ORIGIN.
  int AddressedRow(uintptr_t row, intptr_t flags) const;
  int AddressedColumn(uintptr_t column, intptr_t flags) const;
  intptr_t QueryScreen(intptr_t what) const;
  void OnSetRowOrColumn(uintptr_t wParam, intptr_t lParam);
  void OnCursorLeft(intptr_t lParam);
  void OnCursorRight(uintptr_t wParam, intptr_t lParam);
  void OnCursorDown(uintptr_t wParam, intptr_t lParam);
  void OnCursorUp(uintptr_t wParam, intptr_t lParam);
  void OnCarriageReturn();
  void OnTab(uintptr_t wParam);
  void OnClearTab(uintptr_t wParam);
  void OnRestoreCursor(uintptr_t wParam);
  void OnSetCursor(intptr_t lParam);
  // Text and erasing.
  void OnWrite(uintptr_t wParam, intptr_t lParam);
  // Out of line, so that a run that fits needs none of its registers.
  [[gnu::noinline]] void WriteWrapping(const char* text, int count, bool doubleWidth);
  void WriteChunk(const char* text, int count, bool doubleWidth);
  void WrapToNextRow();
  void LogOutput(const char* text, int count);
  void OnEraseRect(uintptr_t wParam, intptr_t lParam);
  void OnClearEndOfScreen();
  void OnClearStartOfScreen();
  // Scrolling and editing.
  void OnScrollRect(uintptr_t wParam, intptr_t lParam);
  void RepaintAfterScroll(const CellRect& rect, int lines);
  void OnShiftRect(uintptr_t wParam, intptr_t lParam);
  void OnScrollRegion(intptr_t lParam);
  void OnInsertDeleteLines(intptr_t lParam, int sign);
  void OnInsertDeleteChars(intptr_t lParam, int sign);
  void OnSetScroll(uintptr_t wParam);
  // Attributes.
  void OnAttributes(uintptr_t wParam, intptr_t lParam);
  void OnSetColour(uintptr_t wParam, intptr_t lParam);
  void LogAttributeChange(uint32_t word, const ColourRecord* colours);
  // Geometry, pages and options.
  void OnSetPage(uintptr_t wParam);
  intptr_t OnSetOption(uintptr_t option, intptr_t lParam);
  void ShowStatusLine(bool show);
  void OnStatusText(intptr_t lParam);
  void OnStatusAttribute(intptr_t lParam);
  // Other.
  void OnSendScreen();
  void OnLog(uintptr_t wParam);

  ScreenModel& model_;
  AttributeTable& attributes_;
  RecordLog& log_;
  ErrorReporter& errors_;
  Surface noSurface_;
  DisplayHooks noHooks_;
  Surface* surface_ = &noSurface_;
  DisplayHooks* hooks_ = &noHooks_;
  const CharacterMaps* maps_ = nullptr;
  std::vector<char> scratch_;  // translated text of a chunk
  int caretDepth_ = 0;         // nesting of messages that hide the caret
  int cursorRatio_ = 0, caretWidth_ = 0, caretHeight_ = 0;
  bool keyboardLocked_ = false;
};

}  // namespace korvane
