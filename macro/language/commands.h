#pragma once
// The commands of the macro language, each taking its own arguments from the line.
#include <cstdint>

#include "macro/language/command_line.h"

namespace commands {

// Pointer and buttons.
CommandOutcome MoveCursor(CommandLine& line);
CommandOutcome MouseDown(CommandLine& line);
CommandOutcome MouseUp(CommandLine& line);
CommandOutcome ClickMouse(CommandLine& line);
CommandOutcome MouseWheel(CommandLine& line);
CommandOutcome MouseHorizontalWheel(CommandLine& line);

// Keys.
CommandOutcome PressModifier(CommandLine& line, uint8_t virtualKey, uint32_t flags);
CommandOutcome PressKey(CommandLine& line);
CommandOutcome HoldKey(CommandLine& line, bool down);
CommandOutcome Type(CommandLine& line);
// Types `text`, one keystroke a character; a play's stop key is looked for before each.
CommandOutcome TypeText(MacroInterpreter& interpreter, std::string_view text);

// Windows, boxes, sounds, programs and the session.
CommandOutcome CloseWindow(CommandLine& line);
CommandOutcome MinimizeWindow(CommandLine& line);
CommandOutcome FocusWindow(CommandLine& line);
CommandOutcome ShowMessageBox(CommandLine& line);
CommandOutcome PlaySound(CommandLine& line);
CommandOutcome Run(CommandLine& line);
CommandOutcome OpenUrl(CommandLine& line);
CommandOutcome Shutdown(CommandLine& line);
// Waits for a visible window with the title (WAIT_WINDOW), or for one in front (WAIT_ACTIVE).
CommandOutcome WaitWindow(CommandLine& line);
CommandOutcome WaitActive(CommandLine& line);

}  // namespace commands
