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

    // Scales it again to the dialog's width, after the dialog has changed its size.
    void Fit();

  private:
    HWND control_;
    OwnedGdiObject<HBITMAP> original_;
    OwnedGdiObject<HBITMAP> fitted_;
};
