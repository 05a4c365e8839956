#include "editor/code_box_font_win32.h"

#include <cstring>

#include "ui/dialog_dpi_scaling_win32.h"

CodeBoxFont::CodeBoxFont(HWND control) {
    const LOGFONTA dialogFont = WindowFont(control);
    LOGFONTA fixed{};
    fixed.lfHeight = dialogFont.lfHeight;
    fixed.lfWeight = FW_NORMAL;
    fixed.lfCharSet = dialogFont.lfCharSet;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(fixed.lfFaceName, "Courier New");
    font_.reset(CreateFontIndirectA(&fixed));
    if (font_) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}
