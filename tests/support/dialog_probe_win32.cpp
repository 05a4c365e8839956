#include "tests/support/dialog_probe_win32.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace {

struct Search {
    std::string caption;
    HWND found;
};

BOOL CALLBACK FindCaptioned(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (IsWindowVisible(window) && WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(DWORD threadId, const std::string& caption) {
    Search search{caption, nullptr};
    EnumThreadWindows(threadId, FindCaptioned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CloseWindow(HWND window, LPARAM) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        Sleep(10);
    }
    return true;
}

// Script side: finds the dialog, runs the script, then waits for the dialog to end; forces
// every window of the dialog's thread closed when it does not.
void DriveDialog(DWORD dialogThread, const std::string& caption,
                 const std::function<void(HWND)>& script, int timeoutMs,
                 const std::atomic<bool>& returned, ModalRun& run) {
    HWND dialog = nullptr;
    run.found = WaitFor(
                    [&] {
                        dialog = FindThreadWindow(dialogThread, caption);
                        return dialog != nullptr || returned;
                    },
                    timeoutMs) &&
                dialog != nullptr;
    if (run.found) script(dialog);
    run.ended = WaitFor([&] { return returned.load(); }, timeoutMs);
    while (!returned) {
        EnumThreadWindows(dialogThread, CloseWindow, 0);
        Sleep(50);
    }
}

bool IsGroupBox(const ControlInfo& control) {
    return control.className == "Button" && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsCheckBox(const ControlInfo& control) {
    LONG type = control.style & BS_TYPEMASK;
    return control.className == "Button" && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
}

// The room the control's text needs at `font`: wrapped to the control's width for static
// text, on one line for everything else.
SIZE TextExtent(HWND dialog, HFONT font, const ControlInfo& control) {
    HDC dc = GetDC(dialog);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT room{0, 0, control.rect.right - control.rect.left, 0};
    UINT format = DT_CALCRECT | (control.className == "Static" ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, control.text.c_str(), -1, &room, format);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return SIZE{room.right, room.bottom};
}

std::string TextProblem(HWND dialog, HFONT font, const ControlInfo& control) {
    if (control.text.empty() || control.className == "Edit") return "";
    SIZE need = TextExtent(dialog, font, control);
    LONG width = control.rect.right - control.rect.left;
    LONG height = control.rect.bottom - control.rect.top;
    if (IsCheckBox(control)) need.cx += GetSystemMetrics(SM_CXMENUCHECK) + 4;
    if (IsGroupBox(control)) need.cx += 16;
    if (control.className == "Button" && !IsCheckBox(control) && !IsGroupBox(control)) need.cx += 8;
    bool fits = need.cx <= width && (IsGroupBox(control) || need.cy <= height);
    if (fits) return "";
    return "\"" + control.text + "\" needs " + std::to_string(need.cx) + "x" +
           std::to_string(need.cy) + ", has " + std::to_string(width) + "x" +
           std::to_string(height);
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

ModalRun RunModalDialog(const std::string& caption, const std::function<INT_PTR()>& showModal,
                        const std::function<void(HWND)>& script, int timeoutMs) {
    ModalRun run;
    std::atomic<bool> returned{false};
    std::thread driver(DriveDialog, GetCurrentThreadId(), caption, std::cref(script), timeoutMs,
                       std::cref(returned), std::ref(run));
    run.result = showModal();
    returned = true;
    driver.join();
    return run;
}

void RunWindowToExit(const std::string& caption, const std::function<INT_PTR()>& showModal,
                     WORD exitCommand, const std::function<void(HWND window)>& script) {
    ModalRun run = RunModalDialog(
        caption, showModal,
        [&](HWND window) {
            script(window);
            PostMessageA(window, WM_COMMAND, exitCommand, 0);
        },
        10000);
    EXPECT_TRUE(run.found) << "the window did not appear";
    EXPECT_TRUE(run.ended) << "the window stayed open";
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<ControlInfo> ReadControls(HWND dialog) {
    std::vector<ControlInfo> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlInfo info{};
        info.window = child;
        info.id = GetDlgCtrlID(child);
        char className[64] = "";
        GetClassNameA(child, className, sizeof className);
        info.className = className;
        info.text = WindowText(child);
        info.style = GetWindowLongA(child, GWL_STYLE);
        GetWindowRect(child, &info.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&info.rect), 2);
        controls.push_back(info);
    }
    return controls;
}

std::vector<std::string> LayoutProblems(HWND dialog) {
    std::vector<std::string> problems;
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<ControlInfo> controls = ReadControls(dialog);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlInfo& control = controls[i];
        auto font = reinterpret_cast<HFONT>(SendMessageA(control.window, WM_GETFONT, 0, 0));
        std::string problem = TextProblem(dialog, font ? font : dialogFont, control);
        if (!problem.empty()) problems.push_back(problem);
        RECT inside;
        if (!IntersectRect(&inside, &control.rect, &client) || !EqualRect(&inside, &control.rect))
            problems.push_back("\"" + control.text + "\" leaves the dialog");
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (!IsGroupBox(control) && !IsGroupBox(controls[j]) &&
                Overlap(control.rect, controls[j].rect))
                problems.push_back("\"" + control.text + "\" overlaps \"" + controls[j].text +
                                   "\"");
    }
    return problems;
}

std::string DialogFontName(HWND dialog) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    if (!font || !GetObjectA(font, sizeof description, &description)) return "";
    return description.lfFaceName;
}
