#include "printer_pass_through.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "module_test_support.h"

namespace korvane::test {
namespace {

struct Printer {
  Printer() { printer.initFile = "/nonexistent/printerinit.txt"; }
  std::vector<std::string> Take() { return recorder.Take(); }
  void Print(const std::string& text) { printer.Print(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

  MessageRecorder recorder;
  DisplayLink link = recorder.Link();
  ModuleLog log{link};
  FakePrinterPort port{recorder};
  PrinterPassThrough printer{log, port};
};

const std::vector<std::string> kOpenedOnNt = {
    "LOG \"Call TurnPrinterOn\\n\"", "LOG \"dll printer handling\\n\"", "PRINTER open Test Printer",
    "LOG \"TurnPrinterOn: Printer name Test Printer\\n\"", "LOG \"StartDocPrinter\\n\"", "PRINTER start level 1",
    "LOG \"startdoc succeeded\\n\"", "LOG \"Turn on timer\\n\""};

TEST(PrinterPassThrough, ClosesAtTheFirstQuietTickAfterTurningOff) {
  Printer p;
  p.printer.Tick();  // no close asked for: nothing
  p.printer.TurnPrinterOn();
  EXPECT_EQ(p.Take(), kOpenedOnNt);
  p.Print("ab");
  p.printer.Tick();
  p.printer.TurnPrinterOff();
  EXPECT_TRUE(p.printer.IsOpen());
  p.printer.Tick();
  EXPECT_TRUE(p.printer.IsOpen());
  p.printer.Tick();
  EXPECT_FALSE(p.printer.IsOpen());
  EXPECT_FALSE(p.port.timer);
  p.printer.Tick();
  EXPECT_EQ(p.Take(), (std::vector<std::string>{"LOG \"PRINT: ab\\n\"", "PRINTER \"ab\"", "LOG \"wrote 2 bytes\\n\"",
                                                "LOG \"Called TurnPrinterOff\\n\"", "LOG \"TimerDec\\n\"",
                                                "LOG \"TimerClose\\n\"", "LOG \"ActuallyTurnPrinterOff\\n\"",
                                                "PRINTER close"}));
}

TEST(PrinterPassThrough, TurningOnAgainKeepsTheJob) {
  Printer p;
  p.printer.TurnPrinterOn();
  p.Take();
  p.printer.TurnPrinterOn();
  EXPECT_EQ(p.Take(), (std::vector<std::string>{"LOG \"Call TurnPrinterOn\\n\""}));
  // On again while closing: the job stays open past the quiet ticks.
  p.printer.TurnPrinterOff();
  p.printer.Tick();
  p.printer.TurnPrinterOn();
  p.printer.Tick();
  p.printer.Tick();
  EXPECT_TRUE(p.printer.IsOpen());
  EXPECT_EQ(p.port.opens, 1);
}

TEST(PrinterPassThrough, TheStartUpFileGoesFirstIn260ByteChunks) {
  Printer p;
  std::filesystem::path file = std::filesystem::temp_directory_path() / "korvane_printerinit_test.txt";
  std::ofstream(file, std::ios::binary) << std::string(600, '\x1b');
  p.printer.initFile = file.string();
  p.printer.TurnPrinterOn();
  p.Print("host");
  std::filesystem::remove(file);
  EXPECT_EQ(p.port.writes, (std::vector<size_t>{260, 260, 80, 4}));
}

TEST(PrinterPassThrough, BytesAreLoggedAsSignedCharacters) {
  Printer p;
  p.printer.TurnPrinterOn();
  p.Take();
  p.Print(std::string("A\0\x1f \x7f\x80\xff", 7));
  std::vector<std::string> lines = p.Take();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "LOG \"PRINT: A<0><31> \\x7f<-128><-1>\\n\"");
  EXPECT_EQ(lines[2], "LOG \"wrote 7 bytes\\n\"");
}

TEST(PrinterPassThrough, Windows9xUsesTheEnumeratedPrinterAndLevel2) {
  Printer p;
  p.port.family = PrinterPort::Family::Win9x;
  p.printer.TurnPrinterOn();
  EXPECT_EQ(p.Take(), (std::vector<std::string>{"LOG \"Call TurnPrinterOn\\n\"", "LOG \"Win9x printer start\\n\"",
                                                "PRINTER open Test Printer",
                                                "LOG \"TurnPrinterOn: Printer name Test Printer\\n\"",
                                                "PRINTER start level 2", "LOG \"startdoc succeeded\\n\"",
                                                "LOG \"Turn on timer\\n\""}));
  Printer none;
  none.port.family = PrinterPort::Family::Win9x;
  none.port.enumerateFails = true;
  none.printer.TurnPrinterOn();
  EXPECT_EQ(none.Take().back(), "LOG \"EnumPrinters failed\\n\"");
  EXPECT_FALSE(none.printer.TimerRunning());
}

TEST(PrinterPassThrough, FailuresAreLoggedAndPrintingGoesOn) {
  Printer cannotOpen;
  cannotOpen.port.openFails = true;
  cannotOpen.printer.TurnPrinterOn();
  cannotOpen.Print("x");
  std::vector<std::string> lines = cannotOpen.Take();
  EXPECT_EQ(lines[3], "LOG \"printer open failed\\n\"");
  EXPECT_EQ(lines.back(), "LOG \"write failed = error 6\\n\"");
  EXPECT_FALSE(cannotOpen.printer.TimerRunning());

  // A job that does not start leaves the printer open; writes are tried.
  Printer cannotStart;
  cannotStart.port.startFails = true;
  cannotStart.printer.TurnPrinterOn();
  cannotStart.Print("y");
  lines = cannotStart.Take();
  EXPECT_EQ(lines[6], "LOG \"startdoc failed - error 1804: error text 1804\\n\"");
  EXPECT_EQ(lines.back(), "LOG \"wrote 1 bytes\\n\"");
  EXPECT_TRUE(cannotStart.printer.TimerRunning());
}

TEST(PrinterPassThrough, TurningOffWithNoPrinterOnlyLogs) {
  Printer p;
  p.printer.TurnPrinterOff();
  p.printer.Tick();
  p.printer.ActuallyTurnPrinterOff();
  EXPECT_EQ(p.Take(), (std::vector<std::string>{"LOG \"Called TurnPrinterOff\\n\""}));
}

}  // namespace
}  // namespace korvane::test
