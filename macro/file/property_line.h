#pragma once
// The grammar of "KEYWORD value" lines shared by the macro and schedule file readers.
#include <string_view>

struct PropertyLine {
    std::string_view keyword;  // first run of characters other than the space
    std::string_view value;    // everything after the one space that ends the keyword
    bool hasValue;             // false when the keyword runs to the end of the line
};

PropertyLine SplitPropertyLine(std::string_view line);

// A line whose first or second character is a slash.
bool IsCommentLine(std::string_view line);

// A value in double quotes: an opening quote passed over, up to the next quote or the line's end.
std::string_view QuotedValue(std::string_view value);

// A plain value: up to the first semicolon, or the line's end.
std::string_view PlainValue(std::string_view value);

// The next run of non-space characters; `rest` moves past it.
std::string_view NextWord(std::string_view& rest);
