#include "tests/support/keyloom_driver_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "resources/keyloom_ids.h"

namespace {

constexpr char SETTINGS_KEY[] = "Software\\Keyloom";
constexpr UINT TRAY_CALLBACK = WM_USER + 314;

struct Search {
    DWORD processId;
    const std::string* caption;
    HWND exclude;
    HWND other;
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
    if (!IsDialogOf(window, search->processId) || !GetDlgItem(window, IDC_MACRO_LIST)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindMenu(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || !IsWindowVisible(window) ||
        std::strcmp(className, "#32768") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (window == search->exclude || window == search->other || !IsWindowVisible(window) ||
        !IsDialogOf(window, search->processId) || WindowText(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

void SetNumber(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void WriteKeyloomSettings(const std::string& lastFileName, DWORD macroDelay) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    SetNumber(key, "AutoRun", 0);
    SetNumber(key, "MacroDelay", macroDelay);
    SetNumber(key, "Version", 100);
    RegSetValueExA(key, "LastFileName", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(lastFileName.c_str()),
                   static_cast<DWORD>(lastFileName.size()));
    RegCloseKey(key);
}

std::string ReadKeyloomLastFileName() {
    char value[300] = "";
    DWORD size = sizeof value - 1;
    RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY, "LastFileName", RRF_RT_REG_SZ, nullptr, value,
                 &size);
    return value;
}

std::string MacroFileText(const std::string& name, const std::string& code,
                          const std::string& triggerKeys, const std::string& description,
                          bool active) {
    return "//File created by Keyloom v1\r\n\r\n"
           "//Macro properties (Editing could cause corruption!)\r\n"
           "NAME \"" +
           name + "\";\r\nDESCRIPTION \"" + description + "\";\r\nTRIGGER_KEYS " + triggerKeys +
           "\r\nACTIVE " + (active ? "TRUE" : "FALSE") +
           ";\r\nPRIVATE FALSE;\r\nWINDOW ;\r\nPLAY_COUNT 1;\r\nREPEAT_TIME 0;\r\n"
           "PLAY_STYLE 1;\r\nSPEED 10;\r\n"
           "\r\n//Main macro code (editing could cause corruption!):\r\nSTART\r\n" +
           code + "END\r\n";
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

KeyloomDriver::KeyloomDriver(const std::string& arguments)
    : program_(std::make_unique<RunningProgram>(BuildFolder() + "\\Keyloom.exe", arguments)) {}

KeyloomDriver::~KeyloomDriver() = default;

HWND KeyloomDriver::WaitForMainWindow(int timeoutMs) {
    Search search{program_->id(), nullptr, nullptr, nullptr, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    main_ = search.found;
    return main_;
}

bool KeyloomDriver::RoundTrip(int timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs),
                               &ignored) != 0;
}

void KeyloomDriver::Command(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool KeyloomDriver::Run(int id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0, SMTO_NORMAL, 30000,
                               &ignored) != 0;
}

std::vector<std::wstring> KeyloomDriver::ListEntries() {
    HWND list = GetDlgItem(main_, IDC_MACRO_LIST);
    std::vector<std::wstring> entries;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

int KeyloomDriver::Selection() {
    return static_cast<int>(SendDlgItemMessageW(main_, IDC_MACRO_LIST, LB_GETCURSEL, 0, 0));
}

void KeyloomDriver::Select(int index) {
    HWND list = GetDlgItem(main_, IDC_MACRO_LIST);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(IDC_MACRO_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::string KeyloomDriver::ControlText(int id) {
    return WindowText(GetDlgItem(main_, id));
}

bool KeyloomDriver::ControlEnabled(int id) {
    return IsWindowEnabled(GetDlgItem(main_, id));
}

bool KeyloomDriver::Visible() {
    return IsWindowVisible(main_);
}

bool KeyloomDriver::WaitUntilVisible(bool visible, int timeoutMs) {
    return PumpUntil([&] { return Visible() == visible; }, timeoutMs) && RoundTrip();
}

bool KeyloomDriver::TrayIconPresent() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main_;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;  // changes nothing: no flags
}

bool KeyloomDriver::WaitForTrayIcon(bool present, int timeoutMs) {
    return PumpUntil([&] { return TrayIconPresent() == present; }, timeoutMs) && RoundTrip();
}

void KeyloomDriver::TrayMouse(UINT mouseMessage) {
    PostMessageA(main_, TRAY_CALLBACK, 1, mouseMessage);
}

bool KeyloomDriver::ChooseTrayMenuItem(int downPresses) {
    TrayMouse(WM_RBUTTONDOWN);
    Search search{program_->id(), nullptr, nullptr, nullptr, nullptr};
    if (!PumpUntil(
            [&] {
                EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&search));
                return search.found != nullptr;
            },
            10000))
        return false;
    for (int press = 0; press < downPresses; ++press)
        PostMessageA(search.found, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(search.found, WM_KEYDOWN, VK_RETURN, 0);
    // The menu's own loop answers sent messages: only once it has gone is a round trip proof
    // that the chosen command has been carried out.
    HWND menu = search.found;
    return PumpUntil([&] { return !IsWindowVisible(menu); }, 10000) && RoundTrip();
}

ProgramBox KeyloomDriver::WaitForBox(const std::string& caption, HWND other, int timeoutMs) {
    Search search{program_->id(), &caption, main_, other, nullptr};
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

bool KeyloomDriver::Click(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitForClosed(box);
}

bool KeyloomDriver::WaitForClosed(HWND box) {
    if (!PumpUntil([&] { return !IsWindow(box); }, 10000)) return false;
    // A window that ends meanwhile (Exit after a question) answers no round trip.
    return RoundTrip() || !IsWindow(main_);
}

void KeyloomDriver::ChooseFile(HWND dialog, const std::string& path) {
    SetForegroundWindow(dialog);
    PumpFor(300);
    TypeText(path);
    TapKey(VK_RETURN);
    PumpFor(100);
}

TypingTarget::TypingTarget(const std::string& title) : title_(title) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(
        nullptr, 0,
        [](LPVOID self) -> DWORD {
            auto* target = static_cast<TypingTarget*>(self);
            target->Run(target->title_);
            return 0;
        },
        this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
    Focus();
}

TypingTarget::~TypingTarget() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

void TypingTarget::Run(const std::string& title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KeyloomTypingTarget";
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
    window_ = CreateWindowExA(0, "KeyloomTypingTarget", title.c_str(), WS_OVERLAPPEDWINDOW, 60, 60,
                              300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280, 160,
                            window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit_));
    ShowWindow(window_, SW_SHOW);
    SetEvent(ready_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window_);
}

LRESULT CALLBACK TypingTarget::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        SetFocus(reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string TypingTarget::Text() {
    return WindowText(edit_);
}

void TypingTarget::Clear() {
    SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

void TypingTarget::Focus() {
    SetForegroundWindow(window_);
    PumpFor(100);
}

bool TypingTarget::WaitForText(const std::string& text, int timeoutMs) {
    return PumpUntil([&] { return Text() == text; }, timeoutMs);
}
