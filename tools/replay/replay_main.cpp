// replay: shows what a byte stream (or a list of display messages) leaves
// on the screen, without Windows.
//
//   replay [options] FILE
//     --emulator NAME   how bytes become display messages (default: the first known)
//     --messages        FILE holds display messages as text, one per line
//     --size R,C[,Y]    rows, columns and a status line (default 24,80)
//     --delayed-wrap    the emulator defers the wrap at the right margin
//     --host-compatibility  the module's terminal type has HostCompatibility on
//     --scrollback N    ring lines (default 500)
//     --attributes      show the attribute of every cell
//     --high-bytes      cells of 128 to 255 as stored, not as "."
//     --trace           print every message the emulator sends
//     --list            the known emulators
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "display_handler.h"
#include "emulator.h"
#include "message_script.h"
#include "screen_dump.h"
#include "terminal_definition.h"
#include "text_util.h"

namespace korvane {

const std::vector<EmulatorEntry>& KnownEmulators() {
  // Emulation modules join this table with their portable parsers.
  static const std::vector<EmulatorEntry> table = {
      {"vt100", "the VT100 module's parser (emu_vt100.dll); use --delayed-wrap", MakeVt100Emulator,
       MakeVt100HostEmulator},
      {"ansi", "the ANSI module's parser (emu_ansi.dll); use --size 25,80", MakeAnsiEmulator, MakeAnsiHostEmulator},
      {"scoansi", "the SCO ANSI module's parser (emu_scoansi.dll); use --size 25,80", MakeScoAnsiEmulator,
       MakeScoAnsiHostEmulator},
      {"wyse60", "the Wyse 60 module's parser (emu_wyse60.dll); --size 24,80,Y shows the label line", MakeWyse60Emulator,
       MakeWyse60HostEmulator},
      {"test", "text, CR LF BS HT BEL and a few ESC [ sequences", MakeTestEmulator, nullptr},
  };
  return table;
}

namespace {

struct Options {
  std::string file, emulator;
  bool messages = false, attributes = false, trace = false, delayedWrap = false, host = false, highBytes = false;
  int rows = 24, columns = 80, statusLines = 0, scrollback = 500;
};

int Usage() {
  std::fprintf(stderr,
               "usage: replay [--emulator NAME | --messages] [--size R,C[,Y]] [--delayed-wrap] [--host-compatibility]\n"
               "              [--scrollback N] [--attributes] [--high-bytes] [--trace] FILE\n"
               "       replay --list\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool more = i + 1 < argc;
    if (arg == "--emulator" && more) {
      o.emulator = argv[++i];
    } else if (arg == "--messages") {
      o.messages = true;
    } else if (arg == "--size" && more) {
      std::string size = argv[++i];
      o.rows = DecimalInt(CommaField(size, 1));
      o.columns = DecimalInt(CommaField(size, 2));
      o.statusLines = IsYes(CommaField(size, 3)) ? 1 : 0;
    } else if (arg == "--scrollback" && more) {
      o.scrollback = DecimalInt(argv[++i]);
    } else if (arg == "--delayed-wrap") {
      o.delayedWrap = true;
    } else if (arg == "--host-compatibility") {
      o.host = true;
    } else if (arg == "--high-bytes") {
      o.highBytes = true;
    } else if (arg == "--attributes") {
      o.attributes = true;
    } else if (arg == "--trace") {
      o.trace = true;
    } else if (!arg.empty() && arg[0] != '-' && o.file.empty()) {
      o.file = arg;
    } else {
      return false;
    }
  }
  return !o.file.empty();
}

const EmulatorEntry* FindEmulator(const std::string& name) {
  for (const EmulatorEntry& entry : KnownEmulators())
    if (name.empty() || entry.name == name) return &entry;
  return nullptr;
}

int ReplayMessages(const std::string& text, const DisplayLink& link) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    ScriptMessage message;
    std::string error;
    if (!ParseMessageLine(line, message, error)) {
      std::fprintf(stderr, "replay: line %d: %s\n", number, error.c_str());
      return 1;
    }
    SendScriptMessage(message, link);
  }
  return 0;
}

int Run(const Options& o) {
  std::ifstream in(o.file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "replay: cannot read %s\n", o.file.c_str());
    return 1;
  }
  std::stringstream content;
  content << in.rdbuf();
  const std::string bytes = content.str();

  RecordLog log;
  class StderrPlatform : public ErrorPlatform {
    std::string SystemErrorText(unsigned long) override { return ""; }
    void ShowErrorDialog(const std::string& message, int) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    void ExitProgram(int status) override { std::exit(status); }
  } platform;
  ErrorReporter errors(platform, log);
  ScreenModel screen;
  AttributeTable attributes(log);
  Display display(screen, attributes, log, errors);
  screen.Allocate(o.rows, o.columns, o.statusLines, o.scrollback);
  screen.delayedWrap = o.delayedWrap;
  display.ResetAttribute();
  display.InitialiseForWindow();

  TracingLink tracing;
  tracing.next = display.Link();
  tracing.sink = [](void*, const std::string& line) { std::printf("%s\n", line.c_str()); };
  DisplayLink link = o.trace ? tracing.Link() : display.Link();

  if (o.messages) {
    if (int result = ReplayMessages(bytes, link)) return result;
  } else {
    const EmulatorEntry* entry = FindEmulator(o.emulator);
    if (!entry) {
      std::fprintf(stderr, "replay: no emulator %s (see --list)\n", o.emulator.c_str());
      return 2;
    }
    if (o.host && !entry->makeHost) {
      std::fprintf(stderr, "replay: %s has no host compatibility switch\n", entry->name.c_str());
      return 2;
    }
    std::unique_ptr<Emulator> emulator = o.host ? entry->makeHost(link) : entry->make(link);
    // In pieces of at most 512 bytes, as the receive path reads them.
    for (size_t at = 0; at < bytes.size(); at += 512) {
      size_t count = std::min<size_t>(512, bytes.size() - at);
      emulator->Submit(reinterpret_cast<const unsigned char*>(bytes.data() + at), static_cast<int>(count));
    }
  }
  std::fputs(DumpScreen(screen, attributes, o.attributes, o.highBytes).c_str(), stdout);
  return 0;
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const korvane::EmulatorEntry& entry : korvane::KnownEmulators())
      std::printf("%-10s %s\n", entry.name.c_str(), entry.description.c_str());
    return 0;
  }
  korvane::Options options;
  if (!korvane::ParseOptions(argc, argv, options)) return korvane::Usage();
  return korvane::Run(options);
}
