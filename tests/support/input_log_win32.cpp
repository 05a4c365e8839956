#include "tests/support/input_log_win32.h"

#include "tests/support/win32_test_helpers.h"

namespace {

constexpr char WINDOW_CLASS[] = "KeyloomInputLog";

bool IsLogged(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

InputLogWindow::InputLogWindow(const std::string& title, RECT bounds) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, title, bounds] { Run(title, bounds); });
    WaitForSingleObject(ready_, 10000);
    Focus();
}

InputLogWindow::~InputLogWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void InputLogWindow::Run(const std::string& title, RECT bounds) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
    window_ = CreateWindowExA(WS_EX_TOPMOST, WINDOW_CLASS, title.c_str(), WS_POPUP | WS_BORDER,
                              bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowAndRunMessages(window_, ready_);
}

LRESULT CALLBACK InputLogWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<InputLogWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && IsLogged(message)) {
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->log_.push_back({message, wParam, lParam, static_cast<DWORD>(GetMessageTime())});
        self->lastArrival_ = GetTickCount();
    }
    // Alt and F10 would open a window menu, which takes the keys that follow.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

POINT InputLogWindow::ToScreen(POINT client) const {
    ClientToScreen(window_, &client);
    return client;
}

void InputLogWindow::Focus() {
    SetForegroundWindow(window_);
    PumpFor(100);
}

std::vector<LoggedInput> InputLogWindow::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<LoggedInput> taken;
    taken.swap(log_);
    return taken;
}

void InputLogWindow::WaitUntilQuiet(int quietMs, int timeoutMs) {
    PumpUntil(
        [&] {
            std::lock_guard<std::mutex> lock(mutex_);
            return GetTickCount() - lastArrival_ >= static_cast<DWORD>(quietMs);
        },
        timeoutMs);
}

std::string TypedText(const std::vector<LoggedInput>& log) {
    std::string text;
    for (const LoggedInput& input : log)
        if (input.message == WM_CHAR) text += static_cast<char>(input.wParam);
    return text;
}
