#pragma once
// Where the steps of a pass lie in a macro file: the START line and the code lines after it,
// up to the END line or the end of the file.
#include <cstdint>

#include "macro/file/read_file_line.h"

struct StepList {
    int32_t linesBeforeStart;
    int32_t stepCount;  // the START step and every code line
};

// Reads the file from its first line. An empty read (the end of the file gives one) ends the
// search for START as if it were the START line.
StepList ScanStepList(LineReader& reader);

// Reads and drops `count` lines.
void SkipLines(LineReader& reader, int32_t count);
