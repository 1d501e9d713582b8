// The parameter window "Install Korvane" (class "SETUP"): the installation
// directory and three check boxes. Runs modally until "&OK" or "&Cancel".
#pragma once

#include <windows.h>

#include <optional>

#include "installer_system.h"

namespace korvane {

std::optional<InstallParameters> RunParameterWindow(HINSTANCE instance, const InstallParameters& initial);

}  // namespace korvane
