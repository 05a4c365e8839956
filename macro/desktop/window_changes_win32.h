#pragma once
// Tells a wait for a window when top-level windows change: one is shown, comes to the front or
// changes its title. Window events from every program reach a hook on a thread of its own,
// which pumps messages as such a hook needs; the waiting thread sleeps until one comes.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "macro/desktop/hook_thread_win32.h"

class WindowChanges {
  public:
    WindowChanges();
    ~WindowChanges();
    WindowChanges(const WindowChanges&) = delete;
    WindowChanges& operator=(const WindowChanges&) = delete;

    // Returns when a window has changed since the last return, or after `microseconds`.
    void Await(int64_t microseconds);

  private:
    bool SetHooks();
    void RemoveHooks();

    HANDLE changed_;  // auto-reset: set by the hook, taken by Await
    std::vector<HWINEVENTHOOK> hooks_;
    std::unique_ptr<HookThread> thread_;  // ends before `changed_` is closed
};
