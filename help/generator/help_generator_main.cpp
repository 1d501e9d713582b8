// kvhelpgen: builds the help file from its topic source.
//   kvhelpgen SOURCE.txt OUTPUT.hlp
//   kvhelpgen --dump FILE.hlp      prints what a help file holds
// The file's time stamp is SOURCE_DATE_EPOCH when set, else the present.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "help_source.h"
#include "hlp_file.h"
#include "hlp_reader.h"

using namespace korvane::help;

namespace {

bool ReadWhole(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

uint32_t BuildDate() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  return epoch ? static_cast<uint32_t>(std::strtoul(epoch, nullptr, 10)) : static_cast<uint32_t>(std::time(nullptr));
}

int Build(const std::string& sourcePath, const std::string& outputPath) {
  std::string text;
  if (!ReadWhole(sourcePath, text)) {
    std::fprintf(stderr, "kvhelpgen: cannot read %s\n", sourcePath.c_str());
    return 1;
  }
  HelpDocument document;
  std::vector<std::string> errors;
  if (!ParseHelpSource(text, sourcePath, document, errors)) {
    for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
    return 1;
  }
  Bytes file;
  std::string error;
  if (!BuildHelpFile(document, BuildDate(), file, error)) {
    std::fprintf(stderr, "kvhelpgen: %s\n", error.c_str());
    return 1;
  }
  std::ofstream out(outputPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "kvhelpgen: cannot write %s\n", outputPath.c_str());
    return 1;
  }
  return 0;
}

int Dump(const std::string& path) {
  std::string text;
  if (!ReadWhole(path, text)) {
    std::fprintf(stderr, "kvhelpgen: cannot read %s\n", path.c_str());
    return 1;
  }
  HelpFileView view;
  std::string error;
  if (!ReadHelpFile(Bytes(text.begin(), text.end()), view, error)) {
    std::fprintf(stderr, "kvhelpgen: %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  std::printf("title: %s\nversion: 1.%u, flags %u, %zu bytes\ncontents: %08x\nfiles:", view.title.c_str(), view.minor,
              view.flags, text.size(), view.contents);
  for (const std::string& name : view.internalFiles) std::printf(" %s", name.c_str());
  std::printf("\n");
  for (const auto& [number, offset] : view.contextNumbers) {
    const TopicView* topic = TopicAt(view, offset);
    std::printf("context %d -> %08x %s\n", number, offset, topic ? topic->title.c_str() : "(none)");
  }
  for (const TopicView& topic : view.topics)
    std::printf("\n== %08x %s\n%s", topic.offset, topic.title.c_str(), topic.text.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--dump") return Dump(argv[2]);
  if (argc == 3) return Build(argv[1], argv[2]);
  std::fprintf(stderr, "usage: kvhelpgen SOURCE.txt OUTPUT.hlp | kvhelpgen --dump FILE.hlp\n");
  return 2;
}
