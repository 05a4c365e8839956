// The real macro editor dialog, opened on a macro file and driven through its controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/macro_editor_win32.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "resources/keyloom_ids.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"

namespace {

const std::string MACRO_FILE =
    "//File created by Keyloom v1\r\n\r\n"
    "//Macro properties (Editing could cause corruption!)\r\n"
    "NAME \"Greet\";\r\n"
    "DESCRIPTION \"Says hello\";\r\n"
    "TRIGGER_KEYS 65 1 0 0\r\n"
    "ACTIVE TRUE;\r\n"
    "PRIVATE FALSE;\r\n"
    "WINDOW NULL;\r\n"
    "PLAY_COUNT 2;\r\n"
    "REPEAT_TIME 30;\r\n"
    "PLAY_STYLE 1;\r\n"
    "SPEED 50;\r\n"
    "\r\n//Main macro code (editing could cause corruption!):\r\n"
    "START\r\n"
    "DELAY 100\r\n"
    "PRESS_KEY 65\r\n"
    "END\r\n";

// Answers every message box this thread opens, as a user clicking one of its buttons, and
// keeps what each box said. The editor itself is told apart by its code box.
class BoxAnswerer {
  public:
    struct Box {
        std::string caption;
        std::string text;
    };
    BoxAnswerer() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxAnswerer() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::deque<int> answers;  // next answers; IDOK, or IDYES for question boxes, when empty
    std::vector<Box> boxes;
    HWND lastEditor = nullptr;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_INITDIALOG && current_)
            current_->Opened(message->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void Opened(HWND dialog) {
        if (GetDlgItem(dialog, IDC_CODE)) {
            lastEditor = dialog;
            return;
        }
        char caption[256] = "";
        char text[1024] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
        boxes.push_back(Box{caption, text});
        bool question = GetDlgItem(dialog, IDYES) != nullptr;
        int answer = question ? IDYES : IDOK;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
    static BoxAnswerer* current_;
    HHOOK hook_;
};
BoxAnswerer* BoxAnswerer::current_ = nullptr;

class RecordingList : public MacroListView {
  public:
    int AppendEntry(const std::string& name) override {
        calls.push_back("append " + name);
        return 0;
    }
    void InsertEntry(int index, const std::string& name) override {
        calls.push_back("insert " + std::to_string(index) + " " + name);
    }
    void DeleteEntry(int index) override { calls.push_back("delete " + std::to_string(index)); }
    int EntryCount() override { return 2; }
    std::vector<std::string> calls;
};

// What the modal editor's own message loop lets a timer see of it before cancelling it.
struct ModalProbe {
    BoxAnswerer* answerer;
    RECT rect{};
    bool visible = false;
    int ticks = 0;
};
ModalProbe* probe = nullptr;

void CALLBACK CancelModalEditor(HWND, UINT, UINT_PTR, DWORD) {
    HWND editor = probe ? probe->answerer->lastEditor : nullptr;
    if (!editor) return;
    if (probe->ticks++ == 0) {
        GetWindowRect(editor, &probe->rect);
        probe->visible = IsWindowVisible(editor) != FALSE;
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_CANCEL, BN_CLICKED), 0);
    } else if (probe->ticks > 50) {
        EndDialog(editor, -2);  // Cancel did not close it: end the test instead of hanging
    }
}

class EditorWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
        InitCommonControlsEx(&controls);
    }
    void SetUp() override {
        Macro& other = table.macros[0];
        CopyText(other.name, "Other");
        CopyText(other.fileName, dir.Path("other.mro"));
        other.trigger = Trigger{VK_F1, 0, 1, 0};  // Ctrl+F1
        table.count = 1;
        path = dir.Path("greet.mro");
    }
    void TearDown() override {
        if (editor) DestroyWindow(editor);
    }

    // Loads the macro file into position 1 as the library does, and opens the editor on it.
    void Open(const std::string& bytes = MACRO_FILE) {
        dir.Write("greet.mro", bytes);
        Macro& macro = table.macros[1];
        LoadEditedMacro(macro);
        table.currentMacro = &macro;
        editor =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                               MacroEditorDialogProc, reinterpret_cast<LPARAM>(&context));
        ASSERT_NE(editor, nullptr);
        ShowWindow(editor, SW_SHOW);
        PumpFor(50);
    }
    void LoadEditedMacro(Macro& macro) {
        MacroLoadRules rules{settings.macroDelay, false, table.InUse(), NO_WINDOW};
        ASSERT_TRUE(LoadMacroFile(RealFileSystem(), TheDesktop(), rules, path, macro));
        macro.id = 1;
        table.count = 2;
    }

    HWND Control(int id) { return GetDlgItem(editor, id); }
    std::string Text(int id) {
        char text[4096] = "";
        GetDlgItemTextA(editor, id, text, sizeof text);
        return text;
    }
    std::string Code() {
        int length = GetWindowTextLengthA(Control(IDC_CODE));
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        GetWindowTextA(Control(IDC_CODE), text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    // Typing into a box: its text changes and it tells the editor.
    void Type(int id, const std::string& text) { SetDlgItemTextA(editor, id, text.c_str()); }
    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    bool Checked(int id) { return IsDlgButtonChecked(editor, id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Closed() { return !IsWindowVisible(editor); }
    void SelectEvent(const char* entry) {
        LRESULT index = SendMessageA(Control(IDC_EVENT_LIST), CB_FINDSTRINGEXACT,
                                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
        SendMessageA(Control(IDC_EVENT_LIST), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    std::string FileText() { return ReadWholeFile(path); }

    TempDir dir;
    std::string path;
    MacroTable table;
    Settings settings{};
    std::unique_ptr<RecorderState> recorder = std::make_unique<RecorderState>();
    PlayState play;
    MacroInterpreter interpreter{TheDesktop(),
                                 InterpreterMode::Strict,
                                 [this] { return table.currentMacro->speed; },
                                 NO_WINDOW,
                                 {}};
    RecordingList list;
    EditorContext context{table,     TheDesktop(), RealFileSystem(), settings,
                          *recorder, play,         interpreter,      list};
    BoxAnswerer answerer;
    HWND editor = nullptr;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
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

TEST_F(EditorWindowTest, BoxesAreLimitedAndTheListIsSortedWithTheFirstEntrySelected) {
    Open();
    EXPECT_EQ(SendMessageA(Control(IDC_EDITOR_NAME), EM_GETLIMITTEXT, 0, 0), 29);
    EXPECT_EQ(SendMessageA(Control(IDC_EDITOR_DESCRIPTION), EM_GETLIMITTEXT, 0, 0), 299);
    EXPECT_EQ(SendMessageA(Control(IDC_WINDOW_TEXT), EM_GETLIMITTEXT, 0, 0), 99);
    EXPECT_EQ(SendMessageA(Control(IDC_TIMES), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(Control(IDC_CODE), EM_GETLIMITTEXT, 0, 0), CODE_CAPACITY - 1);

    HWND list = Control(IDC_EVENT_LIST);
    std::vector<std::string> entries;
    for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char entry[64] = "";
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        entries.push_back(entry);
    }
    EXPECT_EQ(entries,
              (std::vector<std::string>{
                  "Click mouse button", "Close a window", "Delay", "Focus a window", "Message box",
                  "Minimize a window", "Move mouse cursor", "Open a web site", "Play a sound",
                  "Press a key", "Run an application", "Shutdown computer", "Type text"}));
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
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

TEST_F(EditorWindowTest, RestrictionToNoWindowTextShowsAnyWindow) {
    Open(Replace(Replace(MACRO_FILE, "PRIVATE FALSE;", "PRIVATE TRUE;"), "WINDOW NULL;",
                 "WINDOW ;"));
    EXPECT_TRUE(Checked(IDC_ANY_WINDOW));
    EXPECT_FALSE(Checked(IDC_SPECIFIC_WINDOW));
    EXPECT_FALSE(Enabled(IDC_WINDOW_TEXT));
    EXPECT_EQ(Text(IDC_WINDOW_TEXT), "");
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

TEST_F(EditorWindowTest, InsertPutsTheTemplateOnALineOfItsOwn) {
    Open();
    SelectEvent("Delay");
    Type(IDC_CODE, "");
    Click(IDC_INSERT);
    EXPECT_EQ(Code(), "DELAY <Duration>");
    Type(IDC_CODE, "PRESS_KEY 65");
    Click(IDC_INSERT);
    EXPECT_EQ(Code(), "PRESS_KEY 65\r\nDELAY <Duration>");
    Type(IDC_CODE, "PRESS_KEY 65\r\n");
    SelectEvent("Type text");
    Click(IDC_INSERT);
    EXPECT_EQ(Code(), "PRESS_KEY 65\r\nTYPE \"Text\"");
    EXPECT_EQ(SendMessageA(Control(IDC_CODE), EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_NE(FileText().find("START\r\nPRESS_KEY 65\r\nTYPE \"Text\"\r\nEND\r\n"),
              std::string::npos);
}

TEST_F(EditorWindowTest, InsertWithNothingSelectedLeavesTheChangeStateAsItWas) {
    Open();
    SendMessageA(Control(IDC_EVENT_LIST), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(IDC_INSERT);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error!");
    EXPECT_EQ(answerer.boxes[0].text, "Unrecognised event");
    EXPECT_EQ(Code(), "DELAY 100\r\r\nPRESS_KEY 65");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    Click(IDC_EDITOR_OK);
    EXPECT_TRUE(Closed()) << "still no change";

    Open();
    Type(IDC_EDITOR_NAME, "Changed");
    SendMessageA(Control(IDC_EVENT_LIST), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(IDC_INSERT);
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "the earlier change stays pending";
    answerer.answers = {IDNO};
    Click(IDC_EDITOR_OK);
    EXPECT_EQ(answerer.boxes.back().text, "The macro has been modified. Save changes?");
}

TEST_F(EditorWindowTest, UnopenableMacroFileIsReportedAndTheEditorOpensWithAnEmptyBox) {
    Open();
    CopyText(table.macros[1].fileName, dir.Path("no such folder\\greet.mro"));
    Create();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error!");
    EXPECT_EQ(answerer.boxes[0].text,
              "Error opening file: " + dir.Path("no such folder\\greet.mro"));
    EXPECT_EQ(Code(), "");
    EXPECT_EQ(Text(IDC_EDITOR_NAME), "Greet");
}

TEST_F(EditorWindowTest, MissingMacroFileIsCreatedEmpty) {
    Open();
    std::string missing = dir.Path("missing.mro");
    CopyText(table.macros[1].fileName, missing);
    Create();
    EXPECT_TRUE(FileExists(missing));
    EXPECT_EQ(Code(), "");
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
    EXPECT_TRUE(seen.visible);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_NEAR((seen.rect.left + seen.rect.right) / 2, screenWidth / 2, 2) << "centred";
    EXPECT_EQ(FileText(), MACRO_FILE);
}

}  // namespace
