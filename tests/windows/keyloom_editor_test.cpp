// The editor's properties half: opening, Apply, the trigger clash, closing, the window box and
// play style rules, and the modal entry.
#include "tests/windows/keyloom_editor_fixture.h"

namespace {

using namespace editor_test;

// What the modal editor's own message loop lets a timer see of it before cancelling it.
struct ModalProbe {
    BoxAnswerer* answerer;
    RECT rect{};
    bool cancelled = false;  // seen visible and cancelled
    int ticks = 0;
};
ModalProbe* probe = nullptr;

void CALLBACK CancelModalEditor(HWND, UINT, UINT_PTR, DWORD) {
    HWND editor = probe ? probe->answerer->lastEditor : nullptr;
    if (!editor || probe->cancelled) return;
    if (!IsWindowVisible(editor)) {
        // Not shown within five seconds: end the test instead of hanging.
        if (++probe->ticks > 50) EndDialog(editor, -2);
        return;
    }
    GetWindowRect(editor, &probe->rect);
    probe->cancelled = true;
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_CANCEL, BN_CLICKED), 0);
}
TEST_F(EditorWindowTest, OpeningFillsEveryControlAndCountsNoChange) {
    Open();
    EXPECT_EQ(Text(IDC_EDITOR_NAME), "Greet");
    EXPECT_EQ(Text(IDC_EDITOR_DESCRIPTION), "Says hello");
    EXPECT_EQ(SendMessageA(Control(IDC_EDITOR_TRIGGER), HKM_GETHOTKEY, 0, 0), 0x0141);
    EXPECT_TRUE(Checked(IDC_EDITOR_ENABLED));
    EXPECT_TRUE(Checked(IDC_PLAY_TIMES));
    EXPECT_FALSE(Checked(IDC_PLAY_FOR));
    EXPECT_FALSE(Checked(IDC_REPEAT_UNTIL_STOPPED));
    EXPECT_TRUE(Enabled(IDC_TIMES));
    EXPECT_FALSE(Enabled(IDC_SECONDS));
    EXPECT_EQ(Text(IDC_TIMES), "2");
    EXPECT_EQ(Text(IDC_SECONDS), "30");
    EXPECT_EQ(Code(), "DELAY 100\r\r\nPRESS_KEY 65");
    EXPECT_EQ(SendMessageA(Control(IDC_CODE), EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(Text(IDC_ELAPSED_MINUTES), "00");
    EXPECT_EQ(Text(IDC_ELAPSED_SECONDS), "00");
    EXPECT_FALSE(Enabled(IDC_PREVIEW_STOP));
    EXPECT_TRUE(Enabled(IDC_PREVIEW_PLAY));
    EXPECT_TRUE(Enabled(IDC_RECORD));
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "filling the form is no change";
    char caption[64] = "";
    GetWindowTextA(editor, caption, sizeof caption);
    EXPECT_STREQ(caption, "Keyloom");
    EXPECT_NE(SendMessageA(editor, WM_GETICON, ICON_SMALL, 0), 0);
    Click(IDC_EDITOR_OK);
    EXPECT_TRUE(Closed()) << "OK without changes closes at once";
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(EditorWindowTest, ApplyWritesTheFileWithTheMacroDelayAndRenamesTheListEntry) {
    settings.macroDelay = 10;
    Open();
    Type(IDC_EDITOR_NAME, "Hello");
    ASSERT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_EQ(FileText(),
              Replace(Replace(MACRO_FILE, "SPEED 50;", "SPEED 10;"), "\"Greet\"", "\"Hello\""));
    EXPECT_EQ(table.macros[1].speed, 10);
    EXPECT_STREQ(table.macros[1].name, "Hello");
    EXPECT_EQ(list.calls, (std::vector<std::string>{"delete 1", "insert 1 Hello"}));
    EXPECT_FALSE(Enabled(IDC_APPLY));
    Click(IDC_EDITOR_OK);
    EXPECT_TRUE(Closed()) << "nothing left to save";
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(EditorWindowTest, EveryBoxRadioAndCheckIsStoredByApply) {
    Open();
    Type(IDC_EDITOR_DESCRIPTION, "Waves");
    Click(IDC_EDITOR_ENABLED);
    Click(IDC_SPECIFIC_WINDOW);
    EXPECT_TRUE(Enabled(IDC_WINDOW_TEXT));
    EXPECT_FALSE(Checked(IDC_ANY_WINDOW));
    Type(IDC_WINDOW_TEXT, "Notepad");
    Click(IDC_PLAY_FOR);
    EXPECT_FALSE(Enabled(IDC_TIMES));
    EXPECT_TRUE(Enabled(IDC_SECONDS));
    EXPECT_FALSE(Checked(IDC_PLAY_TIMES)) << "the three play styles form one group";
    Type(IDC_SECONDS, "12345");
    Click(IDC_APPLY);
    const Macro& macro = table.macros[1];
    EXPECT_STREQ(macro.description, "Waves");
    EXPECT_EQ(macro.active, 0);
    EXPECT_EQ(macro.isPrivate, 1);
    EXPECT_STREQ(macro.window, "Notepad");
    EXPECT_EQ(macro.playStyle, PLAY_STYLE_FOR_SECONDS);
    EXPECT_EQ(macro.repeatTime, 12345);
    EXPECT_EQ(FileText(), FormatMacroFile("DELAY 100\r\nPRESS_KEY 65", macro));

    Click(IDC_REPEAT_UNTIL_STOPPED);
    EXPECT_FALSE(Enabled(IDC_TIMES));
    EXPECT_FALSE(Enabled(IDC_SECONDS));
    Click(IDC_ANY_WINDOW);
    EXPECT_FALSE(Enabled(IDC_WINDOW_TEXT));
    Click(IDC_APPLY);
    EXPECT_EQ(macro.playStyle, PLAY_STYLE_UNTIL_STOPPED);
    EXPECT_EQ(macro.isPrivate, 0);
}

TEST_F(EditorWindowTest, TriggerOfAnotherMacroIsRefusedThenApplyStoresNoTrigger) {
    Open();
    HWND trigger = Control(IDC_EDITOR_TRIGGER);
    SetForegroundWindow(editor);
    SetFocus(trigger);
    PumpFor(50);
    TapCombination({VK_CONTROL}, VK_F1);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(trigger, HKM_GETHOTKEY, 0, 0) == 0x0270; }))
        << "typed Ctrl+F1 into the hot-key control";
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "a changed trigger is a change";
    Click(IDC_APPLY);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error");
    EXPECT_EQ(answerer.boxes[0].text,
              "The trigger your have chosen is already being used by another macro. Please "
              "choose a different trigger.");
    EXPECT_EQ(SendMessageA(trigger, HKM_GETHOTKEY, 0, 0), 0) << "the control is cleared";
    EXPECT_EQ(FileText(), MACRO_FILE) << "nothing stored";
    EXPECT_EQ(table.macros[1].trigger.virtualKey, 'A');
    EXPECT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_EQ(table.macros[1].trigger.virtualKey, 0);
    EXPECT_NE(FileText().find("TRIGGER_KEYS 0 0 0 0\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, CancelClosesAtOnceAndLeavesTheFileUntouched) {
    Open();
    Type(IDC_EDITOR_NAME, "Changed");
    Type(IDC_EDITOR_DESCRIPTION, "Changed too");
    Type(IDC_TIMES, "9");
    Type(IDC_CODE, "TYPE \"new\"");
    Click(IDC_EDITOR_CANCEL);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(FileText(), MACRO_FILE);
    EXPECT_STREQ(table.macros[1].name, "Greet");
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(EditorWindowTest, EscapeDoesNothing) {
    Open();
    Type(IDC_EDITOR_NAME, "Changed");
    SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(EditorWindowTest, OkWithChangesAsksAndFollowsTheAnswer) {
    Open();
    Type(IDC_SECONDS, "99");  // the seconds box counts as a change like every other box
    EXPECT_TRUE(Enabled(IDC_APPLY));
    answerer.answers = {IDCANCEL};
    Click(IDC_EDITOR_OK);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Keyloom");
    EXPECT_EQ(answerer.boxes[0].text, "The macro has been modified. Save changes?");
    EXPECT_FALSE(Closed()) << "Cancel keeps the editor open";

    answerer.answers = {IDNO};
    Click(IDC_EDITOR_OK);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(FileText(), MACRO_FILE) << "No stores nothing";
    EXPECT_EQ(table.macros[1].repeatTime, 30);
}

TEST_F(EditorWindowTest, YesStoresAndCloses) {
    Open();
    Type(IDC_SECONDS, "99");
    answerer.answers = {IDYES};
    Click(IDC_EDITOR_OK);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(table.macros[1].repeatTime, 99);
    EXPECT_NE(FileText().find("REPEAT_TIME 99;\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, CloseBoxAsksAndAYesRefusedByATriggerClashKeepsTheEditorOpen) {
    Open();
    SendMessageA(Control(IDC_EDITOR_TRIGGER), HKM_SETHOTKEY, 0x0270, 0);  // Ctrl+F1, as typed
    Type(IDC_EDITOR_NAME, "Changed");
    answerer.answers = {IDYES};
    SendMessageA(editor, WM_CLOSE, 0, 0);
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[0].text, "The macro has been modified. Save changes?");
    EXPECT_EQ(answerer.boxes[1].caption, "Error");
    EXPECT_FALSE(Closed()) << "the changes the user asked to save are not dropped";
    EXPECT_EQ(FileText(), MACRO_FILE);

    answerer.answers = {IDYES};
    SendMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed());
    EXPECT_STREQ(table.macros[1].name, "Changed");
    EXPECT_NE(FileText().find("TRIGGER_KEYS 0 0 0 0\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, NullWindowOfAnUnrestrictedMacroIsShownDisabledAndStoredAgain) {
    Open();
    EXPECT_TRUE(Checked(IDC_ANY_WINDOW));
    EXPECT_FALSE(Checked(IDC_SPECIFIC_WINDOW));
    EXPECT_FALSE(Enabled(IDC_WINDOW_TEXT));
    EXPECT_EQ(Text(IDC_WINDOW_TEXT), "NULL");
    Type(IDC_EDITOR_NAME, "Hello");
    Click(IDC_APPLY);
    EXPECT_NE(FileText().find("WINDOW NULL;\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, RestrictionToNoWindowTextIsShownAndKept) {
    Open(Replace(Replace(MACRO_FILE, "PRIVATE FALSE;", "PRIVATE TRUE;"), "WINDOW NULL;",
                 "WINDOW ;"));
    EXPECT_TRUE(Checked(IDC_SPECIFIC_WINDOW));
    EXPECT_FALSE(Checked(IDC_ANY_WINDOW));
    EXPECT_TRUE(Enabled(IDC_WINDOW_TEXT));
    EXPECT_EQ(Text(IDC_WINDOW_TEXT), "");
    Type(IDC_EDITOR_NAME, "Hello");
    Click(IDC_APPLY);
    EXPECT_NE(FileText().find("PRIVATE TRUE;\r\nWINDOW ;\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, RestrictedMacroShowsItsWindowInAnEnabledBox) {
    Open(Replace(Replace(MACRO_FILE, "PRIVATE FALSE;", "PRIVATE TRUE;"), "WINDOW NULL;",
                 "WINDOW Notepad;"));
    EXPECT_TRUE(Checked(IDC_SPECIFIC_WINDOW));
    EXPECT_FALSE(Checked(IDC_ANY_WINDOW));
    EXPECT_TRUE(Enabled(IDC_WINDOW_TEXT));
    EXPECT_EQ(Text(IDC_WINDOW_TEXT), "Notepad");
}

TEST_F(EditorWindowTest, PlayStyleOutsideTheRangeChecksNoRadioButtonAndIsKept) {
    Open(Replace(MACRO_FILE, "PLAY_STYLE 1;", "PLAY_STYLE 5;"));
    EXPECT_FALSE(Checked(IDC_PLAY_TIMES));
    EXPECT_FALSE(Checked(IDC_PLAY_FOR));
    EXPECT_FALSE(Checked(IDC_REPEAT_UNTIL_STOPPED));
    EXPECT_TRUE(Enabled(IDC_TIMES));
    EXPECT_TRUE(Enabled(IDC_SECONDS));
    Type(IDC_EDITOR_NAME, "Hello");
    Click(IDC_APPLY);
    EXPECT_EQ(table.macros[1].playStyle, 5);
    EXPECT_NE(FileText().find("PLAY_STYLE 5;\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, WithoutACurrentMacroTheFormStaysEmptyAndApplyStoresNothing) {
    table.currentMacro = nullptr;
    Create();
    ASSERT_NE(editor, nullptr);
    ShowWindow(editor, SW_SHOW);
    EXPECT_EQ(Text(IDC_EDITOR_NAME), "");
    EXPECT_EQ(Code(), "");
    Type(IDC_EDITOR_NAME, "Nothing");
    Click(IDC_APPLY);
    EXPECT_TRUE(list.calls.empty());
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(EditorWindowTest, ModalEditorOpensCentredAndClosesOnCancel) {
    dir.Write("greet.mro", MACRO_FILE);
    LoadEditedMacro(table.macros[1]);
    table.currentMacro = &table.macros[1];
    ModalProbe seen{&answerer};
    probe = &seen;
    PrepareEditorChangeTracking(state);
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CancelModalEditor);
    INT_PTR result = ShowMacroEditor(context);
    KillTimer(nullptr, timer);
    probe = nullptr;
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(seen.cancelled);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_NEAR((seen.rect.left + seen.rect.right) / 2, screenWidth / 2, 2) << "centred";
    EXPECT_EQ(FileText(), MACRO_FILE);
}

// A box the preview shows runs a message loop that delivers the editor's own messages: its
// buttons, given there, wait for the preview to end.
TEST_F(EditorWindowTest, InsideThePreviewsBoxTheEditorsButtonsDoNothing) {
    Open();
    Type(IDC_CODE, "MSG_BOX \"Inside\"");
    const std::string file = FileText();
    answerer.whileOpen = [&](const std::string& text) {
        if (text != "Inside") return;
        for (int id : {IDC_PREVIEW_PLAY, IDC_RECORD, IDC_INSERT, IDC_APPLY, IDC_EDITOR_OK,
                       IDC_EDITOR_CANCEL})
            PostMessageA(editor, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        PostMessageA(editor, WM_CLOSE, 0, 0);
    };
    Click(IDC_PREVIEW_PLAY);
    PumpFor(100);
    ASSERT_EQ(answerer.boxes.size(), 1u) << "another preview, a recording or a question";
    EXPECT_EQ(answerer.boxes[0].text, "Inside");
    EXPECT_EQ(Code(), "MSG_BOX \"Inside\"");
    EXPECT_EQ(FileText(), file);
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "the code typed is still to be applied";
    EXPECT_FALSE(Closed());
    EXPECT_FALSE(play.playing);
}

}  // namespace
