#pragma once
// The editor window's sizing: never smaller than its template, and the code box takes the room
// a larger window gives, while the controls below it and at its right follow those edges.
#include <windows.h>

#include <vector>

class EditorLayout {
  public:
    // Remembers the window's template size and where the moving controls are.
    explicit EditorLayout(HWND dialog);

    // WM_GETMINMAXINFO: the template size is the smallest.
    void LimitTracking(MINMAXINFO& limits) const;
    // WM_SIZE: puts the moving controls in their places for the new client size.
    void Fit(int clientWidth, int clientHeight) const;

  private:
    struct Placed {
        HWND control;
        RECT rect;       // in client co-ordinates at the template size
        unsigned edges;  // the edges that follow the window's right and bottom edges
    };

    HWND dialog_;
    SIZE smallest_;  // the window, frame included
    SIZE templateClient_;
    std::vector<Placed> placed_;
};
