#include "error_report.h"

#include "text_util.h"

namespace korvane {

namespace {

struct WinSockText {
  unsigned long code;
  const char* text;
};

const WinSockText kWinSockTexts[] = {
    {10004, "WSAEINTR: Interrupt during blocking operation"},
    {10009, "WSAEBADF: Bad file number"},
    {10013, "WSAEACCES: Illegal access attempt"},
    {10014, "WSAEFAULT: Bad address or pointer"},
    {10022, "WSAEINVAL: Invalid argument"},
    {10024, "WSAEMFILE: Too many open sockets"},
    {10035, "WSAEWOULDBLOCK: Call would block"},
    {10036, "WSAEINPROGRESS: Blocking Call in progress"},
    {10037, "WSAEALREADY: Operation already in progress"},
    {10038, "WSAENOTSOCK: Not a valid network socket"},
    {10039, "WSAEDESTADDRREQ: Destination Address required"},
    {10040, "WSAEMSGSIZE: Message too big"},
    {10041, "WSAEPROTOTYPE: Wrong protocol type for socket"},
    {10042, "WSAENOPROTOOPT: Bad protocol option"},
    {10043, "WSAEPROTONOSUPPORT: Protocol not supported or not configured"},
    {10044, "WSAESOCKTNOSUPPORT: Socket type not supported"},
    {10045, "WSAEOPNOTSUPP: Operation not supported"},
    {10046, "WSAEPFNOSUPPORT: Protocol family not supported"},
    {10047, "WSAEAFNOSUPPORT: Address family not supported"},
    {10048, "WSAEADDRINUSE: Address already in use"},
    {10049, "WSAEADDRNOTAVAIL: Cannot assign requested address"},
    {10050, "WSAENETDOWN: Network is down"},
    {10051, "WSAENETUNREACH: Network/address is unreachable"},
    {10052, "WSAENETRESET: Network dropped connection"},
    {10053, "WSAECONNABORTED: Connection aborted in software"},
    {10054, "WSAECONNRESET: Connection closed by remote host"},
    {10055, "WSAENOBUFS: No buffer space available"},
    {10056, "WSAEISCONN: Socket is already connected"},
    {10057, "WSAENOTCONN: Socket is not connected"},
    {10058, "WSAESHUTDOWN: Cannot send after socket shutdown"},
    {10059, "WSAETOOMANYREFS: ???"},
    {10060, "WSAETIMEDOUT: Connection attempt timed out"},
    {10061, "WSAECONNREFUSED: Connection attempt refused by host"},
    {10062, "WSAELOOP: ???"},
    {10063, "WSAENAMETOOLONG: ???"},
    {10064, "WSAEHOSTDOWN: Socket failed - host is down"},
    {10065, "WSAEHOSTUNREACH: No route to host"},
    {10066, "WSAENOTEMPTY: ???"},
    {10067, "WSAEPROCLIM: Too many processes"},
    {10068, "WSAEUSERS: ???"},
    {10069, "WSAEDQUOT: ???"},
    {10070, "WSAESTALE: ???"},
    {10071, "WSAEREMOTE: ???"},
    {10101, "WSAEDISCON: ???"},
};

const char* const kPrefixLetters[] = {"", "F", "S", "L"};
const char* const kTitles[] = {"", "Abort", "System Error", "Program Error!"};

}  // namespace

const char* WinSockErrorText(unsigned long code) {
  for (const auto& entry : kWinSockTexts)
    if (entry.code == code) return entry.text;
  return nullptr;
}

std::string ComposeErrorMessage(int kind, int code, unsigned long systemError, const std::string& systemText,
                                const std::string& text, const std::string& locationFile, int locationLine) {
  std::string message = Format("%s%d: ", kPrefixLetters[kind], code) + text;
  if (systemError != 0) {
    message += Format("\nError %d:", static_cast<int>(systemError));
    if (!systemText.empty()) message += " " + systemText;
  }
  if (kind == kProgramError) message += Format("\nfile %s  line %d", locationFile.c_str(), locationLine);
  return message;
}

int ErrorReporter::SetErrorLocation(const char* sourceFile, int line) {
  std::string file = sourceFile ? sourceFile : "";
  size_t cut = file.find_last_of("/\\");
  locationFile_ = cut == std::string::npos ? file : file.substr(cut + 1);
  locationLine_ = line;
  return 0;
}

std::string ErrorReporter::SystemText(unsigned long code) {
  std::string text = platform_.SystemErrorText(code);
  // System texts end in a line break; the message supplies its own.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (text.empty()) {
    const char* table = WinSockErrorText(code);
    if (table) text = std::string(table).substr(0, 255);
  }
  return text;
}

int ErrorReporter::VErrorCall(int kind, int code, unsigned long systemError, const char* format, va_list args) {
  if (kind < kAbort || kind > kProgramError) {
    SetErrorLocation(__FILE__, __LINE__);
    ErrorCall(kProgramError, 1203, 0, "Unhandled switch: %d: in ErrorCall", kind);
    platform_.ExitProgram(1);
    return 0;
  }
  std::string text = FormatV(format, args);
  std::string systemText = systemError != 0 ? SystemText(systemError) : std::string();
  std::string message = ComposeErrorMessage(kind, code, systemError, systemText, text, locationFile_, locationLine_);
  lastCode_ = code;
  lastMessage_ = message;
  if (log_.recordEvents) log_.WriteRecord("%s: %s\n", kTitles[kind], message.c_str());
  platform_.ShowErrorDialog(message, code);
  return 0;
}

int ErrorReporter::ErrorCall(int kind, int code, unsigned long systemError, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int result = VErrorCall(kind, code, systemError, format, args);
  va_end(args);
  return result;
}

}  // namespace korvane
