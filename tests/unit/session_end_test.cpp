// Ending the session: the privilege first, then a forced request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/language/session_end.h"
#include "tests/support/fake_desktop.h"

namespace {

using Actions = std::vector<std::string>;

TEST(SessionEndTest, EnablesThePrivilegeThenAsksForAForcedEnd) {
    FakeDesktop desktop;
    EXPECT_TRUE(EndSession(desktop, SessionEndKind::PowerOff));
    EXPECT_TRUE(EndSession(desktop, SessionEndKind::Restart));
    EXPECT_EQ(desktop.Actions(), (Actions{"EnableShutdownPrivilege", "ExitWindowsEx 12",
                                          "EnableShutdownPrivilege", "ExitWindowsEx 6"}));
}

TEST(SessionEndTest, FailsWhenThePrivilegeOrTheRequestIsRefused) {
    FakeDesktop desktop;
    desktop.privilegeGranted = false;
    EXPECT_FALSE(EndSession(desktop, SessionEndKind::PowerOff));
    EXPECT_EQ(desktop.Actions(), Actions{"EnableShutdownPrivilege"});
    desktop.privilegeGranted = true;
    desktop.sessionEnds = false;
    EXPECT_FALSE(EndSession(desktop, SessionEndKind::Restart));
}

}  // namespace
