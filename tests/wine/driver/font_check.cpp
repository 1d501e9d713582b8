// kvfontcheck: proves that Windows takes the client's font files as they
// are meant: each file is added, CreateFontIndirectA with the OEM character
// set and the face name selects exactly that face at exactly its cell, and
// every glyph GDI draws is the glyph in the file. (GDI under Wine does not
// scale bitmap fonts, so doubled text is not checked here: the client
// stretches it itself.) Also draws every face and
// size into one picture for checking by eye.
//
//   kvfontcheck.exe FONTDIR REPORT.txt SHEET.bmp
// Writes "ok"/"not ok" lines and "N passed, N failed" to the report; the exit
// code is the number of failures.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_file.h"
#include "fnt_file.h"
#include "font_files.h"

namespace {

using korvane::fontgen::FntFont;

struct Report {
  std::FILE* out;
  int passed = 0, failed = 0;
  void Check(bool ok, const std::string& what) {
    ok ? ++passed : ++failed;
    std::fprintf(out, "%s - %s\n", ok ? "ok" : "not ok", what.c_str());
  }
};

// Serif and sans files share their face names; the family bits keep GDI
// from handing back a font it made from the other family's files.
bool g_serif = false;

HFONT MakeFont(int height, int width, int typeface) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfWeight = 400;
  lf.lfCharSet = OEM_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | (g_serif ? FF_ROMAN : FF_DONTCARE);
  lstrcpynA(lf.lfFaceName, korvane::kTypefaceNames[typeface], LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// The face and metrics GDI gives for a cell request.
void CheckSelection(Report& r, HDC dc, int w, int h, int typeface, const std::string& name) {
  HFONT font = MakeFont(h, w, typeface);
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  r.Check(lstrcmpA(face, korvane::kTypefaceNames[typeface]) == 0, name + " selects face \"" + face + "\"");
  r.Check(tm.tmHeight == h && tm.tmAveCharWidth == w && tm.tmMaxCharWidth == w,
          name + " cell " + std::to_string(tm.tmAveCharWidth) + "x" + std::to_string(tm.tmHeight) + " max " +
              std::to_string(tm.tmMaxCharWidth));
  r.Check(tm.tmCharSet == OEM_CHARSET && !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH) && tm.tmInternalLeading == 0,
          name + " OEM, fixed pitch, no internal leading (charset " + std::to_string(tm.tmCharSet) + ")");
  SelectObject(dc, old);
  DeleteObject(font);
}

// Draws the 256 characters in one row, black on white, and reads them back.
std::vector<bool> DrawRow(HDC dc, int w, int h, int typeface) {
  int width = 256 * w, height = h;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HFONT font = MakeFont(h, w, typeface);
  HGDIOBJ oldFont = SelectObject(memory, font);
  SetTextColor(memory, RGB(0, 0, 0));
  SetBkColor(memory, RGB(255, 255, 255));
  SetBkMode(memory, OPAQUE);
  for (int c = 0; c < 256; ++c) {
    char ch = static_cast<char>(c);
    TextOutA(memory, c * w, 0, &ch, 1);
  }
  SelectObject(memory, oldFont);
  DeleteObject(font);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  SelectObject(memory, oldBitmap);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(memory);
  DeleteObject(bitmap);
  std::vector<bool> ink(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) ink[i] = (pixels[i] & 0xFFFFFF) == 0;
  return ink;
}

// Every pixel GDI draws is the file's pixel.
void CheckGlyphs(Report& r, HDC dc, const FntFont& file, int typeface, const std::string& name) {
  int w = file.width, h = file.height;
  std::vector<bool> ink = DrawRow(dc, w, h, typeface);
  int wrong = 0, firstWrong = -1;
  for (int c = 0; c < 256; ++c)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool drawn = ink[static_cast<size_t>(y) * 256 * w + c * w + x];
        if (drawn != file.glyphs[c].Get(x, y) && wrong++ == 0) firstWrong = c;
      }
  r.Check(wrong == 0, name + " glyphs as in the file (" + std::to_string(wrong) + " pixels differ, first in character " +
                          std::to_string(firstWrong) + ")");
}

// One block of 16 x 16 characters of a face on the sheet.
void DrawBlock(HDC sheet, int left, int top, int w, int h, int typeface) {
  HFONT font = MakeFont(h, w, typeface);
  HGDIOBJ old = SelectObject(sheet, font);
  for (int c = 0; c < 256; ++c) {
    char ch = static_cast<char>(c);
    TextOutA(sheet, left + (c % 16) * (w + 1), top + (c / 16) * (h + 1), &ch, 1);
  }
  SelectObject(sheet, old);
  DeleteObject(font);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int SheetHeight() {
  int height = 0;
  for (int w = korvane::kSmallestFontWidth; w <= korvane::kLargestFontWidth; ++w) height += 16 * (2 * w + 1) + 8;
  return height;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 200;
  Report r{std::fopen(argv[2], "w")};
  if (!r.out) return 201;
  HDC screen = GetDC(nullptr);
  const int sheetWidth = 4 * 16 * 16 + 5 * 8, sheetHeight = SheetHeight();
  HDC sheet = CreateCompatibleDC(screen);
  HBITMAP sheetBitmap = CreateCompatibleBitmap(screen, sheetWidth, sheetHeight);
  HGDIOBJ oldSheet = SelectObject(sheet, sheetBitmap);
  PatBlt(sheet, 0, 0, sheetWidth, sheetHeight, WHITENESS);
  int top = 0;
  for (int w = korvane::kSmallestFontWidth; w <= korvane::kLargestFontWidth; ++w) {
    int h = 2 * w, left = 8;
    for (bool serif : {true, false})
      for (int typeface = 0; typeface < 2; ++typeface) {
        g_serif = serif;
        std::string name = korvane::FontFileName(w, h, serif, typeface);
        std::string path = std::string(argv[1]) + "\\" + name;
        auto file = korvane::fontgen::ReadFnt(ReadFile(path));
        r.Check(file.has_value(), name + " is a font file of ours");
        int added = AddFontResourceA(path.c_str());
        r.Check(added > 0, name + " added");
        if (file && added > 0) {
          CheckSelection(r, screen, w, h, typeface, name);
          CheckGlyphs(r, screen, *file, typeface, name);
          DrawBlock(sheet, left, top, w, h, typeface);
        }
        r.Check(RemoveFontResourceA(path.c_str()) != FALSE, name + " removed");
        left += 16 * 16 + 8;
      }
    top += 16 * (h + 1) + 8;
  }
  SelectObject(sheet, oldSheet);
  kvdriver::SaveBitmap(sheet, sheetBitmap, sheetWidth, sheetHeight, argv[3]);
  DeleteObject(sheetBitmap);
  DeleteDC(sheet);
  ReleaseDC(nullptr, screen);
  std::fprintf(r.out, "%d passed, %d failed\n", r.passed, r.failed);
  std::fclose(r.out);
  return r.failed;
}
