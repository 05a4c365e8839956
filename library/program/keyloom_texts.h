#pragma once
// Keyloom's own title and messages; the ones both programs share are in
// macro/desktop/error_report.h.

// A running Keyloom is known by this title of its main window.
constexpr char MAIN_WINDOW_TITLE[] = "Keyloom";

constexpr char ALREADY_RUNNING_MESSAGE[] = "An instance of Keyloom is already running";
constexpr char MAIN_WINDOW_FAILED_TEXT[] = "Failed to initialise main dialog";
constexpr char PATH_TOO_LONG_TEXT[] = "The file name is too long";
