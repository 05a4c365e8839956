#include <gtest/gtest.h>

#include <set>
#include <string>

#include "library/program/keyloom_texts.h"
#include "settings/project_page.h"
#include "tests/support/fake_desktop.h"
#include "ui/program_start.h"

namespace {

TEST(ProgramStartTest, OnlyATopLevelWindowTitledExactlyKeyloomIsARunningInstance) {
    FakeDesktop desktop;
    desktop.windows = {{1, "Keyloom Scheduler"}, {2, "keyloom"}, {3, "Keyloom "}, {4, ""}};
    EXPECT_FALSE(FindRunningInstance(desktop, MAIN_WINDOW_TITLE));

    desktop.windows.push_back({5, "Keyloom", false});  // hidden in the notification area
    desktop.windows.push_back({6, "Keyloom"});
    desktop.calls.clear();
    EXPECT_TRUE(FindRunningInstance(desktop, MAIN_WINDOW_TITLE));
    EXPECT_EQ(desktop.calls.back(), "GetWindowTextA 5");  // the look-up stops at the first
}

TEST(ProgramStartTest, ASecondInstanceIsToldItIsAlreadyRunningAndTheFirstRunsAlone) {
    FakeDesktop desktop;
    desktop.windows = {{1, "Keyloom Scheduler"}};
    EXPECT_FALSE(RefuseSecondInstance(desktop, MAIN_WINDOW_TITLE, ALREADY_RUNNING_MESSAGE));
    EXPECT_TRUE(desktop.boxes.empty());

    desktop.windows.push_back({2, "Keyloom", false});
    EXPECT_TRUE(RefuseSecondInstance(desktop, MAIN_WINDOW_TITLE, ALREADY_RUNNING_MESSAGE));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[0].text, "An instance of Keyloom is already running");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
}

TEST(ProgramStartTest, OnlyExactlySlashMStartsHidden) {
    EXPECT_TRUE(IsStartHiddenSwitch("/m"));
    for (const char* other : {"", "/M", "-m", "/m ", " /m", "/m /m", "/mm", "m"})
        EXPECT_FALSE(IsStartHiddenSwitch(other)) << "\"" << other << "\"";
}

TEST(ProgramStartTest, TheProjectPageIsTheNearestReadmeAboveTheProgram) {
    std::set<std::string> files = {"Z:\\work\\main\\README.md", "Z:\\work\\README.md"};
    auto exists = [&](const std::string& path) { return files.count(path) != 0; };
    EXPECT_EQ(ProjectPage("Z:\\work\\main\\build\\win64\\Keyloom.exe", exists),
              "Z:\\work\\main\\README.md");
    files.insert("C:\\Keyloom\\README.md");
    EXPECT_EQ(ProjectPage("C:\\Keyloom\\Keyloom.exe", exists), "C:\\Keyloom\\README.md");
    EXPECT_EQ(ProjectPage("D:\\a\\b\\c\\d\\e\\Keyloom.exe", exists),
              "D:\\a\\b\\c\\d\\e\\README.md");  // none near: the one beside the program
}

}  // namespace
