#pragma once
// The main program's library of macros: positions, ids and list indexes are one and the same.
#include <span>

#include "macro/file/macro.h"

constexpr int MACRO_CAPACITY = 100;

struct MacroTable {
    Macro macros[MACRO_CAPACITY];
    int count;
    Macro* currentMacro;
    char listFileName[MACRO_PATH_CAPACITY];
    bool modified;

    std::span<const Macro> InUse() const { return {macros, static_cast<std::size_t>(count)}; }
};
