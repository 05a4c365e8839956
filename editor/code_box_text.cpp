#include "editor/code_box_text.h"

#include <algorithm>
#include <string_view>

#include "macro/desktop/error_report.h"
#include "macro/file/read_file_line.h"

namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Adds one code line to the whole code and, until the file's code outgrows the box, to the box
// text; `lengthInFile` counts the file's code up to there.
void AppendCodeLine(CodeBoxText& code, std::size_t& lengthInFile, std::string_view line,
                    bool first) {
    if (!first) code.wholeCode += "\r\n";
    code.wholeCode += line;
    if (lengthInFile > CODE_CAPACITY - 1) return;
    std::string_view content = WithoutCarriageReturn(line);
    lengthInFile += (first ? 0 : 2) + content.size();
    if (!first) code.text += "\r\n";
    if (content.size() > LINE_CAPACITY - 1) {
        code.fit = CodeFit::Cut;
        line = content.substr(0, LINE_CAPACITY - 1);
    }
    code.text += line;
}

// The first carriage return of every CR CR LF: the box shows it, the file does not hold it.
std::size_t CarriageReturnsNotInFile(std::string_view boxText) {
    std::size_t count = 0;
    for (std::size_t i = 2; i < boxText.size(); ++i)
        count += boxText[i] == '\n' && boxText[i - 1] == '\r' && boxText[i - 2] == '\r';
    return count;
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
        ReportOpenError(desktop, NO_WINDOW, path);
        return {};
    }
    LineReader reader(std::move(file));
    char start[LINE_CAPACITY];
    bool started = false;
    while (!started && reader.ReadFileLine(start))
        started = StartsWith(start, "START");
    CodeBoxText code;
    std::size_t lengthInFile = 0;
    std::string line;
    bool first = true;
    while (started && reader.ReadWholeLine(line, RoomToHold(code)) && !StartsWith(line, "END")) {
        if (reader.LastLineCut()) return {"", CodeFit::TooLong, ""};
        AppendCodeLine(code, lengthInFile, line, first);
        first = false;
    }
    if (lengthInFile > CODE_CAPACITY - 1) {
        code.text.resize(std::min<std::size_t>(code.text.size(), CODE_CAPACITY - 1));
        code.fit = CodeFit::Cut;
    }
    DropFinalCarriageReturn(code.text);
    DropFinalCarriageReturn(code.wholeCode);
    if (code.fit == CodeFit::Whole) code.wholeCode.clear();
    return code;
}

std::size_t CodeLengthInFile(std::string_view boxText) {
    return boxText.size() - CarriageReturnsNotInFile(boxText);
}

std::size_t CodeBoxLimit(std::string_view boxText) {
    return CODE_CAPACITY - 1 + CarriageReturnsNotInFile(boxText);
}

std::size_t FirstLineTooLong(std::string_view boxText) {
    std::size_t lineNumber = 1;
    std::size_t length = 0;
    for (char c : boxText) {
        if (c == '\n') {
            ++lineNumber;
            length = 0;
        } else if (c != '\r' && ++length > LINE_CAPACITY - 1) {
            return lineNumber;
        }
    }
    return 0;
}
