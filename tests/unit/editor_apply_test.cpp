// Apply: the form stored into the current macro, its file rewritten, its list entry renamed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/apply_changes.h"
#include "editor/code_box_text.h"
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

// A line the file would hold with more than 299 characters would reopen cut and read-only.
TEST_F(EditorApplyTest, CodeWithALineOver299CharactersIsRefusedAndNothingIsWritten) {
    const std::string fits(299, 'a');
    const std::string over(300, 'a');
    struct Case {
        std::string code;
        std::size_t refusedLine;  // 0: stored
    };
    for (const Case& c :
         {Case{fits, 0}, Case{fits + "\r", 0}, Case{fits + "\r\r\n" + fits, 0}, Case{over, 1},
          Case{"DELAY 5\r\nDELAY 6\r\n" + over, 3}, Case{"DELAY 5\r\r\n" + over + "\r\n" + over, 2},
          Case{fits + "\n\n" + std::string(299, '\r') + over, 3}}) {
        desktop.boxes.clear();
        list.calls.clear();
        disk.files.clear();
        state.editorModified = true;
        view.applyEnabled = true;
        view.form.name = "Changed";
        view.code = c.code;
        const Macro& macro = table.macros[1];
        if (!c.refusedLine) {
            EXPECT_EQ(Apply(), ApplyResult::Stored);
            EXPECT_TRUE(desktop.boxes.empty());
            EXPECT_STREQ(macro.name, "Changed");
            CopyText(table.macros[1].name, "Greet");
            continue;
        }
        EXPECT_EQ(Apply(), ApplyResult::LineTooLong) << c.refusedLine;
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text,
                  "Line " + std::to_string(c.refusedLine) +
                      " of the macro code is longer than 299 characters. Please shorten it or "
                      "split it into several lines; nothing has been saved.");
        EXPECT_EQ(desktop.boxes[0].caption, "Error");
        EXPECT_EQ(desktop.boxes[0].owner, FAKE_EDITOR);
        EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
        EXPECT_STREQ(macro.name, "Greet") << "nothing stored";
        EXPECT_FALSE(disk.Exists(macro.fileName));
        EXPECT_TRUE(list.calls.empty());
        EXPECT_TRUE(state.editorModified);
        EXPECT_TRUE(view.applyEnabled);
    }
}

// Apply on a macro file as Keyloom wrote it, without an edit, writes the same bytes, for every
// combination of the properties the form shows.
TEST_F(EditorApplyTest, ApplyWithoutAnEditWritesTheBytesTheFileHad) {
    const std::string path = disk.Path("Greet.mro");
    for (const char* active : {"TRUE", "FALSE"})
        for (const char* isPrivate : {"TRUE", "FALSE"})
            for (const char* window : {"", "Notepad", "NULL"})
                for (const char* playStyle : {"0", "1", "2", "7"})
                    for (const char* trigger : {"0 0 0 0", "78 1 1 0", "65 2 0 0", "300 0 0 1"}) {
                        const std::string bytes =
                            std::string(
                                "//File created by Keyloom v1\r\n\r\n"
                                "//Macro properties (Editing could cause corruption!)\r\n"
                                "NAME \"Greet\";\r\nDESCRIPTION \"Says hello\";\r\n") +
                            "TRIGGER_KEYS " + trigger + "\r\nACTIVE " + active + ";\r\nPRIVATE " +
                            isPrivate + ";\r\nWINDOW " + window +
                            ";\r\nPLAY_COUNT 3;\r\nREPEAT_TIME 45;\r\nPLAY_STYLE " + playStyle +
                            ";\r\nSPEED 10;\r\n\r\n//Main macro code (editing could cause "
                            "corruption!):\r\nSTART\r\nDELAY 100\r\nPRESS_KEY 65\r\nEND\r\n";
                        disk.files[path] = bytes;
                        Macro& macro = table.macros[1];
                        ASSERT_TRUE(LoadMacroFile(disk, desktop, MacroLoadRules{10, false, {}, 0},
                                                  path, macro));
                        view.form = FormFromMacro(macro);
                        view.code = ReadCodeBoxText(disk, desktop, path).text;
                        ASSERT_EQ(Apply(), ApplyResult::Stored) << bytes;
                        EXPECT_EQ(disk.Read(path), bytes);
                    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorApplyTest, NothingHappensWithoutACurrentMacro) {
    table.currentMacro = nullptr;
    EXPECT_EQ(Apply(), ApplyResult::NoMacro);
    EXPECT_TRUE(list.calls.empty());
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(state.editorModified);
}

}  // namespace
