#pragma once
// The text the editor's code box is filled with: the code section of a macro file.
#include <cstddef>
#include <string>
#include <string_view>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"

enum class CodeFit {
    Whole,    // the box shows the code as it is
    Cut,      // a line over LINE_CAPACITY - 1 characters, or the file's code over CODE_CAPACITY - 1
    TooLong,  // more than HELD_CODE_LIMIT characters: the editor cannot keep it
};

// The most code the editor keeps for a macro whose code the box cannot hold.
constexpr std::size_t HELD_CODE_LIMIT = 64 * 1024 * 1024;

struct CodeBoxText {
    // The lines between the file's START and END lines, each with the carriage return it was
    // read with, joined by CR LF, without a final carriage return; each line at most
    // LINE_CAPACITY - 1 characters and the whole at most CODE_CAPACITY - 1 as the file holds it
    // (CodeLengthInFile); cut code at most CODE_CAPACITY - 1 characters of the box.
    std::string text;
    CodeFit fit = CodeFit::Whole;
    // The same lines uncut when fit is Cut (empty otherwise): what Apply stores while the box
    // shows them cut.
    std::string wholeCode;
};

// A missing file is created empty; a file that cannot be opened is reported ("Error opening
// file: %s") and gives an empty text.
CodeBoxText ReadCodeBoxText(FileSystem& files, DesktopPort& desktop, const std::string& path);

// The length of the box's text as the macro file holds it: a line break that the box shows as
// CR CR LF (a line read with its carriage return) is one CR LF in the file.
std::size_t CodeLengthInFile(std::string_view boxText);

// The number, counted from 1, of the first line of the box's text that the macro file would
// hold with more than LINE_CAPACITY - 1 characters (carriage returns are not written); 0 when
// every line fits.
std::size_t FirstLineTooLong(std::string_view boxText);

// The code box's character limit for `boxText`: CODE_CAPACITY - 1 characters as the file holds
// them, plus the carriage returns the box shows and the file does not hold.
std::size_t CodeBoxLimit(std::string_view boxText);
