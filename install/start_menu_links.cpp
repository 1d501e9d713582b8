#include "start_menu_links.h"

#include "install_paths.h"

namespace korvane {

std::vector<MenuLink> MenuLinks(const std::string& installDirectory, const std::string& systemDirectory) {
  auto target = [&](const char* file) { return JoinPath(installDirectory, file); };
  return {
      {"Korvane.lnk", "Create link to Korvane.exe", target("Korvane.exe"), "", "Korvane", installDirectory,
       target("Korvane.exe"), 0},
      {"Korvane Settings.lnk", "Create link to Settings.exe", target("Settings.exe"), "", "Korvane Settings",
       installDirectory, target("Settings.exe"), 0},
      {"Korvane Help.lnk", "Create link to Korvane.hlp", target("Korvane.hlp"), "", "Korvane Help", installDirectory,
       JoinPath(systemDirectory, "shell32.dll"), 23},
      {"Uninstall Korvane.lnk", "Create link to Uninstall.exe", target("Install.exe"), "-r", "Uninstall Korvane",
       installDirectory, target("Install.exe"), 1},
  };
}

const std::vector<std::string>& MenuLinkFiles() {
  static const std::vector<std::string> files = {"Korvane.lnk", "Korvane Settings.lnk", "Korvane Help.lnk",
                                                 "Uninstall Korvane.lnk"};
  return files;
}

}  // namespace korvane
