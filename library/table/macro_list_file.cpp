#include "library/table/macro_list_file.h"

#include <string_view>

#include "macro/desktop/error_report.h"
#include "macro/file/listed_path.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"

namespace {

void ReportLoadError(MacroLibrary& library, const std::string& text, std::string_view caption) {
    ReportError(library.desktop, NO_WINDOW, text, caption);
}

// A comment: the first character after any leading spaces, or the one after it, is a slash.
bool IsListComment(std::string_view line) {
    std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    return line[first] == '/' || (first + 1 < line.size() && line[first + 1] == '/');
}

// The macro file path a line names; empty for comments and blank lines (empty, or starting with
// a carriage return). Leading spaces stay; a carriage return at the end goes.
std::string_view PathOfLine(std::string_view line) {
    if (line.empty() || line[0] == '\r' || IsListComment(line)) return {};
    return WithoutCarriageReturn(line);
}

// Loads the macro that the list at `listPath` names as `listed` into the slot at `count`; a
// macro that does not load leaves the slot clear.
void LoadListedMacro(MacroLibrary& library, const std::string& listPath, std::string_view listed) {
    const std::string path = ResolveListedPath(listPath, listed);
    if (path.size() >= MACRO_PATH_CAPACITY) {
        ReportLoadError(library,
                        "The macro file " + std::string(listed) +
                            " was skipped: its path from the folder of the list is longer than "
                            "259 characters",
                        "Error");
        return;
    }
    MacroTable& table = library.table;
    Macro& slot = table.macros[table.count];
    ClearMacroSlot(slot);
    if (!LoadMacroFile(library.files, library.desktop, LibraryLoadRules(library), path, slot)) {
        ClearMacroSlot(slot);
        return;
    }
    CopyText(slot.listedFileName, listed);
    slot.id = table.count++;
}

// The line that names `macro` in the list file at `listPath`.
std::string ListLineOf(const std::string& listPath, const Macro& macro) {
    return ListedPathFor(listPath, FieldText(macro.listedFileName), FieldText(macro.fileName)) +
           "\r\n";
}

}  // namespace

void LoadMacroList(MacroLibrary& library, const std::string& path) {
    std::unique_ptr<LineReader> reader = OpenLineReader(library.files, path);
    if (!reader) {
        ReportOpenError(library.desktop, NO_WINDOW, path);
        return;
    }
    MacroTable& table = library.table;
    table.count = 0;
    char line[LINE_CAPACITY];
    while (reader->ReadFileLine(line)) {
        std::string_view macroPath = PathOfLine(line);
        if (macroPath.empty()) continue;
        if (reader->LastLineCut() || macroPath.size() >= MACRO_PATH_CAPACITY) {
            ReportLoadError(
                library, "A line of the macro list is too long to be a file path; it was skipped",
                "Error");
            continue;
        }
        if (table.count >= MACRO_CAPACITY) {
            ReportLoadError(library, "The macro list is full: a list holds at most 100 macros",
                            "Error");
            return;
        }
        LoadListedMacro(library, path, macroPath);
    }
}

bool SaveMacroList(MacroLibrary& library, const std::string& path) {
    std::string bytes;
    for (int index = 0, entries = library.list.EntryCount(); index < entries; ++index) {
        const Macro* macro = FindMacroByID(library.table, index);
        if (!macro) {
            ReportError(library.desktop, library.mainWindow, "Error finding macro", ERROR_CAPTION);
            return false;
        }
        bytes += ListLineOf(path, *macro);
    }
    if (SaveFileAtomically(library.files, path, bytes)) return true;
    ReportError(library.desktop, library.mainWindow, "Error writing file", ERROR_CAPTION);
    return false;
}
