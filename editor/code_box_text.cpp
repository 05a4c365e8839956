#include "editor/code_box_text.h"

#include <string_view>

#include "macro/file/read_file_line.h"

namespace {

bool StartsWith(const char* line, std::string_view prefix) {
    return std::string_view(line).substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string ReadCodeBoxText(FileSystem& files, DesktopPort& desktop, const std::string& path) {
    std::unique_ptr<ReadableFile> file = files.OpenOrCreateForReading(path);
    if (!file) {
        desktop.MessageBoxA(NO_WINDOW, "Error opening file: " + path, "Error!",
                            desk::BOX_OK | desk::BOX_ICON_ERROR);
        return {};
    }
    LineReader reader(std::move(file));
    char line[LINE_CAPACITY];
    bool started = false;
    while (!started && reader.ReadFileLine(line))
        started = StartsWith(line, "START");
    std::string text;
    bool first = true;
    while (started && reader.ReadFileLine(line) && !StartsWith(line, "END")) {
        if (!first) text += "\r\n";
        text += line;
        first = false;
        if (text.size() > CODE_CAPACITY - 1) {
            text.resize(CODE_CAPACITY - 1);
            break;
        }
    }
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}
