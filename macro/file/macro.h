#pragma once
// The macro document: one macro's properties and the path of its .mro file.
#include <cstdint>

constexpr int LINE_CAPACITY = 300;     // one line of any text file, terminator included
constexpr int CODE_CAPACITY = 161072;  // macro code text, terminator included
constexpr int NEW_MACRO_ID = 9999;     // owner id of a macro that is being loaded

constexpr int MACRO_NAME_CAPACITY = 30;
constexpr int MACRO_PATH_CAPACITY = 260;
constexpr int MACRO_DESCRIPTION_CAPACITY = 300;
constexpr int MACRO_WINDOW_CAPACITY = 100;

enum PlayStyle : int32_t {
    PLAY_STYLE_FOR_SECONDS = 0,
    PLAY_STYLE_TIMES = 1,
    PLAY_STYLE_UNTIL_STOPPED = 2,
};

struct Trigger {
    int16_t virtualKey;  // 0: no trigger
    int32_t shift;
    int32_t control;
    int32_t alt;
};

struct Macro {
    int32_t id;
    char name[MACRO_NAME_CAPACITY];
    char fileName[MACRO_PATH_CAPACITY];
    char description[MACRO_DESCRIPTION_CAPACITY];
    Trigger trigger;
    int32_t active;
    int32_t isPrivate;
    char window[MACRO_WINDOW_CAPACITY];
    int32_t playCount;
    int32_t repeatTime;
    int32_t playStyle;
    int32_t speed;
    // The path as the macro list names it, when the macro was read from one: fileName may be
    // that path taken against the list's folder. Empty for a macro added by New or Import.
    char listedFileName[MACRO_PATH_CAPACITY];
};
