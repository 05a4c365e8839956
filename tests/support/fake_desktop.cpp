#include "tests/support/fake_desktop.h"

#include <algorithm>

namespace {

// VkKeyScanA of a US keyboard layout: virtual key in the low byte, 1 = Shift in the high byte.
int16_t UsLayoutKeyScan(char character) {
    const unsigned char c = static_cast<unsigned char>(character);
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
    static const std::map<unsigned char, int16_t> table = {
        {' ', 0x20},  {'\t', 0x09}, {'\r', 0x0D}, {'\n', 0x20D}, {'\b', 0x08}, {')', 0x130},
        {'!', 0x131}, {'@', 0x132}, {'#', 0x133}, {'$', 0x134},  {'%', 0x135}, {'^', 0x136},
        {'&', 0x137}, {'*', 0x138}, {'(', 0x139}, {';', 0xBA},   {':', 0x1BA}, {'=', 0xBB},
        {'+', 0x1BB}, {',', 0xBC},  {'<', 0x1BC}, {'-', 0xBD},   {'_', 0x1BD}, {'.', 0xBE},
        {'>', 0x1BE}, {'/', 0xBF},  {'?', 0x1BF}, {'`', 0xC0},   {'~', 0x1C0}, {'[', 0xDB},
        {'{', 0x1DB}, {'\\', 0xDC}, {'|', 0x1DC}, {']', 0xDD},   {'}', 0x1DD}, {'\'', 0xDE},
        {'"', 0x1DE}};
    auto found = table.find(c);
    return found == table.end() ? int16_t{-1} : found->second;
}

bool IsQuery(const std::string& call) {
    return call.rfind("Get", 0) == 0 || call.rfind("Is", 0) == 0 || call.rfind("Enum", 0) == 0 ||
           call.rfind("VkKeyScanA", 0) == 0;
}

bool IsButton(int virtualKey) {
    return std::any_of(
        std::begin(desk::BUTTONS), std::end(desk::BUTTONS),
        [virtualKey](const desk::ButtonEvents& b) { return b.virtualKey == virtualKey; });
}

}  // namespace

std::vector<std::string> FakeDesktop::BoxTexts() const {
    std::vector<std::string> texts;
    for (const Box& box : boxes)
        texts.push_back(box.text);
    return texts;
}

std::vector<std::string> FakeDesktop::Actions() const {
    std::vector<std::string> actions;
    for (const std::string& call : calls)
        if (!IsQuery(call)) actions.push_back(call);
    return actions;
}

void FakeDesktop::Log(std::string line) {
    calls.push_back(line);
    if (onCall) onCall(line);
}

FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) {
    for (Window& w : windows)
        if (w.handle == window) return &w;
    return nullptr;
}

void FakeDesktop::Capture(InputKind kind, int32_t code) {
    if (capture_) capture_->Add(InputEvent{kind, code, cursor, counter_});
}

void FakeDesktop::Press(int virtualKey) {
    keys_[virtualKey].down = true;
    keys_[virtualKey].pressedSinceQuery = true;
    keys_[virtualKey].heldByUser = true;
    keys_[virtualKey].pressedAt = counter_;
    Capture(IsButton(virtualKey) ? InputKind::ButtonDown : InputKind::KeyDown, virtualKey);
}

void FakeDesktop::Release(int virtualKey) {
    keys_[virtualKey].down = false;
    keys_[virtualKey].heldByUser = false;
    Capture(IsButton(virtualKey) ? InputKind::ButtonUp : InputKind::KeyUp, virtualKey);
}

void FakeDesktop::MovePointer(int x, int y) {
    cursor = ScreenPoint{x, y};
    Capture(InputKind::Move, 0);
}

void FakeDesktop::TurnWheel(int32_t amount) {
    Capture(InputKind::Wheel, amount);
}

void FakeDesktop::TiltWheel(int32_t amount) {
    Capture(InputKind::HorizontalWheel, amount);
}

bool FakeDesktop::StartInputCapture(InputEventQueue& queue) {
    Log("StartInputCapture");
    if (refuseInputCapture) return false;
    capture_ = &queue;
    return true;
}

