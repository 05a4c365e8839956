// Macro code longer than the editor's code box: shown cut, kept whole, never written back cut;
// and Insert into a full box.
#include "editor/code_box_text.h"
#include "tests/windows/keyloom_editor_fixture.h"

namespace {

using namespace editor_test;

const std::string LONG_TYPE = "TYPE \"" + std::string(400, 'a') + "\"";

std::string WithLongLine() {
    return Replace(MACRO_FILE, "DELAY 100\r\n", "DELAY 100\r\n" + LONG_TYPE + "\r\n");
}

bool ReadOnly(HWND box) {
    return (GetWindowLongA(box, GWL_STYLE) & ES_READONLY) != 0;
}

TEST_F(EditorWindowTest, CutCodeIsShownReadOnlyAndApplyKeepsItWhole) {
    Open(WithLongLine());
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Keyloom");
    EXPECT_EQ(answerer.boxes[0].text,
              "This macro's code is longer than the editor can show (at most 161071 characters "
              "in the file, and 299 on a line). It is shown cut and cannot be changed here; Apply "
              "keeps the whole code as it is in the file.");
    EXPECT_EQ(Code(), "DELAY 100\r\r\n" + LONG_TYPE.substr(0, 299) + "\r\nPRESS_KEY 65");
    EXPECT_TRUE(ReadOnly(Control(IDC_CODE)));
    EXPECT_FALSE(Enabled(IDC_INSERT));
    EXPECT_TRUE(Enabled(IDC_RECORD));

    Type(IDC_EDITOR_NAME, "Greeting");
    Click(IDC_APPLY);
    EXPECT_EQ(answerer.boxes.size(), 1u);
    const std::string file = FileText();
    EXPECT_NE(file.find("NAME \"Greeting\";\r\n"), std::string::npos);
    EXPECT_NE(file.find("START\r\nDELAY 100\r\n" + LONG_TYPE + "\r\nPRESS_KEY 65\r\nEND\r\n"),
              std::string::npos)
        << file;
}

// A cancelled recording keeps the cut code held whole; a finished one replaces it.
TEST_F(EditorWindowTest, RecordingOverCutCodeReplacesItAndFreesTheBox) {
    settings.macroDelay = 20;
    Open(WithLongLine());
    const std::string cut = Code();
    for (WORD ending : {VK_ESCAPE, VK_PAUSE}) {
        Click(IDC_RECORD);
        Sleep(120);  // a Pause before the first sample would record nothing at all
        SendKey(ending, false);
        Sleep(120);
        SendKey(ending, true);
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(editor) != FALSE; }));
        EXPECT_EQ(Code() == cut, ending == VK_ESCAPE) << Code();
        EXPECT_EQ(ReadOnly(Control(IDC_CODE)), ending == VK_ESCAPE);
        EXPECT_EQ(Enabled(IDC_INSERT), ending == VK_PAUSE);
    }
    Click(IDC_APPLY);
    EXPECT_NE(FileText().find("START\r\nMOVE_CURSOR "), std::string::npos) << FileText();
}

// Code as a recording at its limit hands it to the box: CR LF after every line, as long as the
// box can take it.
std::string RecordedToTheLimit() {
    const std::string move = "MOVE_CURSOR 1023 767\r\n";
    std::string code;
    while (CODE_CAPACITY - 1 - code.size() >= move.size() + 12)
        code += move;
    return code + "DELAY " + std::string(CODE_CAPACITY - 1 - code.size() - 8, '1') + "\r\n";
}

void TypeCharacter(HWND box, char character) {
    SendMessageA(box, WM_CHAR, static_cast<WPARAM>(character), 0);
}

TEST_F(EditorWindowTest, CodeRecordedToTheLimitOpensAgainEditableAndIsWrittenBackAsItWas) {
    Open();
    const std::string recorded = RecordedToTheLimit();
    SetDlgItemTextA(editor, IDC_CODE, recorded.c_str());  // as the end of a recording does
    Click(IDC_APPLY);
    const std::string written = FileText();
    ASSERT_NE(written.find("START\r\n" + recorded + "\r\nEND\r\n"), std::string::npos);

    Create();
    ShowWindow(editor, SW_SHOW);
    PumpFor(50);
    EXPECT_TRUE(answerer.boxes.empty()) << answerer.boxes[0].text;
    HWND box = Control(IDC_CODE);
    EXPECT_FALSE(ReadOnly(box));
    EXPECT_TRUE(Enabled(IDC_INSERT));
    const std::string shown = Code();
    EXPECT_EQ(CodeLengthInFile(shown), static_cast<std::size_t>(CODE_CAPACITY - 1));
    std::string readBack = recorded;  // every line with the carriage return it was read with
    for (std::size_t at = 0; (at = readBack.find("\r\n", at)) != std::string::npos; at += 3)
        readBack.insert(at, "\r");
    EXPECT_TRUE(shown == readBack) << "every line whole";

    SendMessageA(box, EM_SETSEL, shown.size(), shown.size());
    TypeCharacter(box, 'x');
    EXPECT_EQ(Code(), shown) << "the box is full";
    SendMessageA(box, EM_SETSEL, 0, 1);
    TypeCharacter(box, 'm');
    EXPECT_EQ(Code(), "m" + shown.substr(1)) << "and can be changed";
    TypeCharacter(box, '\b');
    TypeCharacter(box, 'M');
    ASSERT_EQ(Code(), shown);

    Click(IDC_APPLY);
    EXPECT_TRUE(FileText() == written) << "written back byte for byte";
}

TEST_F(EditorWindowTest, InsertIntoAFullBoxIsRefusedWhole) {
    Open();
    std::string full;  // in lines that fit, so that Apply stores it
    while (full.size() + 301 <= CODE_CAPACITY - 5)
        full += std::string(299, 'x') + "\r\n";
    full.append(CODE_CAPACITY - 5 - full.size(), 'x');
    Type(IDC_CODE, full);
    Click(IDC_APPLY);
    ASSERT_FALSE(Enabled(IDC_APPLY));
    SelectEvent("Delay");
    Click(IDC_INSERT);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error!");
    EXPECT_EQ(answerer.boxes[0].text,
              "The macro code is full: a macro holds at most 161071 characters");
    EXPECT_EQ(Code(), full);
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "nothing changed";
}

TEST_F(EditorWindowTest, CodeTooLongToKeepIsReportedAndTheEditorDoesNotOpen) {
    const std::string bytes =
        Replace(MACRO_FILE, "DELAY 100\r\n", std::string(HELD_CODE_LIMIT + 10, 'x') + "\r\n");
    dir.Write("greet.mro", bytes);
    Macro& macro = table.macros[1];
    LoadEditedMacro(macro);
    table.currentMacro = &macro;
    PrepareEditorChangeTracking(state);
    EXPECT_EQ(ShowMacroEditor(context), IDCANCEL);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, "Error!");
    EXPECT_EQ(answerer.boxes[0].text, "The code in " + path + " is too long to open in the editor");
    EXPECT_TRUE(FileText() == bytes) << "the file is untouched";
}

}  // namespace
