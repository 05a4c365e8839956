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

WindowChanges::WindowChanges()
    : changed_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      thread_(std::make_unique<HookThread>([this] { return SetHooks(); },
                                           [this] { RemoveHooks(); })) {}

WindowChanges::~WindowChanges() {
    thread_.reset();
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

bool WindowChanges::SetHooks() {
    changeSeen = changed_;
    for (DWORD event : WINDOW_EVENTS)
        hooks_.push_back(SetWinEventHook(event, event, nullptr, NoteChange, 0, 0,
                                         WINEVENT_OUTOFCONTEXT));
    return true;
}

void WindowChanges::RemoveHooks() {
    for (HWINEVENTHOOK hook : hooks_)
        if (hook) UnhookWinEvent(hook);
}
