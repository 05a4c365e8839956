#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editor/apply_changes.h"
#include "library/program/engine_trigger_player.h"
#include "library/program/tray_control.h"
#include "library/table/macro_list_commands.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "resources/keyloom_ids.h"
#include "tests/support/fake_editor_views.h"
#include "tests/support/main_window_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t ERROR_BOX = desk::BOX_OK | desk::BOX_ICON_ERROR;
constexpr int16_t KEY_F5 = 0x74;

class MainWindowCommandsTest : public MainWindowTest {
  protected:
    void ExpectOnlyBox(const std::string& text, const std::string& caption, uint32_t style) {
        ASSERT_EQ(desktop.boxes.size(), 1u)
            << "boxes: " << ::testing::PrintToString(desktop.BoxTexts());
        EXPECT_EQ(desktop.boxes[0].text, text);
        EXPECT_EQ(desktop.boxes[0].caption, caption);
        EXPECT_EQ(desktop.boxes[0].style, style);
        EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    }
};

TEST_F(MainWindowCommandsTest, NewMacroWritesTheDefaultsSelectsItAndOpensTheEditorOnIt) {
    Populate(1);
    saveItem.changes.clear();
    table.modified = false;
    std::string path = "C:\\fresh.mro";
    dialogs.answers.push_back(path);
    view.whileEditorOpen = [&] {
        EXPECT_EQ(table.currentMacro, &table.macros[1]);
        EXPECT_FALSE(view.visible);
        EXPECT_TRUE(editor.clearModifiedOnShow);
    };

    NewMacroCommand(context);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    const FileDialogRequest& request = dialogs.shown[0].request;
    EXPECT_TRUE(dialogs.shown[0].save);
    EXPECT_EQ(request.title, "Create new macro file");
    EXPECT_EQ(request.owner, MAIN_WINDOW);
    ASSERT_EQ(request.types.size(), 2u);
    EXPECT_EQ(request.types[0].description, "Macro Files (*.mro)");
    EXPECT_EQ(request.types[0].pattern, "*.mro");
    EXPECT_EQ(request.types[1].description, "All Files (*.*)");
    EXPECT_EQ(request.types[1].pattern, "*.*");
    EXPECT_EQ(request.defaultExtension, "mro");

    EXPECT_EQ(table.count, 2);
    EXPECT_THAT(list.entries, ElementsAre("M0", "New macro"));
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(table.macros[1].id, 1);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    EXPECT_EQ(view.editorOpenings, 1);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(ReadFile(path),
              "//File created by Keyloom v1\r\n\r\n"
              "//Macro properties (Editing could cause corruption!)\r\n"
              "NAME \"New macro\";\r\n"
              "DESCRIPTION \"Macro description\";\r\n"
              "TRIGGER_KEYS 0 0 0 0\r\n"
              "ACTIVE TRUE;\r\n"
              "PRIVATE FALSE;\r\n"
              "WINDOW ;\r\n"
              "PLAY_COUNT 1;\r\n"
              "REPEAT_TIME 0;\r\n"
              "PLAY_STYLE 1;\r\n"
              "SPEED 0;\r\n"
              "\r\n//Main macro code (editing could cause corruption!):\r\n"
              "START\r\n\r\nEND\r\n");
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(MainWindowCommandsTest, NewMacroThatCannotBeCreatedLeavesTheLibraryAsItWas) {
    Populate(1);
    table.modified = false;
    NewMacroCommand(context);  // the dialog is cancelled
    EXPECT_EQ(table.count, 1);
    EXPECT_EQ(view.editorOpenings, 0);

    files.Arm(Fault{FaultPoint::Create});
    dialogs.answers.push_back("C:\\fresh.mro");
    NewMacroCommand(context);  // the file cannot be written
    files.Arm(Fault{});
    ExpectOnlyBox("Error writing file", "Error", ERROR_BOX);
    EXPECT_EQ(table.count, 1);
    EXPECT_THAT(list.entries, ElementsAre("M0"));
    EXPECT_FALSE(table.modified);
    EXPECT_EQ(view.editorOpenings, 0);

    desktop.boxes.clear();
    dialogs.answers.push_back(table.macros[0].fileName);  // a file the library already holds
    std::string before = ReadFile(table.macros[0].fileName);
    NewMacroCommand(context);
    ExpectOnlyBox("This macro has already been loaded", "Error", ERROR_BOX);
    EXPECT_EQ(table.count, 1);
    EXPECT_EQ(ReadFile(table.macros[0].fileName), before);
}

TEST_F(MainWindowCommandsTest, CommandsOnTheSelectedMacroAskForASelection) {
    Populate(2);
    const uint32_t warning = desk::BOX_OK | desk::BOX_ICON_WARNING;
    for (auto command : {PlayCommand, EditCommand, RemoveCommand}) {
        desktop.boxes.clear();
        command(context);
        ExpectOnlyBox("Please select a macro", "Keyloom", warning);
    }
    desktop.boxes.clear();
    ExportCommand(context);
    EXPECT_THAT(desktop.boxes, IsEmpty());
    EXPECT_THAT(dialogs.shown, IsEmpty());
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(view.editorOpenings, 0);
}

TEST_F(MainWindowCommandsTest, DetailsShowTheSelectedMacrosDescriptionTriggerAndState) {
    Populate(2);
    table.macros[1].trigger = Trigger{KEY_F5, 1, 1, 0};
    CopyText(table.macros[1].description, "Fills the form");
    table.macros[0].active = 0;

    view.selected = 1;
    ShowSelectedDetails(context);
    EXPECT_EQ(table.currentMacro, &table.macros[1]);
    EXPECT_EQ(view.description, "Fills the form");
    EXPECT_EQ(view.triggerDisplay, 0x0374);  // F5 with Shift (1) and Control (2)
    EXPECT_EQ(view.enabledText, "YES");

    view.selected = 0;
    ShowSelectedDetails(context);
    EXPECT_EQ(view.triggerDisplay, 0);
    EXPECT_EQ(view.enabledText, "NO");

    view.selected = -1;
    ShowSelectedDetails(context);
    EXPECT_EQ(view.enabledText, "NO");
    EXPECT_THAT(desktop.boxes, IsEmpty());

    view.selected = 5;  // an entry without a macro
    ShowSelectedDetails(context);
    ExpectOnlyBox("FindMacroByID failed", "Error", ERROR_BOX);
    EXPECT_EQ(view.enabledText, "NO");
}

TEST_F(MainWindowCommandsTest, RemoveAsksFirstAndNoLeavesEverythingAsItWas) {
    Populate(3);
    table.modified = false;
    view.selected = 1;
    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    RemoveCommand(context);
    ExpectOnlyBox("Remove the selected macro?", "Keyloom",
                  desk::BOX_YESNO | desk::BOX_ICON_QUESTION);
    EXPECT_EQ(table.count, 3);
    EXPECT_FALSE(table.modified);

    desktop.boxAnswers.push_back(desk::ANSWER_YES);
    RemoveCommand(context);
    EXPECT_THAT(Names(), ElementsAre("M0", "M2"));
    EXPECT_THAT(Ids(), ElementsAre(0, 1));
    EXPECT_THAT(list.entries, ElementsAre("M0", "M2"));
    EXPECT_TRUE(table.modified);
    EXPECT_EQ(table.currentMacro, nullptr);
    EXPECT_TRUE(disk.Exists("C:\\m1.mro"));  // the macro's file stays
}

TEST_F(MainWindowCommandsTest, ImportOpensTheImportDialogAndRefusesAMacroAlreadyLoaded) {
    Populate(1);
    std::string other = WriteMacro("other.mro", "Other");
    dialogs.answers.push_back(other);
    ImportCommand(context);
    EXPECT_FALSE(dialogs.shown[0].save);
    EXPECT_EQ(dialogs.shown[0].request.title, "Import macro from file");
    EXPECT_EQ(dialogs.shown[0].request.defaultExtension, "mro");
    EXPECT_THAT(list.entries, ElementsAre("M0", "Other"));
    EXPECT_EQ(view.selected, -1);  // the new entry is not selected

    dialogs.answers.push_back(other);
    ImportCommand(context);
    ExpectOnlyBox("This macro has already been loaded", "Error", ERROR_BOX);
    EXPECT_EQ(table.count, 2);
}

TEST_F(MainWindowCommandsTest, ExportCopiesTheMacroFileAndReplacesATargetTheUserConfirmed) {
    Populate(2);
    view.selected = 1;
    std::string target = WriteFile("exported.mro", "old contents");
    dialogs.answers.push_back(target);
    ExportCommand(context);
    EXPECT_TRUE(dialogs.shown[0].save);
    EXPECT_EQ(dialogs.shown[0].request.title, "Export macro to file");
    EXPECT_EQ(ReadFile(target), ReadFile("C:\\m1.mro"));
    EXPECT_EQ(table.currentMacro, &table.macros[1]);
    EXPECT_THAT(desktop.boxes, IsEmpty());

    std::string exported = ReadFile(target);
    files.Arm(Fault{FaultPoint::Create});
    dialogs.answers.push_back(target);
    ExportCommand(context);
    ExpectOnlyBox("Error writing file", "Error", ERROR_BOX);
    EXPECT_EQ(ReadFile(target), exported);  // a failed copy leaves the target as it was

    files.Arm(Fault{});
    desktop.boxes.clear();
    files.Remove(table.macros[1].fileName);  // the macro's own file is gone
    dialogs.answers.push_back(target);
    ExportCommand(context);
    ExpectOnlyBox("Error writing file", "Error", ERROR_BOX);
    EXPECT_EQ(ReadFile(target), exported);
}

TEST_F(MainWindowCommandsTest, EditAbandonsAPausedPlayAndShowsTheWindowAgainAfterTheEditor) {
    Populate(1);
    CopyText(table.macros[0].description, "Types a greeting");
    view.selected = 0;
    playState.position = 4;
    view.progress = 4;
    view.editorOpens = false;
    EditCommand(context);
    EXPECT_EQ(playState.position, 0);
    EXPECT_EQ(view.progress, 0);
    EXPECT_EQ(view.description, "Types a greeting");
    EXPECT_THAT(log, ElementsAre("hide window", "open editor",
                                 "MessageBoxA Error!: Failed to initialise properties dialog",
                                 "restore window"));
    EXPECT_EQ(desktop.boxes[0].style, ERROR_BOX);
}

TEST_F(MainWindowCommandsTest, AfterApplyTheEditedMacroIsSelectedAgainAndShownAsItNowIs) {
    Populate(3);
    view.selected = 1;
    view.whileEditorOpen = [&] {
        FakeFormView form;
        form.form = FormFromMacro(table.macros[1]);
        form.form.name = "Renamed";
        form.form.description = "Edited";
        form.form.hotKey = 0x0174;  // Shift+F5
        form.form.enabled = false;
        ApplyContext apply{table, editor, desktop, files, list, macroDelay};
        ASSERT_EQ(ApplyChanges(apply, form), ApplyResult::Stored);
        view.selected = -1;  // the list box lets go of the selection with the deleted entry
    };
    EditCommand(context);
    EXPECT_THAT(list.entries, ElementsAre("M0", "Renamed", "M2"));
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(table.currentMacro, &table.macros[1]);
    EXPECT_EQ(view.description, "Edited");
    EXPECT_EQ(view.triggerDisplay, 0x0174);
    EXPECT_EQ(view.enabledText, "NO");
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

// A command of the window or of its icon, given inside the box of a running play.
struct NestedCommand {
    const char* name;
    void (*give)(MainWindowContext& context);
};
const NestedCommand NESTED_COMMANDS[] = {
    {"Play", PlayCommand},
    {"Edit", EditCommand},
    {"New", NewMacroCommand},
    {"Remove", RemoveCommand},
    {"Import", ImportCommand},
    {"Pause", PauseCommand},
    {"Stop", StopCommand},
    {"Exit", ExitCommand},
    {"NewMacroList", [](MainWindowContext& c) { ReplaceListCommand(c, NewMacroListCommand); }},
    {"OpenMacroList", [](MainWindowContext& c) { ReplaceListCommand(c, OpenMacroListCommand); }},
    {"CloseRequest", HideInTray},
    {"IconDoubleClick", RestoreFromTray},
    {"RestoreMainWindow", [](MainWindowContext& c) { OnTrayCommand(c, IDM_TRAY_RESTORE); }},
    {"CloseKeyloom", [](MainWindowContext& c) { OnTrayCommand(c, IDM_TRAY_CLOSE); }},
    {"HotKey", [](MainWindowContext& c) { OnHotKey(c.hotKeys, 0); }},
};

// Played by a hot key in the notification area (true) or by the Play button, macro M0 shows a
// box; the command given there starts no other play, leaves the running one as it is, and
// changes neither the table, the list, the window nor the icon under it.
class NestedCommandTest : public MainWindowTest,
                          public ::testing::WithParamInterface<std::tuple<bool, NestedCommand>> {
  protected:
    EngineTriggerPlayer engine{player};
    HotKeys live{table, desktop, engine, MAIN_WINDOW};
    MainWindowContext liveContext{library, live, player, editor, view, tray};
};

TEST_P(NestedCommandTest, StartsNoPlayAndChangesNothingUnderTheRunningOne) {
    const auto& [fromHotKey, command] = GetParam();
    Populate(2);
    table.macros[0].trigger = Trigger{KEY_F5, 0, 1, 0};
    WriteFile("m0.mro", "START\r\nMSG_BOX \"Inside\"\r\nPRESS_KEY A\r\nEND\r\n");
    const std::string otherList = WriteList("other.lst", {WriteMacro("other.mro", "Other")});
    const std::string listName(FieldText(table.listFileName));
    table.modified = false;
    if (fromHotKey) HideInTray(liveContext);
    view.selected = 0;
    dialogs.answers = {std::string("C:\\new.mro"), otherList, otherList};
    bool given = false;
    desktop.onCall = [&](const std::string& call) {
        if (given || call != "MessageBoxA Keyloom: Inside") return;
        given = true;
        const PlayState before = playState;
        const std::size_t callsBefore = desktop.calls.size();
        command.give(liveContext);
        EXPECT_TRUE(playState.playing);
        EXPECT_EQ(playState.position, before.position);
        EXPECT_EQ(playState.timerId, before.timerId);
        EXPECT_EQ(desktop.calls.size(), callsBefore) << "no box, no key, no hot key";
    };
    fromHotKey ? OnHotKey(live, 0) : PlayCommand(liveContext);
    ASSERT_TRUE(given);
    EXPECT_EQ(desktop.boxes.front().text, "Inside");
    EXPECT_THAT(Names(), ElementsAre("M0", "M1"));
    EXPECT_THAT(list.entries, ElementsAre("M0", "M1"));
    EXPECT_EQ(FieldText(table.listFileName), listName);
    EXPECT_EQ(view.editorOpenings, 0);
    EXPECT_THAT(dialogs.shown, IsEmpty());
    EXPECT_FALSE(view.ended);
    EXPECT_EQ(tray.present, fromHotKey);
    EXPECT_EQ(view.visible, !fromHotKey);
    EXPECT_EQ(desktop.registeredHotKeys.size(), fromHotKey ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, NestedCommandTest,
                         ::testing::Combine(::testing::Bool(),
                                            ::testing::ValuesIn(NESTED_COMMANDS)),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).name) +
                                    (std::get<0>(info.param) ? "InAHotKeysPlay"
                                                             : "InAPlayButtonPlay");
                         });

