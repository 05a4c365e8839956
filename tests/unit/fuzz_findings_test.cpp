// Faults the fuzz targets found, kept as plain cases so that they stay fixed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

namespace {

// The editor allows a description of 299 characters; its saved line is longer than any other
// line of a text file, and reading it back through the common line buffer lost the last 13.
TEST(FuzzFindings, LongestDescriptionSurvivesSaveAndLoad) {
    MemoryFileSystem disk;
    FakeDesktop desktop;
    Macro saved;
    std::memset(&saved, 0, sizeof saved);
    CopyText(saved.name, std::string(MACRO_NAME_CAPACITY - 1, 'n'));
    CopyText(saved.description, std::string(MACRO_DESCRIPTION_CAPACITY - 1, 'd'));
    CopyText(saved.window, std::string(MACRO_WINDOW_CAPACITY - 1, 'w'));
    CopyText(saved.fileName, disk.Path("long.mro"));
    ASSERT_TRUE(SaveMacroFile(disk, "", saved));

    for (const MacroLoadRules& rules :
         {MacroLoadRules{10, false, {}, NO_WINDOW}, SchedulerLoadRules(NO_WINDOW)}) {
        Macro loaded;
        std::memset(&loaded, 0, sizeof loaded);
        ASSERT_TRUE(LoadMacroFile(disk, desktop, rules, saved.fileName, loaded));
        EXPECT_EQ(FieldText(loaded.description), FieldText(saved.description));
        EXPECT_EQ(FieldText(loaded.name), FieldText(saved.name));
        EXPECT_EQ(FieldText(loaded.window), FieldText(saved.window));
    }
}

}  // namespace
