// Keyloom at the end of the desktop session: the question of Exit while the session may still
// go on, and the list's changes saved, unless the user let them go, once it ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "library/program/end_of_session.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_settings_store.h"
#include "tests/support/main_window_fixture.h"

namespace {

using ::testing::ElementsAre;

class EndOfSessionTest : public MainWindowTest {
  protected:
    FakeSettingsStore store;
    Settings settings{};
    SettingsContext settingsContext{KEYLOOM_SETTINGS, store, desktop, settings};
    KeyloomSessionEnd session{context, settingsContext, "C:\\kept.lst"};
};

TEST_F(EndOfSessionTest, TheQuestionDecidesWhetherTheSessionEndsAndWhatIsKept) {
    struct Case {
        bool named;                  // the list has a file, else it is untitled
        std::vector<int> answers;    // to "Save changes to current macro list?"; none: not asked
        std::optional<bool> mayEnd;  // the reply to the question of the session; none: not asked
        bool cancelledFirst;         // the session went on once before it ended
        std::string namedFile;       // C:\named.lst afterwards
        std::string keptFile;        // C:\kept.lst afterwards; "-" none
        std::string lastFileName;    // stored at the end
    } cases[] = {
        {true,
         {desk::ANSWER_CANCEL},
         false,
         false,
         "C:\\m0.mro\r\nC:\\m1.mro\r\n",
         "-",
         "C:\\named.lst"},
        {true,
         {desk::ANSWER_YES},
         true,
         false,
         "C:\\m0.mro\r\nC:\\m1.mro\r\n",
         "-",
         "C:\\named.lst"},
        {true, {desk::ANSWER_NO}, true, false, "old\r\n", "-", "C:\\named.lst"},
        {true, {desk::ANSWER_NO}, true, true, "C:\\m0.mro\r\nC:\\m1.mro\r\n", "-", "C:\\named.lst"},
        {true, {}, std::nullopt, false, "C:\\m0.mro\r\nC:\\m1.mro\r\n", "-", "C:\\named.lst"},
        {false, {}, std::nullopt, false, "old\r\n", "C:\\m0.mro\r\nC:\\m1.mro\r\n", "C:\\kept.lst"},
        {false, {desk::ANSWER_NO}, true, false, "old\r\n", "-", "C:\\previous.lst"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::Message() << "named " << test.named << ", " << test.answers.size()
                                          << " answers, cancelled " << test.cancelledFirst);
        ClearMacroTable(library);
        disk.Remove("C:\\kept.lst");
        WriteFile("named.lst", "old\r\n");
        store.keys[KEYLOOM_KEY]["LastFileName"] = std::string("C:\\previous.lst");
        Populate(2);
        CopyText(table.listFileName, test.named ? "C:\\named.lst" : UNTITLED_LIST_NAME);
        desktop.boxes.clear();
        desktop.boxAnswers.assign(test.answers.begin(), test.answers.end());
        view.ended = false;

        if (test.mayEnd) {
            EXPECT_EQ(MaySessionEnd(session), *test.mayEnd);
        }
        if (test.cancelledFirst) OnEndSession(session, false);
        OnEndSession(session, true);

        EXPECT_EQ(desktop.boxes.size(), test.answers.size());
        EXPECT_EQ(ReadFile("C:\\named.lst"), test.namedFile);
        EXPECT_EQ(disk.Exists("C:\\kept.lst") ? ReadFile("C:\\kept.lst") : "-", test.keptFile);
        EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), test.lastFileName);
        EXPECT_TRUE(view.ended);
    }
}

TEST_F(EndOfSessionTest, InTheNotificationAreaTheHotKeysAndTheIconGoFirst) {
    WriteMacro("hot.mro", "Hot", Trigger{'H', 0, 1, 0});
    ASSERT_TRUE(ImportMacro(library, "C:\\hot.mro"));
    tray.present = true;
    HotKeysOnHideInTray(hotKeys);
    log.clear();
    OnEndSession(session, true);
    EXPECT_THAT(log, ElementsAre("UnregisterHotKey 77 0", "delete icon", "end window"));
}

}  // namespace
