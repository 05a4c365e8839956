#include "tests/support/scheduler_driver_win32.h"

#include "resources/scheduler_ids.h"

namespace {

constexpr ProgramDescription SCHEDULER{"Keyloom Scheduler.exe", "Software\\Keyloom Scheduler",
                                       WM_USER + 376, IDC_SCHEDULE_LIST};

}  // namespace

void WriteSchedulerSettings(const std::string& lastFileName) {
    WriteProgramSettings(SCHEDULER, lastFileName);
}

std::string ReadSchedulerLastFileName() {
    return ReadProgramLastFileName(SCHEDULER);
}

SchedulerDriver::SchedulerDriver(const std::string& arguments)
    : ProgramDriver(SCHEDULER, arguments) {}

void SchedulerDriver::Click(int control) {
    PostMessageA(GetDlgItem(main(), control), BM_CLICK, 0, 0);
}

void SchedulerDriver::PressListKey(UINT key) {
    HWND list = GetDlgItem(main(), IDC_SCHEDULE_LIST);
    // Sent, not posted: a later round trip could otherwise overtake the posted keys.
    SendMessageA(list, WM_KEYDOWN, key, 1);
    SendMessageA(list, WM_KEYUP, key, 0xC0000001);
}