TEST_F(MainWindowCommandsTest, PlayPlaysTheSelectedMacroEvenWhenItIsNotEnabled) {
    Populate(1);
    WriteFile("m0.mro", "NAME \"M0\";\r\nACTIVE FALSE;\r\nSTART\r\nPRESS_KEY A\r\nEND\r\n");
    table.macros[0].active = 0;
    view.selected = 0;
    PlayCommand(context);
    EXPECT_EQ(table.currentMacro, &table.macros[0]);
    EXPECT_THAT(desktop.calls, Contains("keybd_event 65 0"));
    EXPECT_EQ(log.front(), "hide window");
    EXPECT_THAT(std::vector<std::string>(log.end() - 2, log.end()),
                ElementsAre("await input", "restore window"))
        << "the window comes back once the target has taken the keys";
    EXPECT_TRUE(view.buttons[static_cast<int>(PlayButton::Play)]);
    EXPECT_FALSE(view.buttons[static_cast<int>(PlayButton::Pause)]);
    EXPECT_FALSE(view.buttons[static_cast<int>(PlayButton::Stop)]);
}

// Between plays: a play paused at step 3, the one-second timer still running.
TEST_F(MainWindowCommandsTest, PauseLetsGoOfThePlayAndStopAlsoRewindsIt) {
    ASSERT_TRUE(StartPlayTimer(playState, desktop, PLAY_TIMER_ID));
    playState.position = 3;
    view.progress = 3;
    PauseCommand(context);
    EXPECT_FALSE(playState.playing);
    EXPECT_EQ(playState.timerId, 0u);
    EXPECT_EQ(playState.position, 3);

    StopCommand(context);
    EXPECT_EQ(playState.position, 0);
    EXPECT_EQ(view.progress, 0);
    EXPECT_TRUE(view.buttons[static_cast<int>(PlayButton::Stop)]);  // stays enabled
}

