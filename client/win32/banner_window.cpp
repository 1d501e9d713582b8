#include "banner_window.h"

#include "client_app.h"
#include "display_messages.h"

namespace korvane {

// No banner is drawn yet; start-up goes straight to the main window.
int ShowBanner() { return 0; }
bool BannerIsOpen() { return false; }

void BannerStartupDone() {
  if (App().mainWindow) SendMessageA(App().mainWindow, WUM_PLAYINIT, 0, 0);
}

}  // namespace korvane
