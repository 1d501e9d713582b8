// Printing the screen and its picture on the clipboard.
#pragma once

namespace korvane {

void PrintScreen();       // as text or as a picture (PrintScreenAsGraphics)
void CopyScreenBitmap();  // the whole screen as CF_BITMAP

}  // namespace korvane
