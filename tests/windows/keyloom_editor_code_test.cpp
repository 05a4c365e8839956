// The editor's code half: the event list and Insert, filling the code box from the macro file,
// preview play and recording.
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "tests/support/program_driver_win32.h"
#include "tests/windows/keyloom_editor_fixture.h"

namespace {

using namespace editor_test;

// A test window with its own thread and message loop, in front with its edit control focused,
// so that keys typed while the editor's thread is busy reach it at once.
class TargetWindow {
  public:
    explicit TargetWindow(const std::string& title) {
        thread_ = std::thread([this, title] {
            TestWindow window(title);
            window.Focus();
            edit_ = window.edit();
            ready_ = true;
            while (!quit_)
                PumpFor(20);
        });
        PumpUntil([this] { return ready_.load(); });
    }
    ~TargetWindow() {
        quit_ = true;
        thread_.join();
    }
    std::string Text() {
        char text[256] = "";
        GetWindowTextA(edit_, text, sizeof text);
        return text;
    }

  private:
    std::thread thread_;
    HWND edit_ = nullptr;
    std::atomic<bool> ready_{false};
    std::atomic<bool> quit_{false};
};

// A key held down long enough for the recorder's samples to see it.
void HoldKey(WORD virtualKey) {
    SendKey(virtualKey, false);
    Sleep(120);
    SendKey(virtualKey, true);
    Sleep(60);
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
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "Click mouse button", "Close a window", "Delay", "Focus a window",
                           "Hold a key down", "Message box", "Minimize a window",
                           "Move mouse cursor", "Open a web site", "Play a sound", "Press a key",
                           "Release a held key", "Run an application", "Scroll mouse wheel",
                           "Scroll mouse wheel sideways", "Shutdown computer", "Type text"}));
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
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

TEST_F(EditorWindowTest, PreviewTypesIntoTheFrontWindowAndStopsOnEscape) {
    Open();
    TargetWindow target("Keyloom preview target");
    GetAsyncKeyState(VK_ESCAPE);  // forget earlier presses
    GetAsyncKeyState(VK_PAUSE);
    Type(IDC_CODE, "TYPE \"abc\"\r\n\r\nDELAY 20000\r\nTYPE \"xyz\"");
    // Escape while the DELAY runs: after the first line has typed and its pace of 50 ms.
    bool playingSeen = false;  // whether `playing` was set while the DELAY ran
    DWORD tapped = 0;
    std::thread escape([&] {
        for (int i = 0; i < 500 && target.Text() != "abc"; ++i)
            Sleep(10);
        Sleep(300);
        playingSeen = play.playing;
        tapped = GetTickCount();
        TapKey(VK_ESCAPE);
    });
    Click(IDC_PREVIEW_PLAY);  // returns when the preview has ended
    const DWORD ended = GetTickCount();
    escape.join();
    PumpUntil([&] { return target.Text() == "abc"; }, 3000);
    EXPECT_EQ(target.Text(), "abc") << "stopped before the line after the DELAY";
    EXPECT_TRUE(playingSeen);
    EXPECT_FALSE(play.playing);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_LT(ended - tapped, 10000u)
        << "Escape ends the DELAY of 20 s, not only the lines after it";
    EXPECT_TRUE(Enabled(IDC_CODE));
    EXPECT_TRUE(Enabled(IDC_PREVIEW_PLAY));
    EXPECT_TRUE(Enabled(IDC_RECORD));
    EXPECT_FALSE(Enabled(IDC_PREVIEW_STOP));
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "the code typed before is still to be applied";
    EXPECT_EQ(FileText(), MACRO_FILE);
}

TEST_F(EditorWindowTest, PreviewStoppedByEscapeLetsGoOfTheKeysItsLinesHold) {
    Open();
    GetAsyncKeyState(VK_ESCAPE);
    GetAsyncKeyState(VK_PAUSE);
    Type(IDC_CODE, "SHIFT_DOWN\r\nCTRL_DOWN\r\nDELAY 1500\r\nCTRL_UP\r\nSHIFT_UP");
    auto down = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    bool heldSeen = false;
    std::thread escape([&] {
        for (int i = 0; i < 500 && !heldSeen; ++i) {
            heldSeen = down(VK_SHIFT) && down(VK_CONTROL);
            Sleep(10);
        }
        TapKey(VK_ESCAPE);  // during the DELAY, before CTRL_UP and SHIFT_UP
    });
    Click(IDC_PREVIEW_PLAY);
    escape.join();
    EXPECT_TRUE(heldSeen);
    EXPECT_FALSE(down(VK_SHIFT));
    EXPECT_FALSE(down(VK_CONTROL));
}

