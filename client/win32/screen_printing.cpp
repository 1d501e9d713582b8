#include "screen_printing.h"

namespace korvane {

// Printing and the screen picture arrive with their own work; the menu
// commands already call these.
void PrintScreen() {}
void CopyScreenBitmap() {}

}  // namespace korvane
