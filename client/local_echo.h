// Local echo: outgoing text shown on the local screen when the host does
// not echo it.
#pragma once

#include "display_messages.h"

namespace korvane {

// Runs of ordinary bytes as WUM_WRITE; BS, LF and CR end the run (sent even
// when empty) and move the cursor.
void EchoLocally(const DisplayLink& display, const unsigned char* bytes, int count);

}  // namespace korvane
