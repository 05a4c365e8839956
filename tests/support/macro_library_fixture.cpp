#include "tests/support/macro_library_fixture.h"

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "tests/support/macro_played_once.h"

std::string MacroLibraryTest::WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = "C:\\" + name;
    disk.files[path] = bytes;
    return path;
}

std::string MacroLibraryTest::ReadFile(const std::string& path) const {
    return disk.Read(path);
}

std::string MacroLibraryTest::WriteMacro(const std::string& file, const std::string& name,
                                         Trigger trigger) {
    Macro macro = MacroPlayedOnce(0);
    CopyText(macro.name, name);
    CopyText(macro.fileName, "C:\\" + file);
    macro.trigger = trigger;
    macro.active = 1;
    return WriteFile(file, FormatMacroFile("", macro));
}

std::string MacroLibraryTest::WriteList(const std::string& file,
                                        const std::vector<std::string>& lines,
                                        const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + lineEnd;
    return WriteFile(file, bytes);
}

void MacroLibraryTest::Populate(int count) {
    for (int i = 0; i < count; ++i) {
        std::string index = std::to_string(i);
        ASSERT_TRUE(ImportMacro(library, WriteMacro("m" + index + ".mro", "M" + index)));
    }
}

std::vector<std::string> MacroLibraryTest::Names() const {
    std::vector<std::string> names;
    for (const Macro& macro : table.InUse())
        names.emplace_back(FieldText(macro.name));
    return names;
}

std::vector<int> MacroLibraryTest::Ids() const {
    std::vector<int> ids;
    for (const Macro& macro : table.InUse())
        ids.push_back(macro.id);
    return ids;
}
