// The modal "Korvane Error" dialog and the system error texts.
#pragma once

#include "error_report.h"

namespace korvane {

class Win32ErrorPlatform : public ErrorPlatform {
 public:
  std::string SystemErrorText(unsigned long code) override;
  void ShowErrorDialog(const std::string& message, int helpContext) override;
  void ExitProgram(int status) override;
};

}  // namespace korvane