TEST_F(MainWindowCommandsTest, InitialisationStartsTheTimerSetsTheButtonsAndReopensTheLastList) {
    Populate(2);
    std::string listPath =
        WriteList("last.lst", {table.macros[0].fileName, table.macros[1].fileName});
    ClearMacroTable(library);
    InitialiseMainWindow(context, listPath);
    EXPECT_TRUE(desktop.HasThreadTimer(playState.timerId));
    EXPECT_THAT(desktop.calls, Contains("SetTimer 1337 1000"));
    EXPECT_FALSE(view.buttons[static_cast<int>(PlayButton::Pause)]);
    EXPECT_FALSE(view.buttons[static_cast<int>(PlayButton::Stop)]);
    EXPECT_TRUE(view.buttons[static_cast<int>(PlayButton::Play)]);
    EXPECT_THAT(list.entries, ElementsAre("M0", "M1"));
    EXPECT_EQ(FieldText(table.listFileName), listPath);
}

TEST_F(MainWindowCommandsTest, InitialisationWithoutItsTimerOpensAnEmptyWindow) {
    std::string listPath = WriteList("last.lst", {WriteMacro("a.mro", "A")});
    desktop.refuseThreadTimers = true;
    InitialiseMainWindow(context, listPath);
    ExpectOnlyBox("Failed to create timer", "Error", ERROR_BOX);
    EXPECT_THAT(list.entries, IsEmpty());
    EXPECT_TRUE(view.buttons[static_cast<int>(PlayButton::Stop)]);
}

