// Saving a macro file when a step of the save fails: the create, any single write, the flush,
// the close or the final replace. The previous file stays byte for byte, nothing is left
// beside it, the failure is reported, and the changes stay pending until a save succeeds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/apply_changes.h"
#include "library/table/trigger_encoding.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_editor_views.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/memory_file_system.h"

namespace {

using ::testing::ElementsAre;

Macro NamedMacro(const std::string& name, const std::string& path) {
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    CopyText(macro.name, name);
    CopyText(macro.fileName, path);
    macro.active = 1;
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 1;
    return macro;
}

TEST(MacroFileFault, EveryFailedStepLeavesThePreviousFile) {
    MemoryFileSystem disk;
    FaultyFileSystem files(disk);
    Macro macro = NamedMacro("Greet", disk.Path("greet.mro"));
    const std::string previous = FormatMacroFile("TYPE \"old\"\r\n", macro);
    disk.Write("greet.mro", previous);
    CopyText(macro.name, "Renamed");

    ASSERT_TRUE(SaveMacroFile(files, "TYPE \"new\"\r\n", macro));
    const int writes = files.writes;
    ASSERT_GE(writes, 1);
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        disk.Write("greet.mro", previous);
        files.Arm(fault);
        EXPECT_FALSE(SaveMacroFile(files, "TYPE \"new\"\r\n", macro));
        EXPECT_EQ(files.faultsMade, 1);
        EXPECT_EQ(disk.Read(macro.fileName), previous);
        EXPECT_THAT(disk.NamesBeside(macro.fileName), ElementsAre("greet.mro"));
    }
}

// The editor's Apply: "Error rewriting macro file", and the edit stays pending (Apply enabled,
// editorModified set) so that neither OK nor a later Apply loses it.
TEST(MacroFileFault, FailedApplyIsReportedAndKeepsTheEditPending) {
    MemoryFileSystem disk;
    FaultyFileSystem files(disk);
    FakeDesktop desktop;
    auto table = std::make_unique<MacroTable>();
    Macro& macro = table->macros[0] = NamedMacro("Greet", disk.Path("greet.mro"));
    table->count = 1;
    table->currentMacro = &macro;
    const std::string previous = FormatMacroFile("TYPE \"old\"\r\n", macro);
    EditorState state;
    FakeFormView view;
    CallRecordingMacroList list;
    ApplyContext context{*table, state, desktop, files, list, 10};

    for (const Fault& fault : EveryFault(1)) {
        SCOPED_TRACE(fault.Describe());
        disk.Write("greet.mro", previous);
        view.form = FormFromMacro(macro);
        view.form.name = "Renamed";
        view.code = "TYPE \"new\"\r\n";
        state.editorModified = true;
        desktop.boxes.clear();
        files.Arm(fault);
        EXPECT_EQ(ApplyChanges(context, view), ApplyResult::NotRewritten);
        EXPECT_EQ(disk.Read(macro.fileName), previous);
        EXPECT_THAT(disk.NamesBeside(macro.fileName), ElementsAre("greet.mro"));
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, "Error rewriting macro file");
        EXPECT_EQ(desktop.boxes[0].caption, "Error!");
        EXPECT_EQ(desktop.boxes[0].owner, FAKE_EDITOR);
        EXPECT_TRUE(state.editorModified);
        EXPECT_TRUE(view.applyEnabled);

        files.Arm(Fault{});  // the disk recovers: the pending edit is written whole
        EXPECT_EQ(ApplyChanges(context, view), ApplyResult::Stored);
        EXPECT_EQ(disk.Read(macro.fileName), FormatMacroFile(view.code, macro));
        EXPECT_STREQ(macro.name, "Renamed");
        EXPECT_FALSE(state.editorModified);
        macro = NamedMacro("Greet", disk.Path("greet.mro"));
    }
}

// New macro onto an existing file the user agreed to replace: the file stays, nothing is added.
using NewMacroFaultTest = MainWindowTest;

TEST_F(NewMacroFaultTest, FailedNewMacroLeavesTheReplacedFileAndTheLibrary) {
    Populate(1);
    table.modified = false;
    const std::string previous = "//someone else's macro\r\n";
    const std::string path = WriteFile("existing.mro", previous);
    for (const Fault& fault : EveryFault(1)) {
        SCOPED_TRACE(fault.Describe());
        desktop.boxes.clear();
        dialogs.answers.push_back(path);
        files.Arm(fault);
        NewMacroCommand(context);
        EXPECT_EQ(ReadFile(path), previous);
        EXPECT_THAT(desktop.BoxTexts(), ElementsAre("Error writing file"));
        EXPECT_EQ(table.count, 1);
        EXPECT_THAT(list.entries, ElementsAre("M0"));
        EXPECT_FALSE(table.modified);
        EXPECT_EQ(view.editorOpenings, 0);
    }
    EXPECT_THAT(disk.NamesBeside(path), ElementsAre("existing.mro", "m0.mro"));
}

}  // namespace
