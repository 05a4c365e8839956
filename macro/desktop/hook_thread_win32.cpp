#include "macro/desktop/hook_thread_win32.h"

#include <utility>

HookThread::HookThread(const std::function<bool()>& setUp, std::function<void()> tearDown)
    : tearDown_(std::move(tearDown)) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, &setUp, ready] { Run(setUp, ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

HookThread::~HookThread() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

// The queue exists before the hooks are set, so that WM_QUIT can always reach the thread.
void HookThread::Run(const std::function<bool()>& setUp, HANDLE ready) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    hooked_ = setUp();
    SetEvent(ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    tearDown_();
}
