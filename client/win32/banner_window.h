// The start-up banner.
#pragma once

namespace korvane {

int ShowBanner();          // 0 or 1001
void BannerStartupDone();  // end of start-up: plays the init file, tells the banner
bool BannerIsOpen();

}  // namespace korvane
