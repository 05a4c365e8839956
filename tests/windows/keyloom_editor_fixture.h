#pragma once
// The real macro editor dialog opened on a macro file, for tests that drive it through its
// controls: the fixture, a macro file, and an answerer for the message boxes it opens.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/macro_editor_win32.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "resources/keyloom_ids.h"
#include "tests/support/fake_editor_views.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"

namespace editor_test {

inline const std::string MACRO_FILE =
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
    // What the user does while a box is up, before answering it; given the box's text.
    std::function<void(const std::string& text)> whileOpen;
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
        if (whileOpen) whileOpen(text);
        bool question = GetDlgItem(dialog, IDYES) != nullptr;
        int answer = question ? IDYES : IDOK;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
    static inline BoxAnswerer* current_ = nullptr;
    HHOOK hook_;
};

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
        Create();
        ASSERT_NE(editor, nullptr);
        ShowWindow(editor, SW_SHOW);
        PumpFor(50);
    }
    // The editor on the current macro, prepared as the main window opens it, without a loop of
    // its own.
    void Create() {
        if (editor) DestroyWindow(editor);
        PrepareEditorChangeTracking(state);
        editor =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                               MacroEditorDialogProc, reinterpret_cast<LPARAM>(&context));
    }
    void LoadEditedMacro(Macro& macro) {
        table.count = 1;  // the macro is loaded against the others
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
    // Typing into a box: its whole text replaced as the user's keys would, which tells the editor.
    void Type(int id, const std::string& text) {
        SendMessageA(Control(id), EM_SETSEL, 0, -1);
        SendMessageA(Control(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
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
    MacroInterpreter interpreter{TheDesktop(), InterpreterMode::Strict, 0, NO_WINDOW, {}};
    CallRecordingMacroList list;
    EditorState state;
    EditorContext context{table, state,       TheDesktop(), RealFileSystem(), settings, *recorder,
                          play,  interpreter, list};
    BoxAnswerer answerer;
    HWND editor = nullptr;
};

inline std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace editor_test
