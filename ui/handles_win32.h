#pragma once
// Owners of the platform handles freed by a call of their own, so that every way out of a
// function frees them.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace handle_detail {

struct MenuFree {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct MemoryDcFree {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectFree {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

}  // namespace handle_detail

using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, handle_detail::MenuFree>;
using OwnedMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, handle_detail::MemoryDcFree>;

// A pen, brush, font or bitmap; `Object` is its handle type.
template <typename Object>
using OwnedGdiObject = std::unique_ptr<std::remove_pointer_t<Object>, handle_detail::GdiObjectFree>;

// A device context of a window (the screen for none), released to it.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};
