#pragma once
#include <string>

// Turns the letters a-z into A-Z, in place; every other byte stays.
void UpperCaseInPlace(std::string& text);
void UpperCaseInPlace(char* text);