void FakeDesktop::StopInputCapture() {
    Log("StopInputCapture");
    capture_ = nullptr;
}

std::vector<int> FakeDesktop::KeysDown() const {
    std::vector<int> down;
    for (const auto& [key, state] : keys_)
        if (state.down) down.push_back(key);
    return down;
}

void FakeDesktop::Advance(uint32_t milliseconds) {
    counter_ += int64_t{milliseconds} * 1000;
    const uint32_t end = now + milliseconds;
    for (;;) {
        auto next =
            std::min_element(oneShots_.begin(), oneShots_.end(),
                             [](const OneShot& a, const OneShot& b) { return a.due < b.due; });
        if (next == oneShots_.end() || next->due > end) break;
        now = next->due;
        TimerCallback callback = std::move(next->callback);
        oneShots_.erase(next);
        callback();
    }
    now = end;
}

void FakeDesktop::FirePeriodicTimer(uint32_t timerId) {
    auto found = periodic_.find(timerId);
    if (found == periodic_.end()) return;
    TimerCallback callback = found->second;
    callback();
}

void FakeDesktop::FirePeriodicTimers() {
    std::vector<uint32_t> ids;
    for (auto& [id, callback] : periodic_)
        ids.push_back(id);
    for (uint32_t id : ids)
        FirePeriodicTimer(id);
}

void FakeDesktop::FireThreadTimer(uintptr_t timerId) {
    auto found = threadTimers_.find(timerId);
    if (found == threadTimers_.end()) return;
    TimerCallback callback = found->second;
    callback();
}

bool FakeDesktop::SetCursorPos(int x, int y) {
    Log("SetCursorPos " + std::to_string(x) + " " + std::to_string(y));
    cursor = ScreenPoint{x, y};
    return true;
}

std::optional<ScreenPoint> FakeDesktop::GetCursorPos() {
    Log("GetCursorPos");
    if (cursorUnreadable) return std::nullopt;
    return cursor;
}

std::vector<ScreenRect> FakeDesktop::EnumDisplayMonitors() {
    Log("EnumDisplayMonitors");
    return monitors;
}

// A wheel turn changes no button; the log shows its amount, or the X button, after the flags.
void FakeDesktop::mouse_event(uint32_t flags, int32_t data) {
    for (const desk::ButtonEvents& button : desk::BUTTONS)
        if ((flags & (button.down | button.up)) && data == button.data)
            keys_[button.virtualKey].down = (flags & button.down) != 0;
    Log("mouse_event " + std::to_string(flags) + (data ? " " + std::to_string(data) : ""));
}

void FakeDesktop::keybd_event(uint8_t virtualKey, uint32_t flags) {
    keys_[virtualKey].down = (flags & desk::KEY_RELEASE) == 0;
    Log("keybd_event " + std::to_string(virtualKey) + " " + std::to_string(flags));
}

void FakeDesktop::TypeUnicodeCharacter(unsigned char character) {
    Log("TypeUnicodeCharacter " + std::to_string(character));
}

int16_t FakeDesktop::VkKeyScanA(char character) {
    Log("VkKeyScanA " + std::to_string(static_cast<unsigned char>(character)));
    auto found = keyScanOverrides.find(character);
    return found != keyScanOverrides.end() ? found->second : UsLayoutKeyScan(character);
}

bool FakeDesktop::IsKeyHeldByUser(int virtualKey) {
    Log("IsKeyHeldByUser " + std::to_string(virtualKey));
    return keys_[virtualKey].heldByUser;
}

void FakeDesktop::PressAgainForUser(uint8_t virtualKey) {
    if (keys_[virtualKey].heldByUser) keybd_event(virtualKey, 0);
}

int64_t FakeDesktop::LastUserPress(int virtualKey) {
    Log("GetLastUserPress " + std::to_string(virtualKey));
    return keys_[virtualKey].pressedAt;
}

int16_t FakeDesktop::GetAsyncKeyState(int virtualKey) {
    Log("GetAsyncKeyState " + std::to_string(virtualKey));
    KeyState& key = keys_[virtualKey];
    int16_t state = static_cast<int16_t>((key.down ? 0x8000 : 0) | (key.pressedSinceQuery ? 1 : 0));
    key.pressedSinceQuery = false;
    return state;
}

