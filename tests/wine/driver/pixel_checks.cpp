#include "pixel_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kvdriver {

uint32_t ParseColour(const std::string& text) {
  return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 16)) & 0xFFFFFFu;
}

std::string ColourText(uint32_t rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(rgb & 0xFFFFFFu));
  return text;
}

bool PixelChecks::Capture(HWND window) {
  previous_ = std::move(pixels_);
  previousWidth_ = width_;
  previousHeight_ = height_;
  width_ = height_ = 0;
  pixels_.clear();
  RECT client;
  if (!window || !IsWindow(window) || !GetClientRect(window, &client)) return false;
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> raw(static_cast<size_t>(width) * static_cast<size_t>(height));
  int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), raw.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != height) return false;
  // DIB pixels are 0x00RRGGBB already.
  for (uint32_t& p : raw) p &= 0xFFFFFFu;
  pixels_ = std::move(raw);
  width_ = width;
  height_ = height;
  return true;
}

CheckResult PixelChecks::ExpectUnchanged(bool changed) const {
  std::string what = changed ? "picture changed" : "picture unchanged";
  if (width_ != previousWidth_ || height_ != previousHeight_ || pixels_.empty())
    return {false, what, "the captures differ in size"};
  for (size_t i = 0; i < pixels_.size(); ++i)
    if (pixels_[i] != previous_[i]) {
      int x = static_cast<int>(i % static_cast<size_t>(width_)), y = static_cast<int>(i / static_cast<size_t>(width_));
      return {changed, what, "pixel " + std::to_string(x) + "," + std::to_string(y) + " was " +
                                 ColourText(previous_[i]) + ", is " + ColourText(pixels_[i])};
    }
  return {!changed, what, changed ? "every pixel is as before" : ""};
}

CheckResult PixelChecks::ExpectMoved(int x, int y, int w, int h, int dx, int dy) const {
  std::string what = std::to_string(w) + "x" + std::to_string(h) + " pixels at " + std::to_string(x) + "," +
                     std::to_string(y) + " moved by " + std::to_string(dx) + "," + std::to_string(dy);
  if (width_ != previousWidth_ || height_ != previousHeight_ || pixels_.empty())
    return {false, what, "the captures differ in size"};
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      int fromX = i - dx, fromY = j - dy;
      bool inside = fromX >= 0 && fromY >= 0 && fromX < width_ && fromY < height_;
      uint32_t was = inside ? previous_[static_cast<size_t>(fromY) * static_cast<size_t>(width_) +
                                        static_cast<size_t>(fromX)]
                            : 0xFFFFFFFFu;
      if (was != At(i, j))
        return {false, what, "pixel " + std::to_string(i) + "," + std::to_string(j) + " is " + ColourText(At(i, j)) +
                                 ", was " + ColourText(was) + " before the move"};
    }
  return {true, what, ""};
}

uint32_t PixelChecks::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

CheckResult PixelChecks::ExpectPixel(int x, int y, uint32_t rgb) const {
  uint32_t seen = At(x, y);
  return {seen == rgb, "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + ColourText(rgb),
          seen == 0xFFFFFFFFu ? "outside the capture" : "is " + ColourText(seen)};
}

CheckResult PixelChecks::ExpectCells(int row, int column, int count, uint32_t background, uint32_t ink,
                                     bool needInk) const {
  std::string what = "cells " + std::to_string(row) + "," + std::to_string(column) + " x" + std::to_string(count) +
                     (needInk ? " show " + ColourText(ink) : " blank") + " on " + ColourText(background);
  for (int cell = 0; cell < count; ++cell) {
    int left = (column + cell) * cellWidth_, top = row * cellHeight_;
    int inkPixels = 0;
    for (int y = top; y < top + cellHeight_; ++y)
      for (int x = left; x < left + cellWidth_; ++x) {
        uint32_t p = At(x, y);
        if (needInk && p == ink) {
          ++inkPixels;
        } else if (p != background) {
          return {false, what, "cell " + std::to_string(column + cell) + " pixel " + std::to_string(x) + "," +
                                   std::to_string(y) + " is " + ColourText(p)};
        }
      }
    if (needInk && inkPixels == 0) return {false, what, "cell " + std::to_string(column + cell) + " has no ink"};
  }
  return {true, what, ""};
}

CheckResult PixelChecks::ExpectScaled(int sx, int sy, int w, int h, int dx, int dy, int fx, int fy) const {
  std::string what = std::to_string(w) + "x" + std::to_string(h) + " pixels at " + std::to_string(sx) + "," +
                     std::to_string(sy) + " scaled " + std::to_string(fx) + "x" + std::to_string(fy) + " at " +
                     std::to_string(dx) + "," + std::to_string(dy);
  int inkLike = 0;
  for (int y = 0; y < h * fy; ++y)
    for (int x = 0; x < w * fx; ++x) {
      uint32_t want = At(sx + x / fx, sy + y / fy), seen = At(dx + x, dy + y);
      if (want != seen || want == 0xFFFFFFFFu)
        return {false, what, "pixel " + std::to_string(dx + x) + "," + std::to_string(dy + y) + " is " +
                                 ColourText(seen) + ", wanted " + ColourText(want)};
      if (want != At(sx, sy)) ++inkLike;
    }
  // A uniform area would match anything: the source must hold a picture.
  return {inkLike > 0, what, inkLike ? "" : "the source area is one colour"};
}

CheckResult PixelChecks::ExpectColour(uint32_t rgb, bool present) const {
  size_t count = static_cast<size_t>(std::count(pixels_.begin(), pixels_.end(), rgb));
  return {!pixels_.empty() && (count > 0) == present,
          std::string(present ? "capture holds colour " : "capture lacks colour ") + ColourText(rgb),
          std::to_string(count) + " pixels of " + std::to_string(pixels_.size())};
}

char PixelChecks::CellState(int row, int column, uint32_t ink) const {
  for (int y = row * cellHeight_; y < (row + 1) * cellHeight_; ++y)
    for (int x = column * cellWidth_; x < (column + 1) * cellWidth_; ++x)
      if (At(x, y) == ink) return '1';
  return '0';
}

int WalkCycle(const std::vector<std::string>& observed, const std::vector<std::string>& cycle) {
  if (observed.empty() || cycle.empty()) return -1;
  auto at = std::find(cycle.begin(), cycle.end(), observed[0]);
  if (at == cycle.end()) return -1;
  size_t position = static_cast<size_t>(at - cycle.begin());
  int steps = 0;
  for (size_t i = 1; i < observed.size(); ++i) {
    position = (position + 1) % cycle.size();
    if (observed[i] != cycle[position]) return -1;
    ++steps;
  }
  return steps;
}

}  // namespace kvdriver
