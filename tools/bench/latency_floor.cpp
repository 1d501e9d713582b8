// The latency floor: the least a Windows telnet client can do under the same
// Wine and X server. One window; the socket notifies it with WSAAsyncSelect;
// on FD_READ one recv, answers to two requests (the SCO ANSI colour report
// ESC [ = M, device attributes ESC [ c) and TextOut
// of the changed characters; on WM_CHAR one send. The end-to-end benchmark
// measures it beside Korvane.exe with the same method.
//   kvfloor.exe [address] port
#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kSocketMessage = WM_USER + 1;
constexpr int kColumns = 80;

SOCKET sock = INVALID_SOCKET;
char line[kColumns];
int column = 0;
HFONT font = nullptr;
int cellWidth = 8;

// Telnet commands and escape sequences are skipped; only the cursor's return
// to the first column (ESC [ ... H, CR) and the two requests mean anything.
enum class State { Text, Iac, IacOption, Esc, Csi };
State state = State::Text;

void SendBytes(const char* bytes, int count) { send(sock, bytes, count, 0); }

void DrawSpan(HWND window, int first, int last) {
  if (first > last) return;
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TextOutA(dc, first * cellWidth, 0, line + first, last - first + 1);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
}

void TakeIn(HWND window, const unsigned char* bytes, int count) {
  int first = kColumns, last = -1;
  for (int i = 0; i < count; ++i) {
    unsigned char c = bytes[i];
    switch (state) {
      case State::Text:
        if (c == 255) state = State::Iac;
        else if (c == 27) state = State::Esc;
        else if (c == 13) column = 0;
        else if (c >= 32 && c < 127) {
          line[column] = static_cast<char>(c);
          if (column < first) first = column;
          if (column > last) last = column;
          column = (column + 1) % kColumns;
        }
        break;
      case State::Iac: state = c >= 251 && c <= 254 ? State::IacOption : State::Text; break;
      case State::IacOption: state = State::Text; break;
      case State::Esc: state = c == '[' ? State::Csi : State::Text; break;
      case State::Csi:
        if (c >= 0x40 && c <= 0x7e) {
          if (c == 'H') column = 0;
          else if (c == 'M') SendBytes("7 0\n", 4);
          else if (c == 'c') SendBytes("\x1b[?1;2c", 7);
          state = State::Text;
        }
        break;
    }
  }
  DrawSpan(window, first, last);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSocketMessage:
      if (WSAGETSELECTEVENT(lParam) == FD_READ) {
        unsigned char buffer[4096];
        int got = recv(sock, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
        if (got > 0) TakeIn(window, buffer, got);
      } else if (WSAGETSELECTEVENT(lParam) == FD_CLOSE) {
        PostQuitMessage(0);
      }
      return 0;
    case WM_CHAR: {
      char c = static_cast<char>(wParam);
      SendBytes(&c, 1);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      HGDIOBJ old = SelectObject(dc, font);
      TextOutA(dc, 0, 0, line, kColumns);
      SelectObject(dc, old);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  // "[address] port"
  const char* address = "127.0.0.1";
  char arguments[256];
  lstrcpynA(arguments, commandLine, sizeof arguments);
  char* portText = strrchr(arguments, ' ');
  if (portText) {
    *portText++ = '\0';
    address = arguments;
  } else {
    portText = arguments;
  }
  int port = atoi(portText);
  if (port <= 0 || port > 65535) return 2;

  memset(line, ' ', sizeof line);
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(1, 1), &wsa)) return 1;

  font = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "KvLatencyFloor";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowA("KvLatencyFloor", "Latency floor", WS_OVERLAPPEDWINDOW, 0, 0, 700, 200, nullptr, nullptr,
                              instance, nullptr);
  if (!window) return 1;
  {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(dc, &metrics) && metrics.tmAveCharWidth > 0) cellWidth = metrics.tmAveCharWidth;
    SelectObject(dc, old);
    ReleaseDC(window, dc);
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  sock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (sock == INVALID_SOCKET) return 1;
  BOOL on = TRUE;
  setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  sockaddr_in remote = {};
  remote.sin_family = AF_INET;
  remote.sin_addr.s_addr = inet_addr(address);
  remote.sin_port = htons(static_cast<u_short>(port));
  if (connect(sock, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0) return 1;
  if (WSAAsyncSelect(sock, window, kSocketMessage, FD_READ | FD_CLOSE) != 0) return 1;

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  closesocket(sock);
  WSACleanup();
  return 0;
}
