// Macro code lines of any bytes through the interpreter, in Keyloom's Strict and the
// scheduler's Lenient mode, on a recording desktop: no overrun, no hang, an empty or blank line
// does nothing, Lenient never shows an error, and releasing what the lines hold at the end
// leaves no key or button down.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "macro/file/macro.h"
#include "macro/language/held_input.h"
#include "macro/language/interpreter.h"
#include "tests/support/fake_desktop.h"

namespace {

// A desktop with windows to find, one of which will not come to the front.
void SetUpDesktop(FakeDesktop& desktop, uint8_t answers) {
    desktop.windows = {{0x10, "Untitled - Notepad"},
                       {0x20, "Keyloom", false},
                       {0x30, "Calculator", true, true, true}};
    desktop.shellResult = (answers & 1) ? 42 : 2;
    desktop.soundPlays = (answers & 2) != 0;
    desktop.privilegeGranted = (answers & 4) != 0;
    desktop.sessionEnds = (answers & 8) != 0;
}

bool IsBlank(std::string_view line) {
    std::string_view text = line.substr(0, line.find('\0'));
    return text.find_first_not_of(' ') == std::string_view::npos;
}

void RunLine(MacroInterpreter& interpreter, FakeDesktop& desktop, std::string_view line) {
    const std::size_t callsBefore = desktop.calls.size();
    const bool done = ExecuteMacroLine(interpreter, line);
    if (IsBlank(line)) {
        FUZZ_CHECK(!done);
        FUZZ_CHECK(desktop.calls.size() == callsBefore);
    }
    FUZZ_CHECK(interpreter.targetTitle.size() < LINE_CAPACITY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FakeDesktop strictDesktop;
    FakeDesktop lenientDesktop;
    SetUpDesktop(strictDesktop, data[0]);
    SetUpDesktop(lenientDesktop, data[0]);
    MacroInterpreter strict{strictDesktop, InterpreterMode::Strict, 10, 77, {}};
    MacroInterpreter lenient{lenientDesktop, InterpreterMode::Lenient, 10, 55, {}};

    std::string_view code(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!code.empty()) {
        const std::size_t end = code.find('\n');
        const std::string_view line = code.substr(0, end);
        RunLine(strict, strictDesktop, line);
        RunLine(lenient, lenientDesktop, line);
        code = end == std::string_view::npos ? std::string_view{} : code.substr(end + 1);
    }
    for (const FakeDesktop::Box& box : lenientDesktop.boxes)
        FUZZ_CHECK(box.caption == "Keyloom");
    ReleaseHeldInput(strict);
    ReleaseHeldInput(lenient);
    FUZZ_CHECK(strictDesktop.KeysDown().empty());
    FUZZ_CHECK(lenientDesktop.KeysDown().empty());
    return 0;
}
