#include "macro/player/step_list.h"

#include <cstring>

namespace {

bool IsStartLine(const char* line) {
    return line[0] == '\0' || std::strncmp(line, "START", 5) == 0;
}

bool IsEndLine(const char* line) {
    return std::strncmp(line, "END", 3) == 0;
}

}  // namespace

StepList ScanStepList(LineReader& reader) {
    StepList list{0, 1};
    char line[LINE_CAPACITY];
    for (;;) {
        reader.ReadFileLine(line);
        if (IsStartLine(line)) break;
        list.linesBeforeStart++;
    }
    while (reader.ReadFileLine(line) && !IsEndLine(line))
        list.stepCount++;
    return list;
}

void SkipLines(LineReader& reader, int32_t count) {
    char line[LINE_CAPACITY];
    for (int32_t i = 0; i < count; i++)
        reader.ReadFileLine(line);
}
