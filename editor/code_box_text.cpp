#include "editor/code_box_text.h"

#include <string_view>

#include "macro/file/read_file_line.h"

namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Adds one code line to the whole code and, as far as the box can show it, to the box text.
void AppendCodeLine(CodeBoxText& code, std::string_view line, bool first) {
    if (!first) code.wholeCode += "\r\n";
    code.wholeCode += line;
    if (code.text.size() > CODE_CAPACITY - 1) return;
    if (!first) code.text += "\r\n";
    std::string_view content = WithoutCarriageReturn(line);
    if (content.size() > LINE_CAPACITY - 1) {
        code.fit = CodeFit::Cut;
        line = content.substr(0, LINE_CAPACITY - 1);
    }
    code.text += line;
}

// Room left for the next line within HELD_CODE_LIMIT.
std::size_t RoomToHold(const CodeBoxText& code) {
    return code.wholeCode.size() < HELD_CODE_LIMIT ? HELD_CODE_LIMIT - code.wholeCode.size() : 0;
}

void DropFinalCarriageReturn(std::string& text) {
    text.resize(WithoutCarriageReturn(text).size());
}

}  // namespace

CodeBoxText ReadCodeBoxText(FileSystem& files, DesktopPort& desktop, const std::string& path) {
    std::unique_ptr<ReadableFile> file = files.OpenOrCreateForReading(path);
    if (!file) {
        desktop.MessageBoxA(NO_WINDOW, "Error opening file: " + path, "Error!",
                            desk::BOX_OK | desk::BOX_ICON_ERROR);
        return {};
    }
    LineReader reader(std::move(file));
    char start[LINE_CAPACITY];
    bool started = false;
    while (!started && reader.ReadFileLine(start))
        started = StartsWith(start, "START");
    CodeBoxText code;
    std::string line;
    bool first = true;
    while (started && reader.ReadWholeLine(line, RoomToHold(code)) && !StartsWith(line, "END")) {
        if (reader.LastLineCut()) return {"", CodeFit::TooLong, ""};
        AppendCodeLine(code, line, first);
        first = false;
    }
    if (code.text.size() > CODE_CAPACITY - 1) {
        code.text.resize(CODE_CAPACITY - 1);
        code.fit = CodeFit::Cut;
    }
    DropFinalCarriageReturn(code.text);
    DropFinalCarriageReturn(code.wholeCode);
    if (code.fit == CodeFit::Whole) code.wholeCode.clear();
    return code;
}
