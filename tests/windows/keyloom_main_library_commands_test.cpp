// Keyloom's macro and list commands through the real dialogs: the common file dialogs are
// answered by typing a path and pressing Enter, questions by clicking their buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int EXIT_TIMEOUT_MS = 15000;

class KeyloomLibraryCommandsTest : public ::testing::Test {
  protected:
    void Start(const std::string& lastFileName) {
        WriteKeyloomSettings(lastFileName);
        keyloom = std::make_unique<KeyloomDriver>();
        ASSERT_NE(keyloom->WaitForMainWindow(), nullptr);
        ASSERT_TRUE(keyloom->WaitUntilVisible(true));
    }
    // Runs a command that opens a file dialog titled `title` and answers it with `path`.
    void ChooseFile(int command, const std::string& title, const std::string& path) {
        keyloom->Command(command);
        ProgramBox dialog = keyloom->WaitForBox(title);
        ASSERT_NE(dialog.window, nullptr) << "no dialog \"" << title << "\"";
        keyloom->ChooseFile(dialog.window, path);
    }
    // Waits for a box of the program and answers it with `button`; returns its text.
    std::string Answer(const std::string& caption, int button) {
        ProgramBox box = keyloom->WaitForBox(caption);
        if (!box.window) return "(no box \"" + caption + "\")";
        keyloom->Click(box.window, button);
        EXPECT_TRUE(keyloom->RoundTrip());
        return box.text;
    }
    void ExpectExit(DWORD expected) {
        DWORD exitCode = 99;
        ASSERT_TRUE(keyloom->WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
        EXPECT_EQ(exitCode, expected);
    }

    TempDir dir;
    std::unique_ptr<KeyloomDriver> keyloom;
};

TEST_F(KeyloomLibraryCommandsTest, ImportExportRemoveAndSaveThroughTheirDialogs) {
    std::string alpha = dir.Write("alpha.mro", MacroFileText("Alpha", "TYPE \"x\"\r\n"));
    std::string beta = dir.Write("beta.mro", MacroFileText("Beta", ""));
    std::string gamma = dir.Write("gamma.mro", MacroFileText("Gamma", ""));
    std::string list = dir.Write("library.lst", alpha + "\r\n" + beta + "\r\n");
    Start(list);

    ChooseFile(IDC_IMPORT, "Import macro from file", gamma);
    ASSERT_TRUE(keyloom->RoundTrip());
    EXPECT_EQ(keyloom->ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_EQ(keyloom->Selection(), -1);  // the imported entry is not selected

    ChooseFile(IDM_IMPORT, "Import macro from file", alpha);
    EXPECT_EQ(Answer("Error", IDOK), "This macro has already been loaded");
    EXPECT_EQ(keyloom->ListEntries().size(), 3u);

    keyloom->Select(0);
    std::string exported = dir.Write("exported.mro", "an older file");
    ChooseFile(IDC_EXPORT, "Export macro to file", exported);
    Answer("Export macro to file", IDYES);  // the dialog's own replace question
    EXPECT_EQ(ReadWholeFile(exported), ReadWholeFile(alpha));

    keyloom->Select(1);
    keyloom->Command(IDC_REMOVE);
    EXPECT_EQ(Answer("Keyloom", IDNO), "Remove the selected macro?");
    EXPECT_EQ(keyloom->ListEntries().size(), 3u);
    keyloom->Command(IDM_REMOVE_MACRO);
    EXPECT_EQ(Answer("Keyloom", IDYES), "Remove the selected macro?");
    EXPECT_EQ(keyloom->ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Gamma"}));
    EXPECT_EQ(keyloom->Selection(), -1);
    EXPECT_TRUE(FileExists(beta));  // the macro's file stays

    keyloom->Command(IDM_SAVE);
    ASSERT_TRUE(keyloom->RoundTrip());
    EXPECT_EQ(ReadWholeFile(list), alpha + "\r\n" + gamma + "\r\n");

    std::string copy = dir.Path("copy.lst");
    ChooseFile(IDM_SAVE_AS, "Save current macro list", copy);
    ASSERT_TRUE(keyloom->RoundTrip());
    EXPECT_EQ(ReadWholeFile(copy), alpha + "\r\n" + gamma + "\r\n");

    keyloom->Command(IDM_EXIT);  // saved: no question
    ExpectExit(0);
    EXPECT_EQ(ReadKeyloomLastFileName(), copy);
}

TEST_F(KeyloomLibraryCommandsTest, NewMacroWritesItsFileOpensTheEditorAndStaysAfterCancel) {
    Start("");
    EXPECT_TRUE(keyloom->ListEntries().empty());

    ChooseFile(IDC_NEW, "Create new macro file", dir.Path("fresh"));  // "mro" is added
    ProgramBox editor = keyloom->WaitForBox("Keyloom");
    ASSERT_NE(editor.window, nullptr) << "no editor";
    ASSERT_NE(GetDlgItem(editor.window, IDC_CODE), nullptr) << "not the editor";
    EXPECT_FALSE(keyloom->Visible());
    keyloom->Click(editor.window, IDC_EDITOR_CANCEL);
    ASSERT_TRUE(keyloom->WaitUntilVisible(true));

    EXPECT_EQ(keyloom->ListEntries(), (std::vector<std::wstring>{L"New macro"}));
    EXPECT_EQ(keyloom->Selection(), 0);
    EXPECT_EQ(ReadWholeFile(dir.Path("fresh.mro")),
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

    keyloom->Command(IDM_EXIT);
    EXPECT_EQ(Answer("Keyloom", IDCANCEL), "Save changes to current macro list?");
    EXPECT_TRUE(keyloom->Visible());
    keyloom->Command(IDM_EXIT);
    EXPECT_EQ(Answer("Keyloom", IDNO), "Save changes to current macro list?");
    ExpectExit(0);
    EXPECT_EQ(ReadKeyloomLastFileName(), "");  // an untitled list is not remembered
}

}  // namespace
