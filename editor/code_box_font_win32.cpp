#include "editor/code_box_font_win32.h"

#include <cstring>

namespace {

LOGFONTA FontOf(HWND control) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    return description;
}

}  // namespace

CodeBoxFont::CodeBoxFont(HWND control) {
    const LOGFONTA dialogFont = FontOf(control);
    LOGFONTA fixed{};
    fixed.lfHeight = dialogFont.lfHeight;
    fixed.lfWeight = FW_NORMAL;
    fixed.lfCharSet = dialogFont.lfCharSet;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(fixed.lfFaceName, "Courier New");
    font_.reset(CreateFontIndirectA(&fixed));
    if (font_) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}
