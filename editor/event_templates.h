#pragma once
// The event kinds of the editor's Insert list and the template line each one appends.
#include <array>
#include <optional>
#include <string>
#include <string_view>

struct EventTemplate {
    std::string_view entry;  // the list's text
    std::string_view line;   // appended to the code box as shown, for the user to fill in
};

inline constexpr std::array<EventTemplate, 17> EVENT_TEMPLATES{{
    {"Click mouse button", "CLICK_MOUSE <Left/Right/Middle/X1/X2> <Single/Double>"},
    {"Close a window", "CLOSE_WINDOW \"Window title\""},
    {"Delay", "DELAY <Duration>"},
    {"Focus a window", "FOCUS_WINDOW \"Window title\""},
    {"Hold a key down", "KEY_DOWN <Character>"},
    {"Message box", "MSG_BOX \"Message\""},
    {"Minimize a window", "MINIMIZE_WINDOW \"Window title\""},
    {"Move mouse cursor", "MOVE_CURSOR <X co-ordinate> <Y co-ordinate>"},
    {"Open a web site", "OPEN_URL \"Web site address\""},
    {"Play a sound", "PLAY_SOUND \"File path\""},
    {"Press a key", "PRESS_KEY <Character>"},
    {"Release a held key", "KEY_UP <Character>"},
    {"Run an application", "RUN \"Application file path\""},
    {"Scroll mouse wheel", "MOUSE_WHEEL <Wheel units, 120 a notch away>"},
    {"Scroll mouse wheel sideways", "MOUSE_HWHEEL <Wheel units, 120 a notch right>"},
    {"Shutdown computer", "SHUTDOWN <Shutdown/Restart/Logoff>"},
    {"Type text", "TYPE \"Text\""},
}};

// The entry the list shows selected when the editor opens.
inline constexpr std::string_view FIRST_EVENT_ENTRY = "Click mouse button";

// The template line of a list entry; none for a text that is not in the table.
std::optional<std::string_view> FindEventTemplate(std::string_view entry);

// The code text with `line` appended: on a line of its own unless the text is empty or already
// ends with a line feed, no line break after it. None when the result would exceed
// CODE_CAPACITY - 1 characters as the file holds them: a line is never inserted in part.
std::optional<std::string> AppendEventLine(std::string_view codeText, std::string_view line);
