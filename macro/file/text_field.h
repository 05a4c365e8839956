#pragma once
// Fixed-size text fields: every copy into one goes through here, so nothing can overrun.
#include <cstddef>
#include <cstring>
#include <string_view>

// Copies as much of `text` as fits, always terminated; false when the text was cut.
inline bool CopyText(char* field, std::size_t capacity, std::string_view text) {
    if (capacity == 0) return text.empty();
    std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (length > 0) std::memcpy(field, text.data(), length);  // an empty view may hold null
    field[length] = '\0';
    return length == text.size();
}

template <std::size_t N>
bool CopyText(char (&field)[N], std::string_view text) {
    return CopyText(field, N, text);
}

// Length of a field's text, never reading past the field.
template <std::size_t N>
std::size_t FieldLength(const char (&field)[N]) {
    return strnlen(field, N);
}

template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, FieldLength(field));
}
