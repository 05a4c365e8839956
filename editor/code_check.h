#pragma once
// The editor's Check: every line of the code box through Keyloom's argument tests, without
// playing any of it.
#include <string>
#include <vector>

#include "macro/desktop/desktop_port.h"

// A line a play would refuse: its number (the first line is 1) and the message the play shows.
struct LineProblem {
    int number;
    std::string message;
    bool operator==(const LineProblem&) const = default;
};

std::vector<LineProblem> CheckCodeLines(const std::vector<std::string>& lines);

// One text for the box: "Line N: message" for each problem, a line each (the first 20, then how
// many more), or "No problems found".
std::string DescribeProblems(const std::vector<LineProblem>& problems);

// The box of a check: the problems with the error icon, or that there are none.
void ShowCodeCheck(DesktopPort& desktop, WindowHandle owner, const std::vector<std::string>& lines);
