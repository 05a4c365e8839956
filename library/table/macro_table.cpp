#include "library/table/macro_table.h"

#include <cstring>

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"

namespace {

void MarkModified(MacroLibrary& library) {
    library.table.modified = true;
    library.saveItem.EnableSave(true);
}

}  // namespace

MacroLoadRules LibraryLoadRules(const MacroLibrary& library) {
    return MacroLoadRules{library.macroDelay(), false, library.table.InUse(), library.mainWindow};
}

Macro* FindMacroByID(MacroTable& table, int32_t id) {
    for (int position = 0; position < table.count; ++position)
        if (table.macros[position].id == id) return &table.macros[position];
    return nullptr;
}

bool IsMacroLoaded(const MacroTable& table, std::string_view path) {
    for (const Macro& macro : table.InUse())
        if (FieldText(macro.fileName) == path) return true;
    return false;
}

void ClearMacroSlot(Macro& macro) {
    std::memset(&macro, 0, sizeof macro);
}

Macro* PrepareNextSlot(MacroLibrary& library) {
    MacroTable& table = library.table;
    if (table.count >= MACRO_CAPACITY) {
        ReportError(library.desktop, library.mainWindow,
                    "The macro list is full: a list holds at most 100 macros", ERROR_CAPTION);
        return nullptr;
    }
    ClearMacroSlot(table.macros[table.count]);
    return &table.macros[table.count];
}

bool AddMacro(MacroLibrary& library) {
    MacroTable& table = library.table;
    if (table.count >= MACRO_CAPACITY) return false;
    Macro& macro = table.macros[table.count];
    macro.id = library.list.AppendEntry(std::string(FieldText(macro.name)));
    table.count++;
    MarkModified(library);
    return true;
}

void RemoveMacro(MacroLibrary& library, int position) {
    MacroTable& table = library.table;
    if (position < 0 || position >= table.count) return;
    library.list.DeleteEntry(position);
    for (int next = position + 1; next < table.count; ++next) {
        if (!FindMacroByID(table, next))
            ReportError(library.desktop, NO_WINDOW, "FindMacroByID failed", ERROR_CAPTION);
        table.macros[next - 1] = table.macros[next];
        table.macros[next - 1].id--;
    }
    table.count--;
    MarkModified(library);
}

void ClearMacroTable(MacroLibrary& library) {
    for (int entries = library.list.EntryCount(); entries > 0; --entries)
        library.list.DeleteEntry(0);
    MacroTable& table = library.table;
    for (int position = 0; position < table.count; ++position)
        ClearMacroSlot(table.macros[position]);
    table.count = 0;
}

void ShowMacroList(MacroLibrary& library) {
    MacroTable& table = library.table;
    for (int position = 0; position < table.count; ++position)
        table.macros[position].id =
            library.list.AppendEntry(std::string(FieldText(table.macros[position].name)));
}

bool ImportMacro(MacroLibrary& library, const std::string& path) {
    if (IsMacroLoaded(library.table, path)) {
        ReportError(library.desktop, library.mainWindow, "This macro has already been loaded",
                    ERROR_CAPTION);
        return false;
    }
    Macro* slot = PrepareNextSlot(library);
    if (!slot) return false;
    if (!LoadMacroFile(library.files, library.desktop, LibraryLoadRules(library), path, *slot)) {
        ClearMacroSlot(*slot);
        return false;
    }
    return AddMacro(library);
}
