#include "run_drawing.h"

#include <algorithm>

#include "client_app.h"
#include "font_files.h"

namespace korvane {

namespace {

int StyleKey(uint32_t word) {
  return ((word & ATTR_ITALIC) ? 1 : 0) | ((word & ATTR_UNDERLINE) ? 2 : 0) | ((word & ATTR_STRIKEOUT) ? 4 : 0);
}

int CellWidthPixels() { return std::max(1, App().cellWidth); }
int CellHeightPixels() { return std::max(1, App().cellHeight); }

}  // namespace

HFONT CreateCellFont(uint32_t word, bool doubled) {
  ClientApp& app = App();
  LOGFONTA wanted = {};
  wanted.lfHeight = app.cellHeight * (doubled && (word & ATTR_DOUBLEHEIGHT) ? 2 : 1);
  wanted.lfWidth = app.cellWidth * (doubled && (word & ATTR_DOUBLEWIDTH) ? 2 : 1);
  wanted.lfWeight = 400;
  wanted.lfItalic = (word & ATTR_ITALIC) != 0;
  wanted.lfUnderline = (word & ATTR_UNDERLINE) != 0;
  wanted.lfStrikeOut = (word & ATTR_STRIKEOUT) != 0;
  wanted.lfCharSet = OEM_CHARSET;
  // Serif and sans files share their face names; the serif files carry the
  // roman family bit, and asking for it keeps GDI from reusing a font it
  // made from the other family's files.
  wanted.lfPitchAndFamily = FIXED_PITCH | (app.fonts.serif ? FF_ROMAN : FF_DONTCARE);
  lstrcpynA(wanted.lfFaceName, kTypefaceNames[app.fonts.typeface == 1 ? 1 : 0], LF_FACESIZE);
  return CreateFontIndirectA(&wanted);
}

void GdiRunDrawer::Draw(HDC dc, const PaintedRun& run) {
  if (run.count <= 0 || run.cells <= 0) return;
  const int cw = CellWidthPixels(), ch = CellHeightPixels();
  RECT area = {run.column * cw, run.row * ch, (run.column + run.cells) * cw, (run.row + 1) * ch};
  const bool doubleWidth = (run.word & ATTR_DOUBLEWIDTH) != 0, doubleHeight = (run.word & ATTR_DOUBLEHEIGHT) != 0;
  if (!doubleWidth && !doubleHeight) {
    DrawCellText(dc, area, run, TableFont(run));
    return;
  }
  const int width = run.count * cw;
  HDC scratch = Scratch(dc, width, ch);
  if (!scratch) {  // no memory for the enlargement: the text at its own size
    DrawCellText(dc, area, run, NormalSizeFont(run.word));
    return;
  }
  RECT local = {0, 0, width, ch};
  DrawCellText(scratch, local, run, NormalSizeFont(run.word));
  // A double-height row shows the upper half of the text, or with the
  // bottom-half bit the lower half, each enlarged to the whole row.
  const int sourceHeight = doubleHeight ? ch / 2 : ch;
  const int sourceTop = doubleHeight && (run.word & ATTR_BOTTOMHALF) ? ch - sourceHeight : 0;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, area.left, area.top, width * (doubleWidth ? 2 : 1), ch, scratch, 0, sourceTop, width, sourceHeight,
             SRCCOPY);
  RestoreDC(dc, saved);
}

// Opaque text with every character on its own cell, clipped to the run.
void GdiRunDrawer::DrawCellText(HDC dc, const RECT& area, const PaintedRun& run, HFONT font) {
  advances_.assign(static_cast<size_t>(run.count), CellWidthPixels());
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(OEM_FIXED_FONT));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetTextColor(dc, run.textColour);
  SetBkColor(dc, run.backgroundColour);
  SetBkMode(dc, OPAQUE);
  ExtTextOutA(dc, area.left, area.top, ETO_OPAQUE | ETO_CLIPPED, &area, run.text, static_cast<UINT>(run.count),
              advances_.data());
  SelectObject(dc, old);
}

// The attribute's own font from the font table; one of normal size when
// the table has none for it.
HFONT GdiRunDrawer::TableFont(const PaintedRun& run) {
  const AttributeTable& table = App().attributes;
  size_t index = static_cast<size_t>(table.Entry(run.attributeIndex).fontIndex);
  if (index < table.fonts().size() && table.fonts()[index].handle)
    return reinterpret_cast<HFONT>(table.fonts()[index].handle);
  return NormalSizeFont(run.word);
}

HFONT GdiRunDrawer::NormalSizeFont(uint32_t word) {
  HFONT& font = normalSize_[StyleKey(word)];
  if (!font) font = CreateCellFont(word & (ATTR_ITALIC | ATTR_UNDERLINE | ATTR_STRIKEOUT), false);
  return font;
}

// A memory picture at least width x height, kept for the next run.
HDC GdiRunDrawer::Scratch(HDC like, int width, int height) {
  if (scratch_ && width <= scratchWidth_ && height <= scratchHeight_) return scratch_;
  int newWidth = std::max(width, scratchWidth_), newHeight = std::max(height, scratchHeight_);
  if (!scratch_ && !(scratch_ = CreateCompatibleDC(like))) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(like, newWidth, newHeight);
  if (!bitmap) return nullptr;
  HGDIOBJ old = SelectObject(scratch_, bitmap);
  if (scratchBitmap_) {
    DeleteObject(scratchBitmap_);
  } else {
    scratchOld_ = old;
  }
  scratchBitmap_ = bitmap;
  scratchWidth_ = newWidth;
  scratchHeight_ = newHeight;
  return scratch_;
}

void GdiRunDrawer::FontsChanged() {
  for (HFONT& font : normalSize_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
}

void GdiRunDrawer::Release() {
  FontsChanged();
  if (scratch_) {
    if (scratchOld_) SelectObject(scratch_, scratchOld_);
    DeleteDC(scratch_);
  }
  if (scratchBitmap_) DeleteObject(scratchBitmap_);
  scratch_ = nullptr;
  scratchBitmap_ = nullptr;
  scratchOld_ = nullptr;
  scratchWidth_ = scratchHeight_ = 0;
}

}  // namespace korvane
