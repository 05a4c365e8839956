#include "macro/desktop/win32_desktop.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>

#include "macro/desktop/injected_input_win32.h"
#include "macro/desktop/input_capture_win32.h"
#include "macro/desktop/precise_wait_win32.h"
#include "macro/desktop/send_input_win32.h"
#include "macro/desktop/user_keyboard_win32.h"
#include "macro/desktop/window_changes_win32.h"

namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle FromHwnd(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

LocalTime FromSystemTime(const SYSTEMTIME& time) {
    return LocalTime{time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                     time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

bool IsOtherThreadsWindow(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

void CALLBACK MultimediaTimerProc(UINT, UINT, DWORD_PTR key, DWORD_PTR, DWORD_PTR) {
    TheDesktop().RunMultimediaTimer(static_cast<uintptr_t>(key));
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    auto& visit = *reinterpret_cast<const std::function<bool(WindowHandle)>*>(context);
    return visit(FromHwnd(window)) ? TRUE : FALSE;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM context) {
    auto& monitors = *reinterpret_cast<std::vector<ScreenRect>*>(context);
    monitors.push_back(ScreenRect{rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    TheDesktop().RunThreadTimer(id);
}

// How long a window of another program may take to answer a close request.
constexpr UINT CLOSE_ANSWER_MS = 3000;

// How long the window in front before a box may take to come back after it; on a busy machine
// its thread may take a while to get to it.
constexpr DWORD FOREGROUND_RETURN_MS = 2000;

bool IsOwnHiddenWindow(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() && !::IsWindowVisible(window);
}

bool ForegroundIsLost() {
    HWND now = ::GetForegroundWindow();
    return !now || IsOwnHiddenWindow(now);
}

void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    // Another thread's window comes to the front only when that thread gets to it, and takes
    // the keyboard back into its control only once it has handled its activation: keys sent
    // before then would reach no window, or the wrong one.
    const DWORD asked = ::GetTickCount();
    while (::GetForegroundWindow() != window && ::GetTickCount() - asked < FOREGROUND_RETURN_MS)
        ::Sleep(1);
    const DWORD waited = ::GetTickCount() - asked;
    if (waited >= FOREGROUND_RETURN_MS) return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          FOREGROUND_RETURN_MS - waited, &ignored);
}

}  // namespace

Win32Desktop& TheDesktop() {
    static Win32Desktop desktop;
    return desktop;
}

Win32Desktop::Win32Desktop() = default;
Win32Desktop::~Win32Desktop() = default;

bool Win32Desktop::SetCursorPos(int x, int y) {
    return ::SetCursorPos(x, y) != 0;
}

std::optional<ScreenPoint> Win32Desktop::GetCursorPos() {
    POINT point{};
    if (!::GetCursorPos(&point)) return std::nullopt;
    return ScreenPoint{point.x, point.y};
}

std::vector<ScreenRect> Win32Desktop::EnumDisplayMonitors() {
    std::vector<ScreenRect> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void Win32Desktop::mouse_event(uint32_t flags, int32_t data) {
    SendButtonInput(flags, static_cast<DWORD>(data), KEYLOOM_INPUT);
}

void Win32Desktop::keybd_event(uint8_t virtualKey, uint32_t flags) {
    keysSent_ = true;
    SendKeyInput(virtualKey, flags, KEYLOOM_INPUT);
}

void Win32Desktop::TypeUnicodeCharacter(unsigned char character) {
    keysSent_ = true;
    char text = static_cast<char>(character);
    wchar_t wide = 0;
    if (MultiByteToWideChar(CP_ACP, 0, &text, 1, &wide, 1) != 1) return;
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = wide;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        input.ki.dwExtraInfo = KEYLOOM_INPUT;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int16_t Win32Desktop::VkKeyScanA(char character) {
    return ::VkKeyScanA(character);
}

// The keyboard settings: a delay of 0 to 3 is 250 to 1000 ms, a speed of 0 to 31 about 2.5 to
// 30 repeats a second.
KeyRepeat Win32Desktop::KeyboardRepeat() {
    UINT delay = 1;
    DWORD speed = 31;
    ::SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    ::SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    const double perSecond = 2.5 + (std::min<DWORD>(speed, 31) * 27.5) / 31;
    return {int64_t{std::min<UINT>(delay, 3) + 1} * 250000,
            static_cast<int64_t>(1000000 / perSecond)};
}

int16_t Win32Desktop::GetAsyncKeyState(int virtualKey) {
    return ::GetAsyncKeyState(virtualKey);
}

UserKeyboard& Win32Desktop::Keyboard() {
    if (!userKeyboard_) userKeyboard_ = std::make_unique<UserKeyboard>();
    return *userKeyboard_;
}

bool Win32Desktop::IsKeyHeldByUser(int virtualKey) {
    return Keyboard().IsHeld(virtualKey);
}

// The hook that follows the user's keys lets the press through only if the user still holds the
// key when it arrives.
void Win32Desktop::PressAgainForUser(uint8_t virtualKey) {
    SendKeyInput(virtualKey, 0, KEYLOOM_INPUT_FOR_USER);
}

// Wine answers a key's state from a copy up to 50 ms old; the hook sees the press as it happens.
int64_t Win32Desktop::LastUserPress(int virtualKey) {
    return Keyboard().LastPress(virtualKey);
}

bool Win32Desktop::StartInputCapture(InputEventQueue& queue) {
    inputCapture_ = std::make_unique<InputCapture>(queue);
    if (!inputCapture_->Capturing()) inputCapture_.reset();
    return inputCapture_ != nullptr;
}

void Win32Desktop::StopInputCapture() {
    inputCapture_.reset();
}

void Win32Desktop::EnumWindows(const std::function<bool(WindowHandle)>& visit) {
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::string Win32Desktop::GetWindowTextA(WindowHandle window, int maxCount) {
    if (maxCount <= 0) return {};
    std::string text(static_cast<std::size_t>(maxCount), '\0');
    int length = ::GetWindowTextA(ToHwnd(window), text.data(), maxCount);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

bool Win32Desktop::IsWindow(WindowHandle window) {
    return ::IsWindow(ToHwnd(window)) != 0;
}

WindowHandle Win32Desktop::GetForegroundWindow() {
    return FromHwnd(::GetForegroundWindow());
}

void Win32Desktop::AwaitSentInput() {
    keysSent_ = false;
    AwaitInjectedInput();
}

void Win32Desktop::DeliverSentKeys() {
    if (keysSent_) AwaitSentInput();
}

bool Win32Desktop::SetForegroundWindow(WindowHandle window) {
    DeliverSentKeys();
    return ::SetForegroundWindow(ToHwnd(window)) != 0;
}

bool Win32Desktop::ShowWindow(WindowHandle window, int command) {
    DeliverSentKeys();
    HWND hwnd = ToHwnd(window);
    // Another program's window may be hung: never wait for it to answer.
    if (IsOtherThreadsWindow(hwnd)) return ::ShowWindowAsync(hwnd, command) != 0;
    return ::ShowWindow(hwnd, command) != 0;
}

bool Win32Desktop::IsIconic(WindowHandle window) {
    return ::IsIconic(ToHwnd(window)) != 0;
}

bool Win32Desktop::IsWindowVisible(WindowHandle window) {
    return ::IsWindowVisible(ToHwnd(window)) != 0;
}

bool Win32Desktop::RequestWindowClose(WindowHandle window) {
    DeliverSentKeys();
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(ToHwnd(window), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               CLOSE_ANSWER_MS, &result) != 0;
}

// The sound plays on a thread of its own, so that this one can stop it: a sound is stopped for
// the whole process, whichever thread asks.
bool Win32Desktop::PlaySoundA(const std::string& path, const StopCheck& stop) {
    std::future<bool> played = std::async(std::launch::async, [&path] {
        return ::PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_SYNC) != 0;
    });
    const auto check = std::chrono::microseconds(STOP_CHECK_MICROSECONDS);
    while (played.wait_for(check) == std::future_status::timeout) {
        if (!stop()) continue;
        ::PlaySoundA(nullptr, nullptr, 0);
        played.wait();
        return true;
    }
    return played.get();
}

intptr_t Win32Desktop::ShellExecuteA(WindowHandle owner, const std::string& target, int show) {
    DeliverSentKeys();
    HINSTANCE result =
        ::ShellExecuteA(ToHwnd(owner), "open", target.c_str(), nullptr, nullptr, show);
    return reinterpret_cast<intptr_t>(result);
}

bool Win32Desktop::EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    // A system without security has no privilege to enable: the session request goes ahead.
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
    const std::unique_ptr<void, decltype(&CloseHandle)> closeToken(token, &CloseHandle);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    return LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
           AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

bool Win32Desktop::ExitWindowsEx(uint32_t flags) {
    return ::ExitWindowsEx(flags, 0) != 0;
}

void Win32Desktop::WaitPrecisely(int milliseconds) {
    WaitOnCounter(milliseconds);
}

int64_t Win32Desktop::QueryPerformanceCounter() {
    return CounterMicroseconds();
}

void Win32Desktop::WaitUntilCounter(int64_t dueMicroseconds) {
    WaitUntilMicroseconds(dueMicroseconds);
}

bool Win32Desktop::WaitUntilCounterUnless(int64_t dueMicroseconds, const StopCheck& stop) {
    return WaitUntilMicrosecondsUnless(dueMicroseconds, STOP_CHECK_MICROSECONDS, stop);
}

// A window's time-out needs no precision: the wait sleeps to each look, never spins.
bool Win32Desktop::WaitForWindowsUnless(int64_t dueMicroseconds, const StopCheck& stop) {
    if (!windowChanges_) windowChanges_ = std::make_unique<WindowChanges>();
    for (;;) {
        if (stop()) return false;
        const int64_t left = dueMicroseconds - CounterMicroseconds();
        if (left <= 0) return true;
        windowChanges_->Await(std::min(left, WINDOW_CHECK_MICROSECONDS));
    }
}

uint32_t Win32Desktop::timeSetEvent(uint32_t milliseconds, bool periodic, TimerCallback callback) {
    uintptr_t key;
    auto timer =
        std::make_shared<MultimediaTimer>(MultimediaTimer{std::move(callback), periodic, 0});
    {
        std::lock_guard<std::mutex> hold(timersLock_);
        key = nextTimerKey_++;
        multimediaTimers_[key] = timer;
    }
    UINT kind = periodic ? TIME_PERIODIC : TIME_ONESHOT;
    UINT id =
        ::timeSetEvent(milliseconds, 1, MultimediaTimerProc, key, kind | TIME_KILL_SYNCHRONOUS);
    std::lock_guard<std::mutex> hold(timersLock_);
    if (id == 0) {
        multimediaTimers_.erase(key);
    } else {
        timer->id = id;
    }
    return id;
}

void Win32Desktop::timeKillEvent(uint32_t timerId) {
    ::timeKillEvent(timerId);
    std::lock_guard<std::mutex> hold(timersLock_);
    for (auto it = multimediaTimers_.begin(); it != multimediaTimers_.end(); ++it) {
        if (it->second->id == timerId) {
            multimediaTimers_.erase(it);
            return;
        }
    }
}

void Win32Desktop::RunMultimediaTimer(uintptr_t key) {
    std::shared_ptr<MultimediaTimer> timer;
    {
        std::lock_guard<std::mutex> hold(timersLock_);
        auto found = multimediaTimers_.find(key);
        if (found == multimediaTimers_.end()) return;
        timer = found->second;
        if (!timer->periodic) multimediaTimers_.erase(found);
    }
    timer->callback();
}

uintptr_t Win32Desktop::SetTimer(uintptr_t timerId, uint32_t milliseconds, TimerCallback callback) {
    UINT_PTR id = ::SetTimer(nullptr, timerId, milliseconds, ThreadTimerProc);
    if (id != 0) threadTimers_[id] = std::move(callback);
    return id;
}

void Win32Desktop::KillTimer(uintptr_t timerId) {
    ::KillTimer(nullptr, timerId);
    threadTimers_.erase(timerId);
}

void Win32Desktop::RunThreadTimer(uintptr_t id) {
    auto found = threadTimers_.find(id);
    if (found == threadTimers_.end()) return;
    TimerCallback callback = found->second;  // the callback may kill its own timer
    callback();
}

uint32_t Win32Desktop::GetTickCount() {
    return ::GetTickCount();
}

LocalTime Win32Desktop::GetLocalTime() {
    SYSTEMTIME time;
    ::GetLocalTime(&time);
    return FromSystemTime(time);
}

LocalTime Win32Desktop::GetSystemTime() {
    SYSTEMTIME time;
    ::GetSystemTime(&time);
    return FromSystemTime(time);
}

bool Win32Desktop::RegisterHotKey(WindowHandle window, int id, uint32_t modifiers,
                                  uint32_t virtualKey) {
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) != 0;
}

bool Win32Desktop::UnregisterHotKey(WindowHandle window, int id) {
    return ::UnregisterHotKey(ToHwnd(window), id) != 0;
}

// Closing the box must not leave the keyboard with a hidden window of the program or with no
// window: a macro that goes on typing would type into nothing. A window the user chose while
// the box was up keeps it.
int Win32Desktop::MessageBoxA(WindowHandle owner, const std::string& text,
                              const std::string& caption, uint32_t style) {
    DeliverSentKeys();
    HWND before = ::GetForegroundWindow();
    int answer = ::MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), style);
    if (before && ::IsWindow(before) && ::IsWindowVisible(before) && ForegroundIsLost())
        BringToFront(before);
    return answer;
}
