#include "tests/support/dpi_probe_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/dialog_probe_win32.h"

namespace {

LOGFONTA FontOf(HWND control) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    if (font) GetObjectA(font, sizeof description, &description);
    return description;
}

// A function of user32 that older systems lack, looked up at run time.
template <typename Function>
Function UserFunction(const char* name) {
    // Through a plain function pointer: the looked-up address has no type of its own.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int DpiAwareness(HWND window) {
    auto context = UserFunction<HANDLE(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
    auto awareness = UserFunction<int(WINAPI*)(HANDLE)>("GetAwarenessFromDpiAwarenessContext");
    return context && awareness ? awareness(context(window)) : -1;
}

int DesktopDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT ScaledWindowRect(const RECT& rect, UINT fromDpi, UINT toDpi) {
    const int from = static_cast<int>(fromDpi);
    const int to = static_cast<int>(toDpi);
    return RECT{rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, to, from),
                rect.top + MulDiv(rect.bottom - rect.top, to, from)};
}

void SendDpiChange(HWND window, UINT dpi, const RECT& suggested) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                        reinterpret_cast<LPARAM>(&suggested), SMTO_NORMAL, 5000, &result);
}

LONG FontHeight(HWND control) {
    return FontOf(control).lfHeight;
}

bool IsFixedPitchFont(HWND control) {
    HDC context = GetDC(control);
    HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE narrow{}, wide{};
    GetTextExtentPoint32A(context, "iiiiiiii", 8, &narrow);
    GetTextExtentPoint32A(context, "WWWWWWWW", 8, &wide);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return narrow.cx == wide.cx;
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::vector<RECT> ControlRects(HWND window) {
    std::vector<RECT> rects;
    for (const ControlInfo& control : ReadControls(window))
        rects.push_back(control.rect);
    return rects;
}

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

RECT PlaceOf(HWND window, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(window, id), &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!EqualRect(&a[i], &b[i])) return false;
    return true;
}

void ExpectSmallerAtTheSameCorner(HWND window, const RECT& opened, const RECT& openedClient) {
    const RECT moved = WindowRectOf(window);
    EXPECT_EQ(moved.left, opened.left);
    EXPECT_EQ(moved.top, opened.top);
    EXPECT_LT(ClientOf(window).right, openedClient.right * 5 / 6);
    EXPECT_LT(ClientOf(window).bottom, openedClient.bottom * 5 / 6);
}

void ExpectBackAsOpened(HWND window, const RECT& opened, const std::vector<RECT>& places) {
    const RECT back = WindowRectOf(window);
    EXPECT_TRUE(EqualRect(&back, &opened)) << "the window as it opened";
    EXPECT_TRUE(SameRects(ControlRects(window), places)) << "the controls as they opened";
}

LONG AtOtherMonitor(LONG length) {
    return MulDiv(length, OTHER_MONITOR_DPI, DESKTOP_DPI);
}

void ExpectToFollowAMoveAndBack(HWND window, HWND fontControl,
                                const std::function<void()>& onOtherMonitor) {
    EXPECT_THAT(LayoutProblems(window), ::testing::IsEmpty());
    const RECT opened = WindowRectOf(window);
    const RECT openedClient = ClientOf(window);
    const std::vector<RECT> places = ControlRects(window);
    const LONG fontHeight = FontHeight(fontControl);

    SendDpiChange(window, OTHER_MONITOR_DPI,
                  ScaledWindowRect(opened, DESKTOP_DPI, OTHER_MONITOR_DPI));
    ExpectSmallerAtTheSameCorner(window, opened, openedClient);
    EXPECT_EQ(FontHeight(fontControl), AtOtherMonitor(fontHeight));
    EXPECT_THAT(LayoutProblems(window), ::testing::IsEmpty());
    onOtherMonitor();

    SendDpiChange(window, DESKTOP_DPI, opened);
    ExpectBackAsOpened(window, opened, places);
    EXPECT_EQ(FontHeight(fontControl), fontHeight);
}
