// ErrorCall: the client's one way of reporting a failure. The message is
// composed here; showing it and ending the program are the platform's.
#pragma once

#include <cstdarg>
#include <string>

#include "record_log.h"

namespace korvane {

enum ErrorKind { kAbort = 1, kSystemError = 2, kProgramError = 3 };

class ErrorPlatform {
 public:
  virtual ~ErrorPlatform() = default;
  // The operating system's text for an error number, or "" when it has none.
  virtual std::string SystemErrorText(unsigned long code) = 0;
  // The modal "Korvane Error" dialog; returns when it is closed.
  virtual void ShowErrorDialog(const std::string& message, int helpContext) = 0;
  virtual void ExitProgram(int status) = 0;
};

// The text of the WinSock table for a code, or nullptr.
const char* WinSockErrorText(unsigned long code);

// The fixed form of a report (without the event-log title).
std::string ComposeErrorMessage(int kind, int code, unsigned long systemError, const std::string& systemText,
                                const std::string& text, const std::string& locationFile, int locationLine);

class ErrorReporter {
 public:
  ErrorReporter(ErrorPlatform& platform, RecordLog& log) : platform_(platform), log_(log) {}

  int SetErrorLocation(const char* sourceFile, int line);
  int ErrorCall(int kind, int code, unsigned long systemError, const char* format, ...)
      __attribute__((format(printf, 5, 6)));
  int VErrorCall(int kind, int code, unsigned long systemError, const char* format, va_list args)
      __attribute__((format(printf, 5, 0)));

  // Ends the program after a fatal report.
  void ExitProgram(int status) { platform_.ExitProgram(status); }

  int LastErrorCode() const { return lastCode_; }
  const std::string& LastMessage() const { return lastMessage_; }

 private:
  std::string SystemText(unsigned long code);
  ErrorPlatform& platform_;
  RecordLog& log_;
  std::string locationFile_;
  int locationLine_ = 0;
  int lastCode_ = 0;
  std::string lastMessage_;
};

}  // namespace korvane
