#include "macro/language/upper_case.h"

namespace {

char UpperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

void UpperCaseInPlace(std::string& text) {
    for (char& c : text)
        c = UpperCase(c);
}

void UpperCaseInPlace(char* text) {
    if (!text) return;
    for (; *text != '\0'; ++text)
        *text = UpperCase(*text);
}
