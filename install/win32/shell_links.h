// Start-menu links through the shell-link COM object.
#pragma once

#include <string>

#include "start_menu_links.h"

namespace korvane {

bool BeginShellLinks();  // initialises the component object library
bool SaveShellLink(const MenuLink& link, const std::string& linkPath);
void EndShellLinks();

}  // namespace korvane
