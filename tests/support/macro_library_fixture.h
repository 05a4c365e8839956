#pragma once
// A macro library over recording views, a fake desktop and macro files in memory, named as on
// the platform ("C:\name"); any step of a save can be made to fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/table/macro_table.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_macro_library_views.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

class MacroLibraryTest : public ::testing::Test {
  protected:
    static constexpr WindowHandle MAIN_WINDOW = 77;

    // Writes `bytes` to the file `name`; returns its path, "C:\name".
    std::string WriteFile(const std::string& name, const std::string& bytes);
    std::string ReadFile(const std::string& path) const;
    // Writes a macro file named `name` with the given trigger; returns its path.
    std::string WriteMacro(const std::string& file, const std::string& name,
                           Trigger trigger = Trigger{0, 0, 0, 0});
    // Writes a list file of these lines, each followed by `lineEnd`; returns its path.
    std::string WriteList(const std::string& file, const std::vector<std::string>& lines,
                          const std::string& lineEnd = "\r\n");
    // Fills the table and the list with macros named "M0", "M1", ... from files m0.mro, ...
    void Populate(int count);
    std::vector<std::string> Names() const;  // of the macros in use, in table order
    std::vector<int> Ids() const;

    MemoryFileSystem disk;
    FaultyFileSystem files{disk};
    FakeDesktop desktop;
    FakeMacroList list;
    FakeSaveItem saveItem;
    FakeFileDialogs dialogs;
    int32_t macroDelay = 20;
    MacroTable table;
    MacroLibrary library{table, list,    saveItem,    dialogs,
                         files, desktop, MAIN_WINDOW, [this] { return macroDelay; }};
};
