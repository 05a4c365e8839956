// Apply: the form stored into the current macro, its file rewritten, its list entry renamed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/apply_changes.h"
#include "library/table/trigger_encoding.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_editor_views.h"
#include "tests/support/memory_file_system.h"

namespace {

class EditorApplyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AddMacro("First", Trigger{0x70, 0, 1, 0});  // Ctrl+F1
        Macro& edited = AddMacro("Greet", Trigger{0x41, 1, 0, 0});
        edited.speed = 50;
        edited.playStyle = PLAY_STYLE_TIMES;
        edited.playCount = 2;
        table.currentMacro = &edited;
        view.form = FormFromMacro(edited);
        view.code = "DELAY 100\r\r\nPRESS_KEY 65";
        state.editorModified = true;
    }
    Macro& AddMacro(const char* name, Trigger trigger) {
        Macro& macro = table.macros[table.count];
        macro.id = table.count++;
        CopyText(macro.name, name);
        CopyText(macro.fileName, disk.Path(std::string(name) + ".mro"));
        macro.trigger = trigger;
        macro.active = 1;
        return macro;
    }
    ApplyResult Apply() { return ApplyChanges(context, view); }

    MemoryFileSystem disk;
    FakeDesktop desktop;
    MacroTable table;
    EditorState state;
    FakeFormView view;
    CallRecordingMacroList list;
    ApplyContext context{table, state, desktop, disk, list, 10};
};

TEST_F(EditorApplyTest, ApplyStoresTheFormRewritesTheFileAndRenamesTheEntry) {
    view.form.name = "Hello";
    view.form.times = "5";
    ASSERT_EQ(Apply(), ApplyResult::Stored);
    const Macro& macro = table.macros[1];
    EXPECT_STREQ(macro.name, "Hello");
    EXPECT_EQ(macro.playCount, 5);
    EXPECT_EQ(macro.speed, 10) << "the MacroDelay in effect, not the macro's own 50";
    EXPECT_EQ(disk.Read(macro.fileName), FormatMacroFile("DELAY 100\r\nPRESS_KEY 65", macro));
    EXPECT_NE(disk.Read(macro.fileName).find("SPEED 10;\r\n"), std::string::npos);
    EXPECT_EQ(list.calls, (std::vector<std::string>{"delete 1", "insert 1 Hello"}));
    EXPECT_FALSE(state.editorModified);
    EXPECT_FALSE(view.applyEnabled);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorApplyTest, TriggerOfAnotherMacroIsRefusedAndClearedThenApplyStoresNoTrigger) {
    view.form.name = "Changed";
    view.form.hotKey = HotKeyControlValue(Trigger{0x70, 0, 1, 0});
    ASSERT_EQ(Apply(), ApplyResult::TriggerInUse);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "The trigger your have chosen is already being used by another macro. Please "
              "choose a different trigger.");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, FAKE_EDITOR);
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(view.form.hotKey, 0) << "the hot-key control is cleared";
    EXPECT_STREQ(table.macros[1].name, "Greet") << "nothing stored";
    EXPECT_FALSE(disk.Exists(table.macros[1].fileName));
    EXPECT_TRUE(list.calls.empty());
    EXPECT_TRUE(state.editorModified);
    EXPECT_TRUE(view.applyEnabled);

    ASSERT_EQ(Apply(), ApplyResult::Stored);
    EXPECT_EQ(table.macros[1].trigger.virtualKey, 0);
    EXPECT_STREQ(table.macros[1].name, "Changed");
}

TEST_F(EditorApplyTest, OwnTriggerAndTriggersDifferingInAModifierDoNotClash) {
    ASSERT_EQ(Apply(), ApplyResult::Stored) << "the macro keeps its own trigger";
    view.form.hotKey = HotKeyControlValue(Trigger{0x70, 1, 1, 0});  // Ctrl+Shift+F1
    ASSERT_EQ(Apply(), ApplyResult::Stored);
    EXPECT_EQ(table.macros[1].trigger.shift, 1);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorApplyTest, FileThatCannotBeRewrittenIsReportedAndTheChangesStayPending) {
    disk.missingFolders.insert(disk.Path("no such folder\\"));
    CopyText(table.macros[1].fileName, disk.Path("no such folder\\greet.mro"));
    view.form.name = "Hello";
    ASSERT_EQ(Apply(), ApplyResult::NotRewritten);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error rewriting macro file");
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_STREQ(table.macros[1].name, "Hello") << "the record takes the form regardless";
    EXPECT_EQ(list.calls, (std::vector<std::string>{"delete 1", "insert 1 Hello"}));
    EXPECT_TRUE(state.editorModified);
    EXPECT_TRUE(view.applyEnabled);
}

TEST_F(EditorApplyTest, HeldCodeIsStoredWholeInsteadOfTheCutBox) {
    const std::string whole = "TYPE \"" + std::string(400, 'a') + "\"\r\r\nDELAY 6";
    context.heldCode = &whole;
    view.code = "TYPE \"aaa";
    ASSERT_EQ(Apply(), ApplyResult::Stored);
    const Macro& macro = table.macros[1];
    EXPECT_EQ(disk.Read(macro.fileName),
              FormatMacroFile("TYPE \"" + std::string(400, 'a') + "\"\r\nDELAY 6", macro));
    EXPECT_NE(disk.Read(macro.fileName).find("\r\nTYPE \"" + std::string(400, 'a')),
              std::string::npos);
}

TEST_F(EditorApplyTest, NothingHappensWithoutACurrentMacro) {
    table.currentMacro = nullptr;
    EXPECT_EQ(Apply(), ApplyResult::NoMacro);
    EXPECT_TRUE(list.calls.empty());
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(state.editorModified);
}

}  // namespace
