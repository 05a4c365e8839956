#pragma once
// An interpreter of each mode over one FakeDesktop, with a pace of 10 ms.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "macro/language/interpreter.h"
#include "tests/support/fake_desktop.h"

constexpr WindowHandle MAIN_WINDOW = 0x77;

class InterpreterFixture : public ::testing::Test {
  protected:
    bool Strict(std::string_view line) { return ExecuteMacroLine(strict, line); }
    bool Lenient(std::string_view line) { return ExecuteMacroLine(lenient, line); }
    bool Execute(InterpreterMode mode, std::string_view line) {
        return ExecuteMacroLine(mode == InterpreterMode::Strict ? strict : lenient, line);
    }
    // The actions of the lines run so far; the log starts afresh.
    std::vector<std::string> TakeActions() {
        std::vector<std::string> actions = desktop.Actions();
        desktop.calls.clear();
        return actions;
    }
    // The one message box shown with the incorrect-parameters text, and nothing else done.
    void ExpectRefused(const std::string& command) {
        EXPECT_EQ(TakeActions(), std::vector<std::string>{"MessageBoxA Error: " + command +
                                                          " command has incorrect parameters"});
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
        EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
        desktop.boxes.clear();
    }

    FakeDesktop desktop;
    MacroInterpreter strict{desktop, InterpreterMode::Strict, 10, MAIN_WINDOW, {}};
    MacroInterpreter lenient{desktop, InterpreterMode::Lenient, 10, MAIN_WINDOW, {}};
};

using Actions = std::vector<std::string>;
const std::string PACE = "Wait 10";
