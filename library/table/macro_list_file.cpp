#include "library/table/macro_list_file.h"

#include <string_view>

#include "library/table/list_load_problems.h"
#include "macro/desktop/error_report.h"
#include "macro/file/listed_path.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"

namespace {

// A zero byte or a control character other than tab, carriage return and line feed: no text
// holds one, so a file that does is no macro list (a picture chosen with "All Files").
bool IsTextByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x20 ? value != 0x7F : value == '\t' || value == '\r' || value == '\n';
}

// Hands a file to the line reader at most one line at a time, so that the first byte that is
// not text is seen with the line that holds it.
class TextLines : public ReadableFile {
  public:
    explicit TextLines(std::unique_ptr<ReadableFile> file) : file_(std::move(file)) {}
    long Read(char* buffer, std::size_t size) override {
        if (next_ == filled_) {
            const long got = file_->Read(buffer_, sizeof buffer_);
            if (got <= 0) return got;
            filled_ = static_cast<std::size_t>(got);
            next_ = 0;
        }
        std::size_t count = 0;
        while (next_ < filled_ && count < size) {
            const char byte = buffer_[next_++];
            buffer[count++] = byte;
            if (!IsTextByte(byte)) notText_ = true;
            if (byte == '\n' || !IsTextByte(byte)) break;
        }
        return static_cast<long>(count);
    }
    bool NotText() const { return notText_; }

  private:
    std::unique_ptr<ReadableFile> file_;
    char buffer_[4096];
    std::size_t filled_ = 0;
    std::size_t next_ = 0;
    bool notText_ = false;
};

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

std::string_view FailureReason(MacroLoadFailure failure) {
    return failure == MacroLoadFailure::TRIGGER_IN_USE
               ? "its trigger has already been used by an existing macro"
               : "the file cannot be opened";
}

// Loads the macro that the list at `listPath` names as `listed` into the slot at `count`; a
// macro that does not load leaves the slot clear and is noted in `problems`.
void LoadListedMacro(MacroLibrary& library, const std::string& listPath, std::string_view listed,
                     ListLoadProblems& problems) {
    const std::string path = ResolveListedPath(listPath, listed);
    if (path.size() >= MACRO_PATH_CAPACITY) {
        problems.Refuse(listed,
                        "its path from the folder of the list is longer than 259 "
                        "characters");
        return;
    }
    MacroTable& table = library.table;
    Macro& slot = table.macros[table.count];
    ClearMacroSlot(slot);
    const MacroLoadFailure failure =
        ReadMacroFile(library.files, LibraryLoadRules(library), path, slot);
    if (failure != MacroLoadFailure::NONE) {
        ClearMacroSlot(slot);
        problems.Refuse(listed, FailureReason(failure));
        return;
    }
    CopyText(slot.listedFileName, listed);
    slot.id = table.count++;
}

// Reads the list's lines into the table, noting what does not load; stops at the line after
// the 100th macro line, and at a line that is not text.
void ReadListLines(MacroLibrary& library, const std::string& path, LineReader& reader,
                   const TextLines& text, ListLoadProblems& problems) {
    int entries = 0;
    char line[LINE_CAPACITY];
    for (int number = 1; reader.ReadFileLine(line); ++number) {
        if (text.NotText()) {
            problems.Stop("Reading stopped at line " + std::to_string(number) + " of " + path +
                          ": the file is not text");
            return;
        }
        std::string_view macroPath = PathOfLine(line);
        if (macroPath.empty()) continue;
        if (entries++ == MACRO_CAPACITY) {
            problems.Stop("The macro list is full: a list holds at most 100 macros");
            return;
        }
        if (reader.LastLineCut() || macroPath.size() >= MACRO_PATH_CAPACITY)
            problems.Refuse("Line " + std::to_string(number), "too long to be a file path");
        else
            LoadListedMacro(library, path, macroPath, problems);
    }
}

// The line that names `macro` in the list file at `listPath`.
std::string ListLineOf(const std::string& listPath, const Macro& macro) {
    return ListedPathFor(listPath, FieldText(macro.listedFileName), FieldText(macro.fileName)) +
           "\r\n";
}

}  // namespace

void LoadMacroList(MacroLibrary& library, const std::string& path) {
    std::unique_ptr<ReadableFile> file = library.files.OpenForReading(path);
    if (!file) {
        ReportOpenError(library.desktop, NO_WINDOW, path);
        return;
    }
    auto text = std::make_unique<TextLines>(std::move(file));
    const TextLines& textSeen = *text;
    LineReader reader(std::move(text));
    library.table.count = 0;
    ListLoadProblems problems;
    ReadListLines(library, path, reader, textSeen, problems);
    problems.Report(library.desktop, path);
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
