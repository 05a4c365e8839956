#include "tests/support/program_driver_win32.h"

#include <shellapi.h>

#include <cstring>

#include "tests/support/registry_probe_win32.h"

namespace {

struct Search {
    DWORD processId;
    int listId;
    const std::string* caption;
    HWND exclude;
    HWND other;
    HWND found;
};

bool IsWindowOf(HWND window, DWORD processId, const char* windowClass) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return owner == processId && std::strcmp(className, windowClass) == 0;
}

bool IsDialogOf(HWND window, DWORD processId) {
    return IsWindowOf(window, processId, "#32770");
}

BOOL CALLBACK FindMain(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsDialogOf(window, search->processId) || !GetDlgItem(window, search->listId)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindMenu(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window) || !IsWindowOf(window, search->processId, "#32768")) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (window == search->exclude || window == search->other || !IsWindowVisible(window) ||
        !IsDialogOf(window, search->processId) || ShownText(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The first window `accept` takes for `search` within `timeoutMs`; null if none comes.
HWND FindWindowOf(WNDENUMPROC accept, Search search, int timeoutMs) {
    PumpUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(accept, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

}  // namespace

std::string ShownText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        &ignored);
    char narrow[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

void WriteProgramSettings(const ProgramDescription& program, const std::string& lastFileName) {
    WriteRegistryNumber(program.settingsKey, "AutoRun", 0);
    WriteRegistryNumber(program.settingsKey, "Version", 100);
    RegSetKeyValueA(HKEY_CURRENT_USER, program.settingsKey, "LastFileName", REG_SZ,
                    lastFileName.c_str(), static_cast<DWORD>(lastFileName.size()));
}

std::string ReadProgramLastFileName(const ProgramDescription& program) {
    char value[300] = "";
    DWORD size = sizeof value - 1;
    RegGetValueA(HKEY_CURRENT_USER, program.settingsKey, "LastFileName", RRF_RT_REG_SZ, nullptr,
                 value, &size);
    return value;
}

void TypeText(const std::string& text) {
    for (char c : text) {
        INPUT keys[2]{};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = static_cast<unsigned char>(c);
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }
    PumpFor(100);
}

ProgramDriver::ProgramDriver(const ProgramDescription& program, const std::string& arguments)
    : program_(program),
      running_(
          std::make_unique<RunningProgram>(BuildFolder() + "\\" + program.fileName, arguments)) {}

HWND ProgramDriver::WaitForMainWindow(int timeoutMs) {
    main_ = FindWindowOf(FindMain,
                         Search{processId(), program_.listId, nullptr, nullptr, nullptr, nullptr},
                         timeoutMs);
    return main_;
}

bool ProgramDriver::RoundTrip(int timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs),
                               &ignored) != 0;
}

void ProgramDriver::Command(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool ProgramDriver::Run(int id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0, SMTO_NORMAL, 30000,
                               &ignored) != 0;
}

void ProgramDriver::SetText(int control, const std::string& text) {
    SendMessageA(GetDlgItem(main_, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> ProgramDriver::ListEntries() {
    HWND list = GetDlgItem(main_, program_.listId);
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

int ProgramDriver::Selection() {
    return static_cast<int>(SendDlgItemMessageW(main_, program_.listId, LB_GETCURSEL, 0, 0));
}

void ProgramDriver::Select(int index) {
    HWND list = GetDlgItem(main_, program_.listId);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(program_.listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::string ProgramDriver::ControlText(int id) {
    return ShownText(GetDlgItem(main_, id));
}

bool ProgramDriver::ControlEnabled(int id) {
    return IsWindowEnabled(GetDlgItem(main_, id));
}

bool ProgramDriver::Visible() {
    return IsWindowVisible(main_);
}

bool ProgramDriver::WaitUntilVisible(bool visible, int timeoutMs) {
    return PumpUntil([&] { return Visible() == visible; }, timeoutMs) && RoundTrip();
}

bool ProgramDriver::TrayIconPresent() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main_;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;  // changes nothing: no flags
}

bool ProgramDriver::WaitForTrayIcon(bool present, int timeoutMs) {
    return PumpUntil([&] { return TrayIconPresent() == present; }, timeoutMs) && RoundTrip();
}

void ProgramDriver::TrayMouse(UINT mouseMessage) {
    PostMessageA(main_, program_.trayCallback, 1, mouseMessage);
}

void ProgramDriver::RestartNotificationArea() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main_;
    icon.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &icon);
    PostMessageA(main_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

void ProgramDriver::SendSessionEnd(UINT message, WPARAM wParam, LRESULT* answer) {
    *answer = -1;
    SendMessageCallbackA(
        main_, message, wParam, ENDSESSION_LOGOFF,
        [](HWND, UINT, ULONG_PTR context, LRESULT result) {
            *reinterpret_cast<LRESULT*>(context) = result;
        },
        reinterpret_cast<ULONG_PTR>(answer));
}

bool ProgramDriver::ChooseTrayMenuItem(int downPresses) {
    TrayMouse(WM_RBUTTONDOWN);
    HWND menu =
        FindWindowOf(FindMenu, Search{processId(), 0, nullptr, nullptr, nullptr, nullptr}, 10000);
    if (!menu) return false;
    for (int press = 0; press < downPresses; ++press)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    // The menu's own loop answers sent messages: only once it has gone is a round trip proof
    // that the chosen command has been carried out.
    return PumpUntil([&] { return !IsWindowVisible(menu); }, 10000) && RoundTrip();
}

ProgramBox ProgramDriver::WaitForBox(const std::string& caption, HWND other, int timeoutMs) {
    ProgramBox box;
    box.window =
        FindWindowOf(FindBox, Search{processId(), 0, &caption, main_, other, nullptr}, timeoutMs);
    if (box.window) {
        box.caption = caption;
        box.text = ShownText(GetDlgItem(box.window, 0xFFFF));
    }
    return box;
}

void ProgramDriver::Press(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

bool ProgramDriver::WaitForClosed(HWND box) {
    if (!PumpUntil([&] { return !IsWindow(box); }, 10000)) return false;
    // A window that ends meanwhile (Exit after a question) answers no round trip.
    return RoundTrip() || !IsWindow(main_);
}

void ProgramDriver::ChooseFile(HWND dialog, const std::string& path) {
    SetForegroundWindow(dialog);
    PumpFor(300);
    TypeText(path);
    TapKey(VK_RETURN);
    PumpFor(100);
}
