#include "ui/dialog_dpi_scaling_win32.h"

#include "ui/dpi_awareness_win32.h"
#include "ui/user_function_win32.h"

namespace {

constexpr DWORD DIALOG_MANAGER_SCALING_OFF = 1;  // DDC_DISABLE_ALL
constexpr char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int ALPHABET_LENGTH = sizeof ALPHABET - 1;

void TurnOffDialogManagerScaling(HWND dialog) {
    auto turnOff = UserFunction<BOOL(WINAPI*)(HWND, DWORD, DWORD)>("SetDialogDpiChangeBehavior");
    if (turnOff) turnOff(dialog, DIALOG_MANAGER_SCALING_OFF, DIALOG_MANAGER_SCALING_OFF);
}

// The dialog base units of a font, measured as the dialog manager measures them: the average
// width of the alphabet, rounded, and the character height.
SIZE BaseUnits(HWND dialog, HFONT font) {
    WindowDc dc(dialog);
    HGDIOBJ previous = SelectObject(dc.get(), font);
    TEXTMETRICA metrics{};
    SIZE alphabet{};
    const bool measured = GetTextMetricsA(dc.get(), &metrics) &&
                          GetTextExtentPoint32A(dc.get(), ALPHABET, ALPHABET_LENGTH, &alphabet);
    SelectObject(dc.get(), previous);
    if (!measured || metrics.tmHeight <= 0) return SIZE{1, 1};
    return SIZE{(alphabet.cx / (ALPHABET_LENGTH / 2) + 1) / 2, metrics.tmHeight};
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void Place(HWND window, const RECT& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

LOGFONTA WindowFont(HWND window) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    return description;
}

RECT ControlPlace(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    RECT dropped{};
    if (lstrcmpiA(className, "ComboBox") == 0 &&
        SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        rect.bottom = rect.top + (dropped.bottom - dropped.top);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

DialogDpiScaling::DialogDpiScaling(HWND dialog)
    : dialog_(dialog),
      openedFont_(WindowFont(dialog)),
      openedDpi_(static_cast<int>(DpiOfWindow(dialog))),
      openedUnits_(
          BaseUnits(dialog, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)))),
      units_(openedUnits_),
      openedClient_(ClientSize(dialog)) {
    TurnOffDialogManagerScaling(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls_.push_back(Placed{child, ControlPlace(dialog, child)});
}

SIZE DialogDpiScaling::Scaled(SIZE size) const {
    return SIZE{MulDiv(size.cx, units_.cx, openedUnits_.cx),
                MulDiv(size.cy, units_.cy, openedUnits_.cy)};
}

RECT DialogDpiScaling::Scaled(const RECT& rect) const {
    const SIZE topLeft = Scaled(SIZE{rect.left, rect.top});
    const SIZE bottomRight = Scaled(SIZE{rect.right, rect.bottom});
    return RECT{topLeft.cx, topLeft.cy, bottomRight.cx, bottomRight.cy};
}

void DialogDpiScaling::Follow(UINT dpi, const RECT& suggested) {
    if (dpi == 0) return;
    LOGFONTA scaled = openedFont_;
    scaled.lfHeight = MulDiv(openedFont_.lfHeight, static_cast<int>(dpi), openedDpi_);
    scaled.lfWidth = MulDiv(openedFont_.lfWidth, static_cast<int>(dpi), openedDpi_);
    OwnedGdiObject<HFONT> font(CreateFontIndirectA(&scaled));
    if (!font) return;
    // The room the user gave a resizable dialog beyond its template grows with the font too.
    const SIZE client = ClientSize(dialog_);
    const SIZE atTemplate = Scaled(openedClient_);
    const SIZE extra{client.cx - atTemplate.cx, client.cy - atTemplate.cy};
    const SIZE oldUnits = units_;
    units_ = BaseUnits(dialog_, font.get());
    for (const Placed& placed : controls_) {
        SendMessageA(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        Place(placed.control, Scaled(placed.rect));
    }
    font_ = std::move(font);  // the font it replaces is on no control any more
    FitClient(suggested, SIZE{MulDiv(extra.cx, units_.cx, oldUnits.cx),
                              MulDiv(extra.cy, units_.cy, oldUnits.cy)});
    InvalidateRect(dialog_, nullptr, TRUE);
}

// The window at the suggested corner with the client area its controls need; the frame is
// measured again once the window has its new size, as it may have changed with the DPI.
void DialogDpiScaling::FitClient(const RECT& suggested, SIZE extra) {
    const SIZE atTemplate = Scaled(openedClient_);
    const SIZE wanted{atTemplate.cx + extra.cx, atTemplate.cy + extra.cy};
    for (int attempt = 0; attempt < 2; ++attempt) {
        const SIZE window = WindowSize(dialog_);
        const SIZE client = ClientSize(dialog_);
        if (attempt > 0 && client.cx == wanted.cx && client.cy == wanted.cy) return;
        Place(dialog_, RECT{suggested.left, suggested.top,
                            suggested.left + window.cx + wanted.cx - client.cx,
                            suggested.top + window.cy + wanted.cy - client.cy});
    }
}