TEST_F(MainWindowCommandsTest, ShowingOrHidingSetsTheTitleAndTheSaveItem) {
    table.modified = true;
    RefreshOnShowOrHide(context);
    EXPECT_EQ(view.title, "Keyloom");
    EXPECT_TRUE(saveItem.enabled);
    table.modified = false;
    RefreshOnShowOrHide(context);
    EXPECT_FALSE(saveItem.enabled);
    EXPECT_THAT(desktop.boxes, IsEmpty());

    class MissingSaveItem : public SaveMenuItem {
      public:
        bool EnableSave(bool) override { return false; }
    } missing;
    MacroLibrary withoutSave{table, list,    missing,     dialogs,
                             files, desktop, MAIN_WINDOW, [] { return 20; }};
    MainWindowContext withoutSaveContext{withoutSave, hotKeys, player, editor, view, tray};
    RefreshOnShowOrHide(withoutSaveContext);
    ExpectOnlyBox("Failed to find menu item", "Error", ERROR_BOX);
}

TEST_F(MainWindowCommandsTest, ExitOffersToSaveAndCancelKeepsTheWindowOpen) {
    Populate(1);  // modified
    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    ExitCommand(context);
    EXPECT_FALSE(view.ended);
    EXPECT_EQ(desktop.boxes[0].text, "Save changes to current macro list?");
    EXPECT_TRUE(table.modified);

    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    ExitCommand(context);
    EXPECT_TRUE(view.ended);
}

}  // namespace
