// A display handler wired to a recording surface and recording hooks, on a
// freshly allocated screen, as the main window sets it up.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "client_test_support.h"
#include "display_handler.h"
#include "text_util.h"

namespace korvane::test {

// Records every drawing call as one line of text.
class RecordingSurface : public Surface {
 public:
  void DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) override {
    calls.push_back(Format("draw %d,%d \"%s\" a%u", row, column, std::string(text, static_cast<size_t>(count)).c_str(),
                           attributeIndex));
  }
  void FillCells(const CellRect& r, int32_t background) override {
    calls.push_back(Format("fill %d,%d-%d,%d bg%d", r.left, r.top, r.right, r.bottom, background));
  }
  void RepaintRows(int top, int bottom) override { calls.push_back(Format("repaint %d-%d", top, bottom)); }
  bool MoveRows(int top, int bottom, int lines) override {
    calls.push_back(Format("move %d-%d by %d", top, bottom, lines));
    return canMoveRows;
  }
  void InvalidateAll() override { calls.push_back("invalidate"); }
  bool HasCaret() const override { return hasCaret; }
  void CreateCaret(int width, int height) override {
    hasCaret = true;
    calls.push_back(Format("caret create %dx%d", width, height));
  }
  void DestroyCaret() override {
    hasCaret = false;
    calls.push_back("caret destroy");
  }
  void ShowCaretAt(int row, int column) override { calls.push_back(Format("caret show %d,%d", row, column)); }
  void HideCaret() override { calls.push_back("caret hide"); }
  void Beep() override { calls.push_back("beep"); }

  bool hasCaret = false;
  bool canMoveRows = true;
  std::vector<std::string> calls;
};

class RecordingHooks : public DisplayHooks {
 public:
  intptr_t Close(intptr_t lParam) override { return Note(Format("close %ld", static_cast<long>(lParam))); }
  intptr_t Connect() override { return Note("connect"); }
  intptr_t Socket(uintptr_t, intptr_t) override { return Note("socket"); }
  intptr_t Cancel() override { return Note("cancel"); }
  intptr_t PlayInit() override { return Note("playinit"); }
  intptr_t SendData(const unsigned char* bytes, int count) override {
    return Note("senddata " + std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count)));
  }
  intptr_t SendChar(int code) override { return Note(Format("sendchar %d", code)); }
  intptr_t Tile(int position, int count) override { return Note(Format("tile %d/%d", position, count)); }
  intptr_t EndScrollback() override { return Note("endscrollback"); }
  void QueueThese(const char* text, int count) override {
    Note("queue " + std::string(text, static_cast<size_t>(count)));
  }
  void SizeWindowForGrid() override { Note("size window"); }
  void UpdateGridMenuMarks() override { Note("menu marks"); }
  void AnnounceWindowSize() override { Note("announce"); }
  void KeyboardLockChanged(bool locked) override { Note(locked ? "locked" : "unlocked"); }

  intptr_t Note(const std::string& call) {
    calls.push_back(call);
    return 7;  // distinguishes a hook's answer from the handler's own 0
  }
  std::vector<std::string> calls;
};

struct DisplayFixture {
  explicit DisplayFixture(int rows = 24, int columns = 80, int statusLines = 0, int ringLines = 500) {
    model.Allocate(rows, columns, statusLines, ringLines);
    display.SetSurface(&surface);
    display.SetHooks(&hooks);
    display.ResetAttribute();
    display.InitialiseForWindow();
    surface.calls.clear();
  }

  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return display.Link().Send(message, wParam, lParam);
  }
  intptr_t SendPointer(uint32_t message, const void* wParam, intptr_t lParam = 0) {
    return Send(message, reinterpret_cast<uintptr_t>(wParam), lParam);
  }
  void Write(const std::string& text) {
    std::string copy = text;
    Send(WUM_WRITE, reinterpret_cast<uintptr_t>(copy.data()), static_cast<intptr_t>(copy.size()));
  }
  void MoveTo(int row, int column) {
    Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(column), static_cast<uint32_t>(row)));
  }
  void Attributes(uint32_t word) { SendPointer(WUM_ATTRIBUTES, &word, 0); }
  // The characters of a buffer row, the double-width filler shown as '~'.
  std::string Row(int row) const {
    std::string text(model.RowText(row), static_cast<size_t>(model.columns()));
    for (char& c : text)
      if (c == 0) c = '~';
    return text;
  }
  // The row without trailing blanks.
  std::string Trimmed(int row) const {
    std::string text = Row(row);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
  }
  std::pair<int, int> Cursor() const { return {model.cursorRow(), model.cursorColumn()}; }
  void EventLogOn() { client.log().recordEvents = true; }
  std::string LogText() const { return client.record.Text(); }

  ClientFixture client;
  ScreenModel model;
  AttributeTable attributes{client.log()};
  Display display{model, attributes, client.log(), client.errors};
  RecordingSurface surface;
  RecordingHooks hooks;
};

}  // namespace korvane::test
