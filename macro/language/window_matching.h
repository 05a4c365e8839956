#pragma once
// The search for a top-level window by its title, behind CLOSE_WINDOW, MINIMIZE_WINDOW and
// FOCUS_WINDOW.
#include <string>
#include <string_view>

#include "macro/language/interpreter.h"

enum class WindowAction { Close, Minimize, Focus };

// Windows are seen through the first 98 characters of their titles.
constexpr int WINDOW_TITLE_LIMIT = 99;

// The window's title when it is a window whose title contains `text` (not empty), as the window
// commands see titles; empty otherwise.
std::string MatchingTitle(DesktopPort& desktop, WindowHandle window, std::string_view text);

// Applies `action` to the first top-level window (hidden ones included) whose title contains
// `title`, case-sensitive; keeps the text in the interpreter's targetTitle. Close asks the window
// to close as its close box does; Focus restores only a minimised window. A refused focus is
// reported in Strict mode only.
void ActOnMatchingWindow(MacroInterpreter& interpreter, std::string_view title,
                         WindowAction action);
