#include "macro/desktop/window_changes_win32.h"

namespace {

// The event the hooks on this thread set.
thread_local HANDLE changeSeen = nullptr;

// The window events that can end a wait for a window, each hooked on its own so that the
// frequent events between them (a pointer's moves among them) never wake the hook's thread.
// Some systems tell only of a window's creation and of the keyboard focus it takes.
constexpr DWORD WINDOW_EVENTS[] = {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_OBJECT_FOCUS,
                                   EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_NAMECHANGE};

bool IsTopLevel(HWND window, LONG object, LONG child) {
    return window && object == OBJID_WINDOW && child == CHILDID_SELF &&
           GetAncestor(window, GA_ROOT) == window;
}

// The focus moves with the window in front, and seldom else.
void CALLBACK NoteChange(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (event == EVENT_OBJECT_FOCUS || IsTopLevel(window, object, child)) SetEvent(changeSeen);
}

}  // namespace

WindowChanges::WindowChanges() : changed_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Follow(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

WindowChanges::~WindowChanges() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    if (changed_) CloseHandle(changed_);
}

// Without an event or a hook the wait still ends on time: every call sleeps at most its time.
void WindowChanges::Await(int64_t microseconds) {
    const auto milliseconds = static_cast<DWORD>((microseconds + 999) / 1000);
    if (changed_)
        WaitForSingleObject(changed_, milliseconds);
    else
        Sleep(milliseconds);
}

void WindowChanges::Follow(HANDLE ready) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that WM_QUIT comes to
    threadId_ = GetCurrentThreadId();
    changeSeen = changed_;
    HWINEVENTHOOK hooks[std::size(WINDOW_EVENTS)] = {};
    for (std::size_t i = 0; i < std::size(WINDOW_EVENTS); ++i)
        hooks[i] = SetWinEventHook(WINDOW_EVENTS[i], WINDOW_EVENTS[i], nullptr, NoteChange, 0, 0,
                                   WINEVENT_OUTOFCONTEXT);
    SetEvent(ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    for (HWINEVENTHOOK hook : hooks)
        if (hook) UnhookWinEvent(hook);
}
