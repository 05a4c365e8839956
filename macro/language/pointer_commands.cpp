#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "macro/language/button_words.h"
#include "macro/language/commands.h"
#include "macro/language/held_input.h"
#include "macro/language/upper_case.h"

namespace {

// A number with or without a sign, 0 like any other; a word without digits is none.
bool IsSignedNumber(std::string_view word) {
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
    return !word.empty() && word[0] >= '0' && word[0] <= '9';
}

// The button's virtual key; none for an argument that names no button.
std::optional<uint8_t> ButtonOf(std::string_view argument) {
    for (const ButtonWord& button : BUTTON_WORDS) {
        std::string option(button.word);
        UpperCaseInPlace(option);
        if (HasOption(argument, option)) return button.virtualKey;
    }
    return std::nullopt;
}

CommandOutcome SendButton(CommandLine& line, bool down) {
    std::optional<uint8_t> button = ButtonOf(line.NextWord());
    if (!button) return line.RefuseArguments();
    SendButtonTransition(line.interpreter(), *button, down);
    return CommandOutcome::Done;
}

// A wheel amount is a signed number of wheel units.
CommandOutcome TurnWheel(CommandLine& line, uint32_t wheel) {
    std::string_view amount = line.NextWord();
    if (amount.empty() || (line.strict() && !IsSignedNumber(amount))) return line.RefuseArguments();
    // A turn of nothing sends nothing.
    if (const int32_t units = ParseDecimal(amount); units != 0)
        line.desktop().mouse_event(wheel, units);
    return CommandOutcome::Done;
}

// A recorded point may lie on any monitor, left of or above the primary too. A monitor's right
// and bottom edges count as on it, as they always have: the pointer stops at its last pixel.
bool IsOnAMonitor(int32_t x, int32_t y, const std::vector<ScreenRect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [x, y](const ScreenRect& monitor) {
        return x >= monitor.left && x <= monitor.right && y >= monitor.top && y <= monitor.bottom;
    });
}

}  // namespace

namespace commands {

CommandOutcome MoveCursor(CommandLine& line) {
    std::string_view xWord = line.NextWord();
    std::string_view yWord = line.NextWord();
    if (xWord.empty() || yWord.empty()) return line.RefuseArguments();
    if (line.strict() && (!IsSignedNumber(xWord) || !IsSignedNumber(yWord))) {
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

CommandOutcome MouseWheel(CommandLine& line) {
    return TurnWheel(line, desk::WHEEL);
}

CommandOutcome MouseHorizontalWheel(CommandLine& line) {
    return TurnWheel(line, desk::HWHEEL);
}

CommandOutcome ClickMouse(CommandLine& line) {
    std::string_view buttonWord = line.NextWord();
    std::string_view kindWord = line.NextWord();
    if (buttonWord.empty() || kindWord.empty()) return line.RefuseArguments();
    std::optional<uint8_t> button = ButtonOf(buttonWord);
    bool single = HasOption(kindWord, "SINGLE");
    if (line.strict() && (!button || (!single && !HasOption(kindWord, "DOUBLE"))))
        return line.RefuseArguments();
    // Lenient: a word that names no button is the right one, anything but single is double.
    const uint8_t clicked = button.value_or(desk::KEY_RBUTTON);
    for (int pair = 0; pair < (single ? 1 : 2); ++pair) {
        SendButtonTransition(line.interpreter(), clicked, true);
        SendButtonTransition(line.interpreter(), clicked, false);
    }
    return CommandOutcome::Done;
}

}  // namespace commands
