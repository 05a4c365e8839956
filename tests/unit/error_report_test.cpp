#include <gtest/gtest.h>

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

}  // namespace
