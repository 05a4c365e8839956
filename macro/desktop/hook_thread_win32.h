#pragma once
// A thread of its own for low-level hooks. The system calls such a hook on the thread that set
// it, through that thread's message queue, and holds up the desktop's input until it answers:
// the thread does nothing but take those calls.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

class HookThread {
  public:
    // `setUp` runs on the new thread with its message queue in place and sets the hooks (false
    // when they could not be set); the constructor returns once it has. `tearDown` runs on the
    // thread as it ends.
    HookThread(const std::function<bool()>& setUp, std::function<void()> tearDown);
    ~HookThread();
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    bool Hooked() const { return hooked_; }

  private:
    void Run(const std::function<bool()>& setUp, HANDLE ready);

    std::function<void()> tearDown_;
    std::atomic<bool> hooked_{false};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};
