#pragma once
// A banner bitmap of the program's resources drawn across the whole width of its dialog: the
// dialog's size follows its font and the screen's scale, the bitmap's pixels do not.
#include <windows.h>

#include "ui/handles_win32.h"

class FittedBitmap {
  public:
    // Scales bitmap `bitmapId` smoothly, keeping its proportions, to the width of the dialog
    // that holds `control`, and shows it there.
    FittedBitmap(HINSTANCE instance, HWND control, int bitmapId);

  private:
    OwnedGdiObject<HBITMAP> fitted_;
};
