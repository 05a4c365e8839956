#pragma once
// The code box's font: fixed-pitch, so that the columns of the code line up, at the height of
// the dialog's own font.
#include <windows.h>

#include "ui/handles_win32.h"

// Freed with this object: the control must be gone or hold another font by then.
class CodeBoxFont {
  public:
    // Creates the font and sets it on `control`.
    explicit CodeBoxFont(HWND control);

  private:
    OwnedGdiObject<HFONT> font_;
};
