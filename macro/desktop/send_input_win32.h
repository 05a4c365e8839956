#pragma once
// The one way Keyloom's keys and buttons reach the desktop: SendInput, each key with its scan
// code in the layout of the window that has the keyboard.
#include <windows.h>

#include <cstdint>

// One key transition (flags 0 or KEYEVENTF_KEYUP); `extra` tells Keyloom's hooks whose it is.
void SendKeyInput(uint8_t virtualKey, DWORD flags, ULONG_PTR extra);

// One button transition or wheel turn at the pointer (MOUSEEVENTF_ flags).
void SendButtonInput(DWORD flags, DWORD data, ULONG_PTR extra);

// The flag of keys that the keyboard sends with the E0 prefix; without it they would arrive
// as their twins on the numeric keypad or on the left.
DWORD ExtendedKeyFlag(uint8_t virtualKey);
