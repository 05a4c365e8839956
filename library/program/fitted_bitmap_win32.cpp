#include "library/program/fitted_bitmap_win32.h"

namespace {

// A copy of `source` at width x height; null when any step fails.
OwnedGdiObject<HBITMAP> Stretch(HBITMAP source, int width, int height) {
    BITMAP size{};
    GetObjectA(source, sizeof size, &size);
    WindowDc screen(nullptr);
    OwnedMemoryDc from(CreateCompatibleDC(screen.get()));
    OwnedMemoryDc to(CreateCompatibleDC(screen.get()));
    OwnedGdiObject<HBITMAP> fitted(CreateCompatibleBitmap(screen.get(), width, height));
    if (from && to && fitted) {
        HGDIOBJ oldFrom = SelectObject(from.get(), source);
        HGDIOBJ oldTo = SelectObject(to.get(), fitted.get());
        SetStretchBltMode(to.get(), HALFTONE);
        SetBrushOrgEx(to.get(), 0, 0, nullptr);
        StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, size.bmWidth, size.bmHeight,
                   SRCCOPY);
        SelectObject(from.get(), oldFrom);
        SelectObject(to.get(), oldTo);
    }
    return fitted;
}

}  // namespace

FittedBitmap::FittedBitmap(HINSTANCE instance, HWND control, int bitmapId) {
    RECT dialog{};
    if (!control || !GetClientRect(GetParent(control), &dialog) || dialog.right <= 0) return;
    OwnedGdiObject<HBITMAP> original(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!original) return;
    BITMAP size{};
    if (GetObjectA(original.get(), sizeof size, &size) && size.bmWidth > 0) {
        int width = dialog.right;
        int height = MulDiv(size.bmHeight, width, size.bmWidth);
        fitted_ = Stretch(original.get(), width, height);
        SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!fitted_) return;
    // The control keeps its own picture from the template unless we free it here.
    OwnedGdiObject<HGDIOBJ> previous(reinterpret_cast<HGDIOBJ>(SendMessageA(
        control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted_.get()))));
    if (previous.get() == fitted_.get()) previous.release();
}
