#include "tests/support/win32_test_helpers.h"

#include <cstdlib>

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

void ShowAndRunMessages(HWND window, HANDLE ready) {
    ShowWindow(window, SW_SHOW);
    SetEvent(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_HOTKEY) self->hotKeys.emplace_back(wParam, lParam);
    if (self && message == WM_CLOSE) self->closeRequests++;
    if (message == WM_SIZE && self && self->edit_)
        MoveWindow(self->edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return DefWindowProcA(window, message, wParam, lParam);
}

TestWindow::TestWindow(const std::string& title, bool visible) : window_(nullptr), edit_(nullptr) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KeyloomTestWindow";
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
        registered = true;
    }
    window_ = CreateWindowExA(0, "KeyloomTestWindow", title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                              400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                            0, 380, 250, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (visible) {
        ShowWindow(window_, SW_SHOW);
        Focus();
    }
    PumpFor(50);
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
}

std::string TestWindow::Text() const {
    int length = GetWindowTextLengthA(edit_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(edit_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TestWindow::Focus() {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    SetFocus(edit_);
    PumpFor(50);
}

INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input = KeyInput(virtualKey, up);
    SendInput(1, &input, sizeof input);
}

void TapKey(WORD virtualKey) {
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
}

void TapCombination(const std::vector<WORD>& modifiers, WORD virtualKey) {
    for (WORD modifier : modifiers)
        SendKey(modifier, false);
    TapKey(virtualKey);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        SendKey(*it, true);
}

INPUT MouseInput(DWORD flags, DWORD data) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

// Absolute co-ordinates run from 0 to 65535 across the screen; rounded up, they land on the
// pixel asked for.
INPUT PointerMoveInput(POINT screen) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    return input;
}

void SendMouse(DWORD flags, DWORD data) {
    INPUT input = MouseInput(flags, data);
    SendInput(1, &input, sizeof input);
}

RunningProgram::RunningProgram(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        info_ = PROCESS_INFORMATION{};
}

RunningProgram::~RunningProgram() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool RunningProgram::WaitForExit(int timeoutMs, DWORD* exitCode) {
    if (!info_.hProcess) return false;
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

HWND WaitForWindow(const std::string& title, int timeoutMs) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            found = FindWindowA(nullptr, title.c_str());
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// The build passes Unix paths; Wine sees the Unix root as drive Z:.
static std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    std::string path = value ? value : ".";
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string BuildFolder() {
    return Environment("KEYLOOM_BIN");
}
std::string SourceFolder() {
    return Environment("KEYLOOM_SOURCE");
}

HWND FirstWindowContaining(const std::string& text) {
    struct Search {
        const std::string& text;
        HWND found;
    } search{text, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            char title[256] = "";
            GetWindowTextA(window, title, sizeof title);
            if (std::string(title).find(s.text) == std::string::npos) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
