#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "macro/desktop/error_report.h"
#include "tests/support/fake_desktop.h"

namespace {

constexpr uint32_t ERROR_BOX = desk::BOX_OK | desk::BOX_ICON_ERROR;
constexpr WindowHandle OWNER = 7;

TEST(ErrorReportTest, AnErrorIsOneOkBoxWithTheErrorIconOverItsOwner) {
    FakeDesktop desktop;
    ReportError(desktop, OWNER, "Error writing file", ERROR_CAPTION);
    ReportError(desktop, NO_WINDOW, "Failed to initialise about dialog", FAILURE_CAPTION);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].owner, OWNER);
    EXPECT_EQ(desktop.boxes[0].text, "Error writing file");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].style, ERROR_BOX);
    EXPECT_EQ(desktop.boxes[1].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[1].caption, "Error!");
}

TEST(ErrorReportTest, AFileThatCannotBeOpenedIsNamedInFull) {
    FakeDesktop desktop;
    ReportOpenError(desktop, OWNER, "C:\\Macros\\My macro.mro");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].owner, OWNER);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: C:\\Macros\\My macro.mro");
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].style, ERROR_BOX);
}

// Each kind of message has its own buttons and icon; text, caption and owner pass unchanged.
TEST(ErrorReportTest, EachKindOfMessageHasItsButtonsAndIcon) {
    FakeDesktop desktop;
    ReportWarning(desktop, OWNER, "Please select a macro", KEYLOOM_CAPTION);
    ReportNote(desktop, NO_WINDOW, "Recording starts", KEYLOOM_CAPTION);
    ShowPlainMessage(desktop, NO_WINDOW, "Hello", KEYLOOM_CAPTION);
    desktop.boxAnswers = {desk::ANSWER_NO, desk::ANSWER_CANCEL};
    EXPECT_EQ(AskQuestion(desktop, OWNER, "Remove?", CONFIRM_CAPTION, Answers::YES_NO),
              desk::ANSWER_NO);
    EXPECT_EQ(AskQuestion(desktop, OWNER, "Save?", SCHEDULER_CAPTION, Answers::YES_NO_CANCEL),
              desk::ANSWER_CANCEL);
    const std::vector<std::tuple<WindowHandle, std::string, std::string, uint32_t>> expected = {
        {OWNER, "Please select a macro", "Keyloom", desk::BOX_OK | desk::BOX_ICON_WARNING},
        {NO_WINDOW, "Recording starts", "Keyloom", desk::BOX_OK | desk::BOX_ICON_INFORMATION},
        {NO_WINDOW, "Hello", "Keyloom", desk::BOX_OK},
        {OWNER, "Remove?", "Confirm", desk::BOX_YESNO | desk::BOX_ICON_QUESTION},
        {OWNER, "Save?", "Keyloom Scheduler", desk::BOX_YESNOCANCEL | desk::BOX_ICON_QUESTION},
    };
    ASSERT_EQ(desktop.boxes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FakeDesktop::Box& box = desktop.boxes[i];
        EXPECT_EQ(std::tie(box.owner, box.text, box.caption, box.style), expected[i]) << i;
    }
}

}  // namespace
