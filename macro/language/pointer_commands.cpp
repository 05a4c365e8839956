#include <algorithm>
#include <cstdint>
#include <vector>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "macro/language/commands.h"
#include "macro/language/held_input.h"

namespace {

enum class Button { Left, Right, Unknown };

Button ButtonOf(std::string_view argument) {
    if (HasOption(argument, "LEFT")) return Button::Left;
    if (HasOption(argument, "RIGHT")) return Button::Right;
    return Button::Unknown;
}

uint32_t DownFlag(Button button) {
    return button == Button::Left ? desk::LEFT_DOWN : desk::RIGHT_DOWN;
}

uint32_t UpFlag(Button button) {
    return button == Button::Left ? desk::LEFT_UP : desk::RIGHT_UP;
}

CommandOutcome SendButton(CommandLine& line, bool down) {
    Button button = ButtonOf(line.NextWord());
    if (button == Button::Unknown) return line.RefuseArguments();
    SendButtonTransition(line.interpreter(), down ? DownFlag(button) : UpFlag(button));
    return CommandOutcome::Done;
}

// A recorded point may lie on any monitor, left of or above the primary too. A monitor's right
// and bottom edges count as on it, as they always have: the pointer stops at its last pixel.
bool IsOnAMonitor(int32_t x, int32_t y, const std::vector<ScreenRect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [x, y](const ScreenRect& monitor) {
        return x >= monitor.left && x <= monitor.right && y >= monitor.top && y <= monitor.bottom;
    });
}

// A co-ordinate is a number, 0 like any other; a word without digits is none.
bool IsCoOrdinate(std::string_view word) {
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
    return !word.empty() && word[0] >= '0' && word[0] <= '9';
}

}  // namespace

namespace commands {

CommandOutcome MoveCursor(CommandLine& line) {
    std::string_view xWord = line.NextWord();
    std::string_view yWord = line.NextWord();
    if (xWord.empty() || yWord.empty()) return line.RefuseArguments();
    if (line.strict() && (!IsCoOrdinate(xWord) || !IsCoOrdinate(yWord))) {
        ReportError(line.desktop(), line.interpreter().mainWindow,
                    "MOVE_CURSOR command has invalid X or Y co-ordinate", ERROR_CAPTION);
        return CommandOutcome::Failed;
    }
    const int32_t x = ParseDecimal(xWord);
    const int32_t y = ParseDecimal(yWord);
    if (!IsOnAMonitor(x, y, line.desktop().EnumDisplayMonitors())) return CommandOutcome::Failed;
    line.desktop().SetCursorPos(x, y);
    return CommandOutcome::Done;
}

CommandOutcome MouseDown(CommandLine& line) {
    return SendButton(line, true);
}

CommandOutcome MouseUp(CommandLine& line) {
    return SendButton(line, false);
}

CommandOutcome ClickMouse(CommandLine& line) {
    std::string_view buttonWord = line.NextWord();
    std::string_view kindWord = line.NextWord();
    if (buttonWord.empty() || kindWord.empty()) return line.RefuseArguments();
    Button button = ButtonOf(buttonWord);
    bool single = HasOption(kindWord, "SINGLE");
    if (line.strict() && (button == Button::Unknown || (!single && !HasOption(kindWord, "DOUBLE"))))
        return line.RefuseArguments();
    // Lenient: anything but the left button is the right one, anything but single is double.
    if (button != Button::Left) button = Button::Right;
    for (int pair = 0; pair < (single ? 1 : 2); ++pair) {
        SendButtonTransition(line.interpreter(), DownFlag(button));
        SendButtonTransition(line.interpreter(), UpFlag(button));
    }
    return CommandOutcome::Done;
}

}  // namespace commands
