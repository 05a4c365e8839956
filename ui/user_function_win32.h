#pragma once
// Functions of user32 that not every supported system has, looked up by name.
#include <windows.h>

// The function `name` of user32, or null on systems that do not have it.
template <typename Function>
Function UserFunction(const char* name) {
    // Through a plain function pointer: the looked-up address has no type of its own.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}
