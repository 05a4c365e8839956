#pragma once
// What identifies a running Keyloom: the title of its main window.
#include "settings/program_start.h"

constexpr char MAIN_WINDOW_TITLE[] = "Keyloom";
constexpr char ALREADY_RUNNING_MESSAGE[] = "An instance of Keyloom is already running";
