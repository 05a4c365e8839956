#pragma once
// The editor window's sizing: never smaller than its template, and the code box takes the room
// a larger window gives, while the controls below it and at its right follow those edges. The
// template size and places are those the window opened with, at the font it has now.
#include <windows.h>

#include <vector>

#include "ui/dialog_dpi_scaling_win32.h"

class EditorLayout {
  public:
    // Remembers the window's template size and where the moving controls are; `scale` gives
    // them at the font the window has at its DPI.
    EditorLayout(HWND dialog, const DialogDpiScaling& scale);

    // WM_GETMINMAXINFO: the template size is the smallest.
    void LimitTracking(MINMAXINFO& limits) const;
    // WM_SIZE: puts the moving controls in their places for the new client size.
    void Fit(int clientWidth, int clientHeight) const;

  private:
    struct Placed {
        HWND control;
        RECT rect;       // in client co-ordinates at the template size, as the window opened
        unsigned edges;  // the edges that follow the window's right and bottom edges
    };

    HWND dialog_;
    const DialogDpiScaling& scale_;
    SIZE templateClient_;
    std::vector<Placed> placed_;
};
