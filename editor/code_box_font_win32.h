#pragma once
// The code box's font: fixed-pitch, so that the columns of the code line up, at the height of
// the dialog's own font.
#include <windows.h>

class CodeBoxFont {
  public:
    // Creates the font and sets it on `control`.
    explicit CodeBoxFont(HWND control);
    // Frees the font: the control must be gone or hold another font by then.
    ~CodeBoxFont();
    CodeBoxFont(const CodeBoxFont&) = delete;
    CodeBoxFont& operator=(const CodeBoxFont&) = delete;

  private:
    HFONT font_ = nullptr;
};
