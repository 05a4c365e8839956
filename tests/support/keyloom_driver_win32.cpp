#include "tests/support/keyloom_driver_win32.h"

#include "resources/keyloom_ids.h"
#include "tests/support/registry_probe_win32.h"

namespace {

constexpr ProgramDescription KEYLOOM{"Keyloom.exe", "Software\\Keyloom", WM_USER + 314,
                                     IDC_MACRO_LIST};

}  // namespace

void WriteKeyloomSettings(const std::string& lastFileName, DWORD macroDelay) {
    WriteProgramSettings(KEYLOOM, lastFileName);
    WriteRegistryNumber(KEYLOOM.settingsKey, "MacroDelay", macroDelay);
}

std::string ReadKeyloomLastFileName() {
    return ReadProgramLastFileName(KEYLOOM);
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

KeyloomDriver::KeyloomDriver(const std::string& arguments) : ProgramDriver(KEYLOOM, arguments) {}

bool KeyloomDriver::Click(HWND box, int button) {
    Press(box, button);
    return WaitForClosed(box);
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
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                            0, 280, 160, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit_));
    SetPropA(window_, "KeyloomTypingTarget", this);
    ShowAndRunMessages(window_, ready_);
}

LRESULT CALLBACK TypingTarget::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        static_cast<TypingTarget*>(GetPropA(window, "KeyloomTypingTarget"))->menuKeys_++;
        return 0;
    }
    if (message == WM_SETFOCUS) {
        SetFocus(reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string TypingTarget::Text() {
    return ShownText(edit_);
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