TEST_F(EditorWindowTest, PreviewLeavesApplyDisabledWithoutChanges) {
    Open();
    TargetWindow target("Keyloom preview target");
    GetAsyncKeyState(VK_ESCAPE);
    GetAsyncKeyState(VK_PAUSE);
    Click(IDC_PREVIEW_PLAY);  // DELAY 100, PRESS_KEY 65
    PumpUntil([&] { return target.Text() == "a"; }, 3000);
    EXPECT_EQ(target.Text(), "a");
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(EditorWindowTest, RecordingWithInjectedInputReplacesTheCodeBox) {
    settings.macroDelay = 20;
    Open();
    TargetWindow target("Keyloom recording target");
    Click(IDC_RECORD);  // the start box is answered; the recorder then samples on its own
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text,
              "Keyloom will now record your macro. While recording, Press the <Pause> key to "
              "stop, or <Esc> to cancel.");
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_FALSE(Enabled(IDC_RECORD));
    EXPECT_FALSE(Enabled(IDC_PREVIEW_PLAY));
    EXPECT_TRUE(Enabled(IDC_PREVIEW_STOP));
    HoldKey('K');
    HoldKey(VK_PAUSE);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(editor) != FALSE; }))
        << "Pause finishes the recording";
    std::string code = Code();
    EXPECT_NE(code.find("KEY_DOWN 75\r\n"), std::string::npos) << "held 120 ms: a hold\n" << code;
    EXPECT_NE(code.find("KEY_UP 75\r\n"), std::string::npos) << code;
    EXPECT_EQ(code.find("PRESS_KEY 65"), std::string::npos) << "the old code is replaced";
    EXPECT_EQ(code.find("PRESS_KEY 19"), std::string::npos) << "Pause is not recorded";
    EXPECT_TRUE(Enabled(IDC_RECORD));
    EXPECT_TRUE(Enabled(IDC_PREVIEW_PLAY));
    EXPECT_FALSE(Enabled(IDC_PREVIEW_STOP));
    ASSERT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_NE(FileText().find("START\r\n" + code.substr(0, code.find("\r\n") + 2)),
              std::string::npos);
}

// A Record pressed by mistake and cancelled leaves the editor as it was: its code, Apply off, and
// nothing for OK to save.
TEST_F(EditorWindowTest, RecordingCancelledWithEscapeLeavesTheEditorAsItWas) {
    settings.macroDelay = 20;
    Open();
    const std::string code = Code();
    TargetWindow target("Keyloom recording target");
    Click(IDC_RECORD);
    HoldKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(editor) != FALSE; }));
    EXPECT_EQ(Code(), code);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    const std::size_t boxes = answerer.boxes.size();
    Click(IDC_EDITOR_OK);
    EXPECT_EQ(answerer.boxes.size(), boxes) << "no question: nothing has changed";
    EXPECT_EQ(FileText(), MACRO_FILE);
}

// The macro starts a slow program and waits for its window: the text after the wait arrives
// whole, however late the window comes.
TEST_F(EditorWindowTest, WaitActiveGoesOnOnceALateWindowIsInFrontAndStopsWhenNoneComes) {
    Open();
    GetAsyncKeyState(VK_ESCAPE);
    GetAsyncKeyState(VK_PAUSE);
    Type(IDC_CODE, "RUN \"" + BuildFolder() +
                       "\\late_window.exe\"\r\n"
                       "WAIT_ACTIVE \"Keyloom late program\" 20\r\nTYPE \"abc\"");
    for (const char* late : {"500", "5000"}) {
        SetEnvironmentVariableA("KEYLOOM_LATE_WINDOW_MS", late);
        Click(IDC_PREVIEW_PLAY);
        HWND program = FindWindowA(nullptr, "Keyloom late program");
        ASSERT_NE(program, nullptr) << late;
        HWND edit = GetWindow(program, GW_CHILD);
        PumpUntil([&] { return ShownText(edit) == "abc"; }, 3000);
        EXPECT_EQ(ShownText(edit), "abc") << late;
        PostMessageA(program, WM_CLOSE, 0, 0);
        PumpUntil([&] { return !IsWindow(program); });
    }
    EXPECT_TRUE(answerer.boxes.empty());

    TargetWindow front("Keyloom preview target");
    Type(IDC_CODE, "WAIT_ACTIVE \"Keyloom absent\" 1\r\nTYPE \"abc\"");
    Click(IDC_PREVIEW_PLAY);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error");
    EXPECT_EQ(answerer.boxes[0].text, "WAIT_ACTIVE timed out after 1 seconds: \"Keyloom absent\"");
    Sleep(200);
    EXPECT_EQ(front.Text(), "") << "nothing typed after a wait that ran out";
}

// Check runs no line: the code's own box and its keys stay unshown and unsent.
TEST_F(EditorWindowTest, CheckListsTheLinesAPlayWouldRefuseInOneBoxAndPlaysNothing) {
    Open();
    Type(IDC_CODE, "MSG_BOX \"played\"\r\nMOVE_CURSOR 10  20\r\n\r\nWAIT_WINDOW \"x\" 0");
    Click(IDC_CHECK_CODE);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error");
    EXPECT_EQ(answerer.boxes[0].text,
              "Line 2: MOVE_CURSOR command has incorrect parameters\r\n"
              "Line 4: WAIT_WINDOW command has incorrect parameters");
    Type(IDC_CODE, "TYPE \"abc\"\r\nWAIT_ACTIVE \"Notepad\" 30");
    Click(IDC_CHECK_CODE);
    ASSERT_EQ(answerer.boxes.size(), 2u);
    EXPECT_EQ(answerer.boxes[1].caption, "Keyloom");
    EXPECT_EQ(answerer.boxes[1].text, "No problems found");
    EXPECT_TRUE(IsWindowVisible(editor));
}

}  // namespace
