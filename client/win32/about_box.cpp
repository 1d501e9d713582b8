#include "about_box.h"

namespace korvane {

// The about box and the contact dialog arrive with the banner's work; the
// menu commands already call these.
void ShowAboutBox(HWND) {}
void ShowContactDialog(HWND) {}

}  // namespace korvane
