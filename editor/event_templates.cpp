#include "editor/event_templates.h"

#include "editor/code_box_text.h"
#include "macro/file/macro.h"

std::optional<std::string_view> FindEventTemplate(std::string_view entry) {
    for (const EventTemplate& event : EVENT_TEMPLATES)
        if (event.entry == entry) return event.line;
    return std::nullopt;
}

std::optional<std::string> AppendEventLine(std::string_view codeText, std::string_view line) {
    std::string text(codeText);
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    text += line;
    if (CodeLengthInFile(text) > CODE_CAPACITY - 1) return std::nullopt;
    return text;
}
