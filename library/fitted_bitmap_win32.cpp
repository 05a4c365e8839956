#include "library/fitted_bitmap_win32.h"

namespace {

// A copy of `source` at width x height; null when any step fails.
HBITMAP Stretch(HBITMAP source, int width, int height) {
    BITMAP size{};
    GetObjectA(source, sizeof size, &size);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP fitted = CreateCompatibleBitmap(screen, width, height);
    if (from && to && fitted) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, fitted);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return fitted;
}

}  // namespace

FittedBitmap::FittedBitmap(HINSTANCE instance, HWND control, int bitmapId) {
    RECT dialog{};
    if (!control || !GetClientRect(GetParent(control), &dialog) || dialog.right <= 0) return;
    HBITMAP original = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!original) return;
    BITMAP size{};
    if (GetObjectA(original, sizeof size, &size) && size.bmWidth > 0) {
        int width = dialog.right;
        int height = MulDiv(size.bmHeight, width, size.bmWidth);
        fitted_ = Stretch(original, width, height);
        SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    DeleteObject(original);
    if (!fitted_) return;
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted_)));
    // The control keeps its own picture from the template unless we free it here.
    if (previous && previous != fitted_) DeleteObject(previous);
}

FittedBitmap::~FittedBitmap() {
    if (fitted_) DeleteObject(fitted_);
}
