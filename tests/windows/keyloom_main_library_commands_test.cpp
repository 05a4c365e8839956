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
    // Runs a command that opens a file dialog titled `title` and answers it with `path`; returns
    // the dialog, which may still ask a question of its own.
    HWND ChooseFile(int command, const std::string& title, const std::string& path) {
        keyloom->Command(command);
        ProgramBox dialog = keyloom->WaitForBox(title);
        EXPECT_NE(dialog.window, nullptr) << "no dialog \"" << title << "\"";
        if (dialog.window) keyloom->ChooseFile(dialog.window, path);
        return dialog.window;
    }
    // As above, and waits until the command has finished.
    void ChooseFileAndWait(int command, const std::string& title, const std::string& path) {
        HWND dialog = ChooseFile(command, title, path);
        EXPECT_TRUE(dialog && keyloom->WaitForClosed(dialog)) << "\"" << title << "\" stayed";
    }
    // Waits for a box of the program and answers it with `button`; returns its text.
    std::string Answer(const std::string& caption, int button, HWND other = nullptr) {
        ProgramBox box = keyloom->WaitForBox(caption, other);
        if (!box.window) return "(no box \"" + caption + "\")";
        EXPECT_TRUE(keyloom->Click(box.window, button)) << "\"" << box.text << "\" stayed";
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

    ChooseFileAndWait(IDC_IMPORT, "Import macro from file", gamma);
    EXPECT_EQ(keyloom->ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_EQ(keyloom->Selection(), -1);  // the imported entry is not selected

    ChooseFile(IDM_IMPORT, "Import macro from file", alpha);
    EXPECT_EQ(Answer("Error", IDOK), "This macro has already been loaded");
    EXPECT_EQ(keyloom->ListEntries().size(), 3u);

    keyloom->Select(0);
    std::string exported = dir.Write("exported.mro", "an older file");
    HWND dialog = ChooseFile(IDC_EXPORT, "Export macro to file", exported);
    Answer("Export macro to file", IDYES, dialog);  // the dialog's own replace question
    ASSERT_TRUE(keyloom->WaitForClosed(dialog));
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

    ASSERT_TRUE(keyloom->Run(IDM_SAVE));
    EXPECT_EQ(ReadWholeFile(list), alpha + "\r\n" + gamma + "\r\n");

    std::string copy = dir.Path("copy.lst");
    ChooseFileAndWait(IDM_SAVE_AS, "Save current macro list", copy);
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

// Signing out with unsaved changes asks the question of Exit (Cancel keeps the session); when
// the session ends anyway, the changes are saved and the list is the one the next start opens.
TEST_F(KeyloomLibraryCommandsTest, TheEndOfTheSessionAsksAboutChangesAndNeverLosesThem) {
    std::string alpha = dir.Write("alpha.mro", MacroFileText("Alpha", ""));
    std::string beta = dir.Write("beta.mro", MacroFileText("Beta", ""));
    std::string list = dir.Write("session.lst", alpha + "\r\n");
    Start(list);
    ChooseFileAndWait(IDC_IMPORT, "Import macro from file", beta);

    LRESULT answer = -1;
    keyloom->SendSessionEnd(WM_QUERYENDSESSION, 0, &answer);
    EXPECT_EQ(Answer("Keyloom", IDCANCEL), "Save changes to current macro list?");
    ASSERT_TRUE(PumpUntil([&] { return answer != -1; }, 10000));
    EXPECT_EQ(answer, FALSE);  // the session stays
    EXPECT_EQ(ReadWholeFile(list), alpha + "\r\n");

    keyloom->SendSessionEnd(WM_ENDSESSION, TRUE, &answer);  // it ends all the same
    ExpectExit(0);
    EXPECT_EQ(ReadWholeFile(list), alpha + "\r\n" + beta + "\r\n");
    EXPECT_EQ(ReadKeyloomLastFileName(), list);
}

TEST_F(KeyloomLibraryCommandsTest, AnUntitledListThatTheSessionEndsOnIsKeptAndOpenedNextTime) {
    std::string alpha = dir.Write("alpha.mro", MacroFileText("Alpha", ""));
    Start("");
    ChooseFileAndWait(IDC_IMPORT, "Import macro from file", alpha);
    LRESULT answer = -1;
    keyloom->SendSessionEnd(WM_QUERYENDSESSION, 0, &answer);
    EXPECT_EQ(Answer("Keyloom", IDNO), "Save changes to current macro list?");
    ASSERT_TRUE(PumpUntil([&] { return answer != -1; }, 10000));
    EXPECT_EQ(answer, TRUE);
    keyloom->SendSessionEnd(WM_ENDSESSION, FALSE, &answer);  // another program said no
    ASSERT_TRUE(keyloom->RoundTrip());
    EXPECT_TRUE(keyloom->Visible());

    keyloom->SendSessionEnd(WM_ENDSESSION, TRUE, &answer);  // ended without asking again
    ExpectExit(0);
    char appData[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", appData, sizeof appData);
    const std::string kept = std::string(appData) + "\\Keyloom\\Untitled macro list.lst";
    EXPECT_EQ(ReadKeyloomLastFileName(), kept);
    EXPECT_EQ(ReadWholeFile(kept), alpha + "\r\n");
    DeleteFileA(kept.c_str());
}

}  // namespace
