#pragma once
// Drives a running "Keyloom Scheduler.exe" from the test process; the scheduler's tests play
// Keyloom's macro files into Keyloom's typing target.
#include <windows.h>

#include <string>

#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/program_driver_win32.h"

// The scheduler's key in the test run's registry, as a previous run would have left it.
void WriteSchedulerSettings(const std::string& lastFileName);
std::string ReadSchedulerLastFileName();

// "Keyloom Scheduler.exe"; its main window is dialog 105.
class SchedulerDriver : public ProgramDriver {
  public:
    explicit SchedulerDriver(const std::string& arguments = "");

    // Clicks a control of the window as the mouse would.
    void Click(int control);
    // Presses a key in the schedule list as the keyboard would: the list moves its selection
    // and sends the window its own notification.
    void PressListKey(UINT key);
};
