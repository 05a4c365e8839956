#include "macro/file/property_line.h"

PropertyLine SplitPropertyLine(std::string_view line) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return PropertyLine{{}, {}, false};
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) return PropertyLine{line.substr(start), {}, false};
    return PropertyLine{line.substr(start, end - start), line.substr(end + 1), true};
}

bool IsCommentLine(std::string_view line) {
    return (line.size() > 0 && line[0] == '/') || (line.size() > 1 && line[1] == '/');
}

std::string_view QuotedValue(std::string_view value) {
    if (!value.empty() && value[0] == '"') value.remove_prefix(1);
    return value.substr(0, value.find('"'));
}

std::string_view PlainValue(std::string_view value) {
    return value.substr(0, value.find(';'));
}

std::string_view NextWord(std::string_view& rest) {
    std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    std::size_t end = rest.find(' ', start);
    std::string_view word = rest.substr(start, end == std::string_view::npos ? end : end - start);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    return word;
}