void FakeDesktop::EnumWindows(const std::function<bool(WindowHandle)>& visit) {
    Log("EnumWindows");
    std::vector<WindowHandle> handles;
    for (const Window& w : windows)
        handles.push_back(w.handle);
    for (WindowHandle handle : handles)
        if (!visit(handle)) break;
}

std::string FakeDesktop::GetWindowTextA(WindowHandle window, int maxCount) {
    Log("GetWindowTextA " + std::to_string(window));
    Window* w = Find(window);
    if (!w || !w->alive || maxCount <= 0) return {};
    return w->title.substr(0, static_cast<std::size_t>(maxCount - 1));
}

bool FakeDesktop::IsWindow(WindowHandle window) {
    Log("IsWindow " + std::to_string(window));
    Window* w = Find(window);
    return w && w->alive;
}

WindowHandle FakeDesktop::GetForegroundWindow() {
    Log("GetForegroundWindow");
    return foreground;
}

bool FakeDesktop::SetForegroundWindow(WindowHandle window) {
    Log("SetForegroundWindow " + std::to_string(window));
    Window* w = Find(window);
    if (!w || !w->alive || w->refusesForeground) return false;
    foreground = window;
    return true;
}

bool FakeDesktop::ShowWindow(WindowHandle window, int command) {
    Log("ShowWindow " + std::to_string(window) + " " + std::to_string(command));
    Window* w = Find(window);
    if (!w) return false;
    bool wasVisible = w->visible;
    w->visible = command != desk::SHOW_HIDE;
    if (command == desk::SHOW_MINIMIZE || command == desk::SHOW_RESTORE)
        w->minimized = command == desk::SHOW_MINIMIZE;
    return wasVisible;
}

bool FakeDesktop::IsIconic(WindowHandle window) {
    Log("IsIconic " + std::to_string(window));
    Window* w = Find(window);
    return w && w->minimized;
}

bool FakeDesktop::IsWindowVisible(WindowHandle window) {
    Log("IsWindowVisible " + std::to_string(window));
    Window* w = Find(window);
    return w && w->alive && w->visible;
}

bool FakeDesktop::RequestWindowClose(WindowHandle window) {
    Log("RequestWindowClose " + std::to_string(window));
    Window* w = Find(window);
    if (!w) return false;
    w->alive = false;
    return true;
}

bool FakeDesktop::PlaySoundA(const std::string& path, const StopCheck& stop) {
    Log("PlaySoundA " + path);
    if (soundPlays) AdvanceUnless(counter_ + int64_t{soundMilliseconds} * 1000, stop);
    return soundPlays;
}

intptr_t FakeDesktop::ShellExecuteA(WindowHandle owner, const std::string& target, int show) {
    Log("ShellExecuteA " + std::to_string(owner) + " " + target + " " + std::to_string(show));
    return shellResult;
}

bool FakeDesktop::EnableShutdownPrivilege() {
    Log("EnableShutdownPrivilege");
    return privilegeGranted;
}

bool FakeDesktop::ExitWindowsEx(uint32_t flags) {
    Log("ExitWindowsEx " + std::to_string(flags));
    return sessionEnds;
}

void FakeDesktop::WaitPrecisely(int milliseconds) {
    Log("Wait " + std::to_string(milliseconds));
    if (milliseconds > 0) Advance(static_cast<uint32_t>(milliseconds));
}

int64_t FakeDesktop::QueryPerformanceCounter() {
    return counter_;
}

// Logged as the wait it comes to, in whole milliseconds as the fake clock counts.
void FakeDesktop::WaitUntilCounter(int64_t dueMicroseconds) {
    const int64_t left = std::max<int64_t>(0, dueMicroseconds - QueryPerformanceCounter());
    WaitPrecisely(static_cast<int>((left + 999) / 1000));
}

// Logged as the whole wait it was asked for; the clock shows where a stop cut it short.
bool FakeDesktop::WaitUntilCounterUnless(int64_t dueMicroseconds, const StopCheck& stop) {
    const int64_t left = std::max<int64_t>(0, dueMicroseconds - QueryPerformanceCounter());
    Log("Wait " + std::to_string((left + 999) / 1000));
    return AdvanceUnless(dueMicroseconds, stop);
}

