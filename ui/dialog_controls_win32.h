#pragma once
// Reading and setting the controls of a dialog by their ids.
#include <windows.h>

#include <string>

std::string ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
void EnableControl(HWND dialog, int id, bool enabled);
bool IsControlEnabled(HWND dialog, int id);
void LimitText(HWND dialog, int id, int characters);
