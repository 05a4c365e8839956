#include "tests/support/scheduler_driver_win32.h"

#include <shellapi.h>

#include <cstring>

#include "resources/scheduler_ids.h"

namespace {

constexpr char SETTINGS_KEY[] = "Software\\Keyloom Scheduler";
constexpr UINT TRAY_CALLBACK = WM_USER + 376;

struct Search {
    DWORD processId;
    const std::string* caption;
    HWND exclude;
    HWND found;
};

std::string WindowText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        &ignored);
    char narrow[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

bool IsDialogOf(HWND window, DWORD processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return owner == processId && std::strcmp(className, "#32770") == 0;
}

BOOL CALLBACK FindMain(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsDialogOf(window, search->processId) || !GetDlgItem(window, IDC_SCHEDULE_LIST))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (window == search->exclude || !IsWindowVisible(window) ||
        !IsDialogOf(window, search->processId) || WindowText(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

void SetNumber(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void WriteSchedulerSettings(const std::string& lastFileName) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    SetNumber(key, "AutoRun", 0);
    SetNumber(key, "Version", 100);
    RegSetValueExA(key, "LastFileName", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(lastFileName.c_str()),
                   static_cast<DWORD>(lastFileName.size()));
    RegCloseKey(key);
}

std::string ReadSchedulerLastFileName() {
    char value[300] = "";
    DWORD size = sizeof value - 1;
    RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY, "LastFileName", RRF_RT_REG_SZ, nullptr, value,
                 &size);
    return value;
}

SchedulerDriver::SchedulerDriver(const std::string& arguments)
    : program_(
          std::make_unique<RunningProgram>(BuildFolder() + "\\Keyloom Scheduler.exe", arguments)) {}

HWND SchedulerDriver::WaitForMainWindow(int timeoutMs) {
    Search search{program_->id(), nullptr, nullptr, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    main_ = search.found;
    return main_;
}

bool SchedulerDriver::RoundTrip(int timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs),
                               &ignored) != 0;
}

void SchedulerDriver::Command(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void SchedulerDriver::Click(int control) {
    PostMessageA(GetDlgItem(main_, control), BM_CLICK, 0, 0);
}

void SchedulerDriver::SetText(int control, const std::string& text) {
    SendMessageA(GetDlgItem(main_, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> SchedulerDriver::ListEntries() {
    HWND list = GetDlgItem(main_, IDC_SCHEDULE_LIST);
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

void SchedulerDriver::Select(int index) {
    HWND list = GetDlgItem(main_, IDC_SCHEDULE_LIST);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(IDC_SCHEDULE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::string SchedulerDriver::ControlText(int id) {
    return WindowText(GetDlgItem(main_, id));
}

bool SchedulerDriver::Visible() {
    return IsWindowVisible(main_);
}

bool SchedulerDriver::WaitUntilVisible(bool visible, int timeoutMs) {
    return PumpUntil([&] { return Visible() == visible; }, timeoutMs) && RoundTrip();
}

bool SchedulerDriver::TrayIconPresent() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main_;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;  // changes nothing: no flags
}

ProgramBox SchedulerDriver::WaitForBox(const std::string& caption, int timeoutMs) {
    Search search{program_->id(), &caption, main_, nullptr};
    PumpUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    ProgramBox box;
    box.window = search.found;
    if (box.window) {
        box.caption = caption;
        box.text = WindowText(GetDlgItem(box.window, 0xFFFF));
    }
    return box;
}

void SchedulerDriver::Press(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

void SchedulerDriver::ChooseFile(HWND dialog, const std::string& path) {
    SetForegroundWindow(dialog);
    PumpFor(300);
    TypeText(path);
    TapKey(VK_RETURN);
    PumpFor(100);
}
