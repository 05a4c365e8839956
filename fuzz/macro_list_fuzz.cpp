// The macro list reader on any bytes, over a few macro files that exist: the table never takes
// more than its 100 slots, positions and ids stay one, and a saved list reads back the same.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "library/table/macro_list_file.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_macro_library_views.h"
#include "tests/support/memory_file_system.h"

namespace {

constexpr char LIST_PATH[] = "C:\\fuzz.lst";

std::string MacroFile(const char* name, const char* triggerKeys) {
    return std::string("NAME \"") + name + "\";\r\nTRIGGER_KEYS " + triggerKeys +
           "\r\nSTART\r\nTYPE \"x\"\r\nEND\r\n";
}

// The macro files a list may name; three.mro has the trigger of one.mro.
void AddMacroFiles(MemoryFileSystem& files) {
    files.files["C:\\one.mro"] = MacroFile("One", "65 1 0 0");
    files.files["C:\\two.mro"] = MacroFile("Two", "0 0 0 0");
    files.files["C:\\three.mro"] = MacroFile("Three", "65 1 0 0");
    // A line "  C:\spaced.mro" is relative: it is taken from the list's folder, spaces and all.
    files.files["C:\\  C:\\spaced.mro"] = MacroFile("Spaced", "66 0 0 0");
}

std::vector<std::string> FileNames(const MacroTable& table) {
    std::vector<std::string> names;
    for (const Macro& macro : table.InUse())
        names.emplace_back(FieldText(macro.fileName));
    return names;
}

void CheckTable(const MacroTable& table) {
    FUZZ_CHECK(table.count >= 0 && table.count <= MACRO_CAPACITY);
    for (int position = 0; position < table.count; ++position) {
        const Macro& macro = table.macros[position];
        FUZZ_CHECK(macro.id == position);
        FUZZ_CHECK(FieldLength(macro.fileName) > 0);
        FUZZ_CHECK(FieldLength(macro.fileName) < MACRO_PATH_CAPACITY);
        FUZZ_CHECK(FieldLength(macro.name) < MACRO_NAME_CAPACITY);
    }
    FUZZ_CHECK(!table.modified);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    MemoryFileSystem files;
    AddMacroFiles(files);
    files.files[LIST_PATH] = std::string(reinterpret_cast<const char*>(data), size);
    FakeDesktop desktop;
    FakeMacroList list;
    FakeSaveItem saveItem;
    FakeFileDialogs dialogs;
    auto table = std::make_unique<MacroTable>();
    MacroLibrary library{*table, list, saveItem, dialogs, files, desktop, 77, [] { return 10; }};

    LoadMacroList(library, LIST_PATH);
    CheckTable(*table);
    FUZZ_CHECK(list.entries.empty());
    const std::vector<std::string> loaded = FileNames(*table);

    ShowMacroList(library);
    FUZZ_CHECK(list.EntryCount() == table->count);
    FUZZ_CHECK(SaveMacroList(library, LIST_PATH));
    ClearMacroTable(library);
    LoadMacroList(library, LIST_PATH);
    CheckTable(*table);
    FUZZ_CHECK(FileNames(*table) == loaded);
    return 0;
}
