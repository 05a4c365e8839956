#include "editor/code_check.h"

#include "library/table/named_lines.h"
#include "macro/desktop/error_report.h"
#include "macro/language/interpreter.h"

namespace {

constexpr uint32_t ICON_BITS = 0xF0;
// A box lists this many problems at most, then how many more there are.
constexpr int LISTED_PROBLEMS = 20;

// A desktop on which lines run without effect: no input, no window, no program, no session
// request, no wait. What a line reports with the error icon is kept instead of shown; a failure
// of the system cannot happen here, so what is kept is the argument refusals.
class CheckingDesktop final : public DesktopPort {
  public:
    std::vector<std::string> refusals;

    bool SetCursorPos(int, int) override { return true; }
    std::optional<ScreenPoint> GetCursorPos() override { return std::nullopt; }
    std::vector<ScreenRect> EnumDisplayMonitors() override { return {}; }
    void mouse_event(uint32_t, int32_t) override {}
    void keybd_event(uint8_t, uint32_t) override {}
    void TypeUnicodeCharacter(unsigned char) override {}
    int16_t VkKeyScanA(char) override { return 0; }
    KeyRepeat KeyboardRepeat() override { return {0, 0}; }
    int16_t GetAsyncKeyState(int) override { return 0; }
    bool IsKeyHeldByUser(int) override { return false; }
    void PressAgainForUser(uint8_t) override {}
    int64_t LastUserPress(int) override { return 0; }
    bool StartInputCapture(InputEventQueue&) override { return false; }
    void StopInputCapture() override {}
    void EnumWindows(const std::function<bool(WindowHandle)>&) override {}
    std::string GetWindowTextA(WindowHandle, int) override { return {}; }
    bool IsWindow(WindowHandle) override { return false; }
    WindowHandle GetForegroundWindow() override { return NO_WINDOW; }
    bool SetForegroundWindow(WindowHandle) override { return true; }
    bool ShowWindow(WindowHandle, int) override { return true; }
    bool IsIconic(WindowHandle) override { return false; }
    bool IsWindowVisible(WindowHandle) override { return false; }
    bool RequestWindowClose(WindowHandle) override { return true; }
    bool PlaySoundA(const std::string&, const StopCheck&) override { return true; }
    intptr_t ShellExecuteA(WindowHandle, const std::string&, int) override { return 42; }
    bool EnableShutdownPrivilege() override { return true; }
    bool ExitWindowsEx(uint32_t) override { return true; }
    void WaitPrecisely(int) override {}
    int64_t QueryPerformanceCounter() override { return 0; }
    void WaitUntilCounter(int64_t) override {}
    // A wait is given up at once, as a stop key gives it up: a wait for a window never runs out.
    bool WaitUntilCounterUnless(int64_t, const StopCheck&) override { return false; }
    bool WaitForWindowsUnless(int64_t, const StopCheck&) override { return false; }
    uint32_t timeSetEvent(uint32_t, bool, TimerCallback) override { return 0; }
    void timeKillEvent(uint32_t) override {}
    uintptr_t SetTimer(uintptr_t, uint32_t, TimerCallback) override { return 0; }
    void KillTimer(uintptr_t) override {}
    uint32_t GetTickCount() override { return 0; }
    LocalTime GetLocalTime() override { return {}; }
    LocalTime GetSystemTime() override { return {}; }
    bool RegisterHotKey(WindowHandle, int, uint32_t, uint32_t) override { return false; }
    bool UnregisterHotKey(WindowHandle, int) override { return false; }
    int MessageBoxA(WindowHandle, const std::string& text, const std::string&,
                    uint32_t style) override {
        if ((style & ICON_BITS) == desk::BOX_ICON_ERROR) refusals.push_back(text);
        return desk::ANSWER_OK;
    }
};

}  // namespace

std::vector<LineProblem> CheckCodeLines(const std::vector<std::string>& lines) {
    std::vector<LineProblem> problems;
    CheckingDesktop desktop;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    for (std::size_t index = 0; index < lines.size(); ++index) {
        desktop.refusals.clear();
        ExecuteMacroLine(interpreter, lines[index]);
        for (const std::string& message : desktop.refusals)
            problems.push_back({static_cast<int>(index + 1), message});
    }
    return problems;
}

std::string DescribeProblems(const std::vector<LineProblem>& problems) {
    if (problems.empty()) return "No problems found";
    constexpr std::string_view LINE_BREAK = "\r\n";
    NamedLines lines(LISTED_PROBLEMS, LINE_BREAK);
    for (const LineProblem& problem : problems)
        lines.Add("Line " + std::to_string(problem.number) + ": " + problem.message);
    return lines.Text().substr(LINE_BREAK.size());
}

void ShowCodeCheck(DesktopPort& desktop, WindowHandle owner,
                   const std::vector<std::string>& lines) {
    const std::vector<LineProblem> problems = CheckCodeLines(lines);
    if (problems.empty())
        ReportNote(desktop, owner, DescribeProblems(problems), KEYLOOM_CAPTION);
    else
        ReportError(desktop, owner, DescribeProblems(problems), ERROR_CAPTION);
}
