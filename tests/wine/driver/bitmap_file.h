// Saves a GDI bitmap as a 24-bit BMP file, for screenshots of test runs.
#pragma once

#include <windows.h>

#include <string>

namespace kvdriver {

bool SaveBitmap(HDC dc, HBITMAP bitmap, int width, int height, const std::string& path);

}  // namespace kvdriver
