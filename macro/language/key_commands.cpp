#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "macro/file/decimal.h"
#include "macro/language/commands.h"
#include "macro/language/held_input.h"

namespace {

// A key code's high byte holds a bit for each of desk::MODIFIER_KEYS, in order, from 0x100 up:
// they are pressed in that order.
void SendModifiers(MacroInterpreter& interpreter, uint16_t keyCode, uint32_t flags) {
    for (std::size_t index = 0; index < std::size(desk::MODIFIER_KEYS); ++index)
        if (keyCode & (0x100u << index))
            SendKeyTransition(interpreter, static_cast<uint8_t>(desk::MODIFIER_KEYS[index].generic),
                              flags);
}

// Modifiers are released in the order they were pressed.
void SendKeystroke(MacroInterpreter& interpreter, uint16_t keyCode) {
    SendModifiers(interpreter, keyCode, 0);
    uint8_t virtualKey = static_cast<uint8_t>(keyCode & 0xFF);
    SendKeyTransition(interpreter, virtualKey, 0);
    SendKeyTransition(interpreter, virtualKey, desk::KEY_RELEASE);
    SendModifiers(interpreter, keyCode, desk::KEY_RELEASE);
}

// A character the layout has no key for is injected as itself rather than dropped.
void TypeCharacter(MacroInterpreter& interpreter, char character) {
    int16_t keyCode = interpreter.desktop.VkKeyScanA(character);
    if (keyCode == desk::NO_KEY)
        interpreter.desktop.TypeUnicodeCharacter(static_cast<unsigned char>(character));
    else
        SendKeystroke(interpreter, static_cast<uint16_t>(keyCode));
}

// A decimal argument is a recorded key code; anything else is the character whose key it is
// (none when the layout has no key for it).
std::optional<uint16_t> KeyCodeOf(MacroInterpreter& interpreter, std::string_view key) {
    if (key[0] >= '0' && key[0] <= '9') return static_cast<uint16_t>(ParseDecimal(key) & 0xFFFF);
    int16_t keyCode = interpreter.desktop.VkKeyScanA(key[0]);
    if (keyCode == desk::NO_KEY) return std::nullopt;
    return static_cast<uint16_t>(keyCode);
}

}  // namespace

namespace commands {

CommandOutcome PressModifier(CommandLine& line, uint8_t virtualKey, uint32_t flags) {
    SendKeyTransition(line.interpreter(), virtualKey, flags);
    return CommandOutcome::Done;
}

// A character the layout has no key for is typed as itself.
CommandOutcome PressKey(CommandLine& line) {
    std::string_view key = line.NextWord();
    if (key.empty()) return line.RefuseArguments();
    if (std::optional<uint16_t> keyCode = KeyCodeOf(line.interpreter(), key))
        SendKeystroke(line.interpreter(), *keyCode);
    else
        line.desktop().TypeUnicodeCharacter(static_cast<unsigned char>(key[0]));
    return CommandOutcome::Done;
}

// The key code's modifiers go down before its key and up after it, as in a keystroke; a
// character the layout has no key for cannot be held.
CommandOutcome HoldKey(CommandLine& line, bool down) {
    std::string_view key = line.NextWord();
    if (key.empty()) return line.RefuseArguments();
    std::optional<uint16_t> keyCode = KeyCodeOf(line.interpreter(), key);
    if (!keyCode) return line.RefuseArguments();
    const auto virtualKey = static_cast<uint8_t>(*keyCode & 0xFF);
    if (down) {
        SendModifiers(line.interpreter(), *keyCode, 0);
        SendKeyTransition(line.interpreter(), virtualKey, 0);
    } else {
        SendKeyTransition(line.interpreter(), virtualKey, desk::KEY_RELEASE);
        SendModifiers(line.interpreter(), *keyCode, desk::KEY_RELEASE);
    }
    return CommandOutcome::Done;
}

// An empty text types nothing.
CommandOutcome Type(CommandLine& line) {
    return TypeText(line.interpreter(), line.NextQuoted(false));
}

CommandOutcome TypeText(MacroInterpreter& interpreter, std::string_view text) {
    for (std::size_t typed = 0; typed < text.size(); ++typed) {
        if (PlayStopRequested(interpreter)) {
            interpreter.unfinished.text = std::string(text.substr(typed));
            return CommandOutcome::Stopped;
        }
        TypeCharacter(interpreter, text[typed]);
    }
    return CommandOutcome::Done;
}

}  // namespace commands
