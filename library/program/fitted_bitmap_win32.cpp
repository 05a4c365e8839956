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

FittedBitmap::FittedBitmap(HINSTANCE instance, HWND control, int bitmapId)
    : control_(control),
      original_(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP,
                                                0, 0, LR_CREATEDIBSECTION))) {
    Fit();
}

void FittedBitmap::Fit() {
    RECT dialog{};
    if (!control_ || !original_ || !GetClientRect(GetParent(control_), &dialog) ||
        dialog.right <= 0)
        return;
    BITMAP size{};
    if (!GetObjectA(original_.get(), sizeof size, &size) || size.bmWidth <= 0) return;
    const int width = dialog.right;
    const int height = MulDiv(size.bmHeight, width, size.bmWidth);
    OwnedGdiObject<HBITMAP> fitted = Stretch(original_.get(), width, height);
    if (!fitted) return;
    SetWindowPos(control_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The control gives back the picture it showed: the template's at first, ours after that.
    OwnedGdiObject<HGDIOBJ> previous(reinterpret_cast<HGDIOBJ>(SendMessageA(
        control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted.get()))));
    if (previous.get() == fitted.get() || previous.get() == fitted_.get()) previous.release();
    fitted_ = std::move(fitted);
}
