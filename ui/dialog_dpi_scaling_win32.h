#pragma once
// A dialog that follows the scale of the monitor it is on. When it moves to a monitor of another
// DPI (WM_DPICHANGED), its controls take the dialog's font at that DPI, and their places and the
// client area grow or shrink with the font's dialog base units, as the dialog's template would
// lay them out at that font (a font's width does not follow the DPI exactly). The window keeps
// the corner the system suggests. The places are kept as they were when the dialog opened, so
// moving back and forth between monitors does not make them drift.
#include <windows.h>

#include <vector>

#include "ui/handles_win32.h"

// The font the window draws its text with: the one set on it, else the system's GUI font.
LOGFONTA WindowFont(HWND window);

// Where the control lies in the dialog's client area; a combo box's place holds its drop-down
// list, as its template does, so that placing it there keeps the list's height.
RECT ControlPlace(HWND dialog, HWND control);

class DialogDpiScaling {
  public:
    // Remembers the controls' places, the client size and the font as the dialog opened, and
    // takes the DPI changes over from the system's dialog manager, whose own scaling would undo
    // the dialog's layout.
    explicit DialogDpiScaling(HWND dialog);

    // WM_DPICHANGED: `dpi` from its wParam, `suggested` the window rectangle of its lParam.
    void Follow(UINT dpi, const RECT& suggested);

    // A size or a rectangle of the dialog as it opened, at its font now.
    SIZE Scaled(SIZE size) const;
    RECT Scaled(const RECT& rect) const;

  private:
    struct Placed {
        HWND control;
        RECT rect;  // in client co-ordinates as the dialog opened
    };

    void FitClient(const RECT& suggested, SIZE extra);

    HWND dialog_;
    LOGFONTA openedFont_{};
    int openedDpi_;
    SIZE openedUnits_;  // dialog base units of the font the dialog opened with
    SIZE units_;        // and of the font it has now
    SIZE openedClient_{};
    OwnedGdiObject<HFONT> font_;  // on the controls once the DPI has changed
    std::vector<Placed> controls_;
};
