// "&Print Screen" on the default printer, as text rows or as a framed
// picture in grey levels, and "Copy &Screen to Clipboard".
#include "screen_printing.h"

#include <winsock2.h>
#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <vector>

#include "client_app.h"
#include "print_layout.h"

namespace korvane {

namespace {

constexpr DWORD kPrinterListBytes = 1024;

// Windows 95/98: the default printer from the spooler's list. A list larger
// than the usual buffer is asked for again at its full size.
std::optional<std::string> Win9xDefaultPrinter() {
  std::vector<BYTE> buffer(kPrinterListBytes);
  DWORD needed = 0, count = 0;
  BOOL ok = EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, buffer.data(), static_cast<DWORD>(buffer.size()), &needed,
                          &count);
  if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
    buffer.resize(needed);
    ok = EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, buffer.data(), needed, &needed, &count);
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
  if (!ok || count == 0 || !info->pPrinterName || !*info->pPrinterName) {
    KV_ERROR(kSystemError, 1107, GetLastError(), "Couldn't get Printer list (wanted %d bytes)", static_cast<int>(needed));
    return std::nullopt;
  }
  return std::string(info->pPrinterName);
}

// Windows NT: the "device" entry of the "windows" profile section.
std::optional<std::string> NtDefaultPrinter() {
  char device[kPrinterListBytes] = "";
  GetProfileStringA("windows", "device", "", device, sizeof device);
  std::string name = PrinterFromDeviceEntry(device);
  if (name.empty()) {
    KV_ERROR(kSystemError, 1108, GetLastError(), "Can't get NT default printer");
    return std::nullopt;
  }
  return name;
}

std::optional<std::string> DefaultPrinter() {
  switch (App().platformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return Win9xDefaultPrinter();
    case VER_PLATFORM_WIN32_NT: return NtDefaultPrinter();
    default: {
      // Newer platforms may still name a default printer through the spooler.
      char name[kPrinterListBytes] = "";
      DWORD size = sizeof name;
      if (GetDefaultPrinterA(name, &size) && *name) return std::string(name);
      KV_ERROR(kSystemError, 1102, 0, "Unknown O/S - can't get printers");
      return std::nullopt;
    }
  }
}

// A printer context with a document and its first page open, or null after
// the failure was reported.
HDC StartPrintJob() {
  std::optional<std::string> printer = DefaultPrinter();
  if (!printer) return nullptr;
  HDC dc = CreateDCA(nullptr, printer->c_str(), nullptr, nullptr);
  if (!dc) {
    DWORD error = GetLastError();
    KV_ERROR(kSystemError, 1109, error, "Can't get PrinterDC - error %d\nFor printer '%s'", static_cast<int>(error),
             printer->c_str());
    return nullptr;
  }
  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = "Printing";
  if (StartDocA(dc, &doc) < 1) {
    DWORD error = GetLastError();
    KV_ERROR(kSystemError, 1110, error, "StartDoc failed - error %d", static_cast<int>(error));
    DeleteDC(dc);
    return nullptr;
  }
  if (StartPage(dc) < 1) {
    DWORD error = GetLastError();
    KV_ERROR(kSystemError, 1111, error, "Startpage failed - error %d", static_cast<int>(error));
    AbortDoc(dc);
    DeleteDC(dc);
    return nullptr;
  }
  return dc;
}

void EndPrintJob(HDC dc) {
  EndPage(dc);
  EndDoc(dc);
  DeleteDC(dc);
}

int ScreenPixelWidth() { return App().screen.columns() * App().surface.CellWidth(); }
int ScreenPixelHeight() { return App().screen.totalRows() * App().surface.CellHeight(); }

// The whole screen as displayed, drawn into a bitmap compatible with `like`
// (the screen's or the window's context).
HBITMAP DrawScreenBitmap(HDC like, bool print) {
  HBITMAP bitmap = CreateCompatibleBitmap(like, ScreenPixelWidth(), ScreenPixelHeight());
  if (!bitmap) return nullptr;
  HDC memory = CreateCompatibleDC(like);
  if (!memory) {
    DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  App().surface.PaintScrollbackRows(memory, 0, 0, App().screen.totalRows() - 1, print);
  SelectObject(memory, old);
  DeleteDC(memory);
  return bitmap;
}

void PrintText(HDC dc) {
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  std::vector<std::string> rows = PrintedRows(App().screen);
  for (size_t row = 0; row < rows.size(); ++row)
    TextOutA(dc, 0, static_cast<int>(row) * metrics.tmHeight, rows[row].data(), static_cast<int>(rows[row].size()));
}

void PrintPicture(HDC dc) {
  PicturePlacement place = PlacePicture(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), ScreenPixelWidth(),
                                        ScreenPixelHeight());
  Rectangle(dc, 0, 0, place.width + 4, place.height + 4);
  Rectangle(dc, 1, 1, place.width + 3, place.height + 3);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = DrawScreenBitmap(screen, true);
  if (bitmap) {
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 2, 2, place.width, place.height, memory, 0, 0, ScreenPixelWidth(), ScreenPixelHeight(), SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace

void PrintScreen() {
  if (!App().screen.IsAllocated()) return;
  HDC dc = StartPrintJob();
  if (!dc) return;
  if (App().config.printScreenAsGraphics)
    PrintPicture(dc);
  else
    PrintText(dc);
  EndPrintJob(dc);
}

void CopyScreenBitmap() {
  HWND window = App().mainWindow;
  if (!window || !App().screen.IsAllocated()) return;
  HDC dc = GetDC(window);
  HBITMAP bitmap = DrawScreenBitmap(dc, false);
  ReleaseDC(window, dc);
  if (!bitmap) {
    MessageBeep(0);
    return;
  }
  if (!OpenClipboard(window)) {
    DeleteObject(bitmap);
    MessageBeep(0);
    return;
  }
  EmptyClipboard();
  // From here the clipboard owns the bitmap.
  if (!SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
  CloseClipboard();
}

}  // namespace korvane
