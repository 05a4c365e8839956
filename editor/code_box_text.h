#pragma once
// The text the editor's code box is filled with: the code section of a macro file.
#include <string>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"

// The lines between the file's START and END lines, each with the carriage return it was read
// with, joined by CR LF, without a final carriage return; at most CODE_CAPACITY - 1
// characters. A missing file is created empty; a file that cannot be opened is reported
// ("Error opening file: %s") and gives an empty text.
std::string ReadCodeBoxText(FileSystem& files, DesktopPort& desktop, const std::string& path);
