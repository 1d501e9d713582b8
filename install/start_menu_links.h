// The start-menu links: four in the folder "Korvane" of the start-menu
// programs folder, and a second uninstall link in the installation directory.
#pragma once

#include <string>
#include <vector>

namespace korvane {

inline constexpr const char kMenuFolderName[] = "Korvane";

struct MenuLink {
  std::string fileName;     // "Korvane.lnk"
  std::string progressLine; // "Create link to Korvane.exe"
  std::string target;       // full path
  std::string arguments;
  std::string description;
  std::string workingDirectory;
  std::string iconPath;
  int iconIndex = 0;
};

// The four links of the menu folder, in creation order. The help link takes
// its icon from shell32.dll in `systemDirectory`.
std::vector<MenuLink> MenuLinks(const std::string& installDirectory, const std::string& systemDirectory);
// The link files removed from the menu folder.
const std::vector<std::string>& MenuLinkFiles();

}  // namespace korvane