// The fake's windows change between its calls: the wait looks at every stop check.
bool FakeDesktop::WaitForWindowsUnless(int64_t dueMicroseconds, const StopCheck& stop) {
    const int64_t left = std::max<int64_t>(0, dueMicroseconds - QueryPerformanceCounter());
    Log("WaitForWindows " + std::to_string((left + 999) / 1000));
    return AdvanceUnless(dueMicroseconds, stop);
}

// In whole milliseconds, as the fake clock counts.
bool FakeDesktop::AdvanceUnless(int64_t dueMicroseconds, const StopCheck& stop) {
    for (;;) {
        if (stop()) return false;
        const int64_t left = dueMicroseconds - counter_;
        if (left <= 0) return true;
        Advance(static_cast<uint32_t>(std::min(left, STOP_CHECK_MICROSECONDS) + 999) / 1000);
    }
}

uint32_t FakeDesktop::timeSetEvent(uint32_t milliseconds, bool periodic, TimerCallback callback) {
    Log("timeSetEvent " + std::to_string(milliseconds) + (periodic ? " periodic" : " oneshot"));
    if (refuseMultimediaTimers) return 0;
    uint32_t id = nextTimerId_++;
    if (periodic)
        periodic_[id] = std::move(callback);
    else
        oneShots_.push_back(OneShot{now + milliseconds, id, std::move(callback)});
    return id;
}

void FakeDesktop::timeKillEvent(uint32_t timerId) {
    Log("timeKillEvent " + std::to_string(timerId));
    periodic_.erase(timerId);
    std::erase_if(oneShots_, [timerId](const OneShot& t) { return t.id == timerId; });
}

uintptr_t FakeDesktop::SetTimer(uintptr_t timerId, uint32_t milliseconds, TimerCallback callback) {
    Log("SetTimer " + std::to_string(timerId) + " " + std::to_string(milliseconds));
    if (refuseThreadTimers) return 0;
    uintptr_t id = timerId != 0 ? timerId : nextTimerId_++;
    threadTimers_[id] = std::move(callback);
    return id;
}

void FakeDesktop::KillTimer(uintptr_t timerId) {
    Log("KillTimer " + std::to_string(timerId));
    threadTimers_.erase(timerId);
}

uint32_t FakeDesktop::GetTickCount() {
    Log("GetTickCount");
    return now;
}

LocalTime FakeDesktop::GetLocalTime() {
    Log("GetLocalTime");
    return localTime();
}

LocalTime FakeDesktop::GetSystemTime() {
    Log("GetSystemTime");
    return systemTime ? systemTime() : localTime();
}

bool FakeDesktop::RegisterHotKey(WindowHandle window, int id, uint32_t modifiers,
                                 uint32_t virtualKey) {
    Log("RegisterHotKey " + std::to_string(window) + " " + std::to_string(id) + " " +
        std::to_string(modifiers) + " " + std::to_string(virtualKey));
    std::pair<uint32_t, uint32_t> combo{modifiers, virtualKey};
    if (refusedHotKeys.count(combo)) return false;
    for (auto& [key, held] : hotKeyCombos_)
        if (held == combo) return false;
    hotKeyCombos_[{window, id}] = combo;
    registeredHotKeys.insert({window, id});
    return true;
}

bool FakeDesktop::UnregisterHotKey(WindowHandle window, int id) {
    Log("UnregisterHotKey " + std::to_string(window) + " " + std::to_string(id));
    registeredHotKeys.erase({window, id});
    return hotKeyCombos_.erase({window, id}) != 0;
}

int FakeDesktop::MessageBoxA(WindowHandle owner, const std::string& text,
                             const std::string& caption, uint32_t style) {
    boxes.push_back(Box{owner, text, caption, style});
    Log("MessageBoxA " + caption + ": " + text);
    if (!boxAnswers.empty()) {
        int answer = boxAnswers.front();
        boxAnswers.pop_front();
        return answer;
    }
    return (style & 0x0F) == desk::BOX_OK ? desk::ANSWER_OK : desk::ANSWER_YES;
}
