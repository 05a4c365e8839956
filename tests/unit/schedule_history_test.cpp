// The Scheduler's history: the line of every outcome, appends that never rewrite, a new file
// past 1 MB, the pane's last line and View History; a history that cannot be written is said
// once and never stops a play.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "scheduler/engine/fire_item.h"
#include "scheduler/engine/schedule_history.h"
#include "tests/support/scheduler_rig.h"

namespace {

using ::testing::ElementsAre;

constexpr LocalTime MORNING{2026, 12, 2, 8, 7, 0, 5, 250};  // a Tuesday
constexpr LocalTime DUE{2026, 11, 1, 30, 23, 59, 59, 0};

struct OutcomeCase {
    AppointmentOutcome outcome;
    bool late;
    std::string line;
};

TEST(ScheduleHistoryLineTest, HoldsTimeNamePathAndOutcomeBetweenTabsAndTheDueTimeOfALatePlay) {
    const std::string start = "2026-12-08 07:00:05\tBackup\tC:\\Macros\\backup.mro\t";
    const std::vector<OutcomeCase> cases{
        {AppointmentOutcome::Played, false, start + "played\r\n"},
        {AppointmentOutcome::Stopped, false, start + "stopped\r\n"},
        {AppointmentOutcome::FileNotFound, false, start + "file not found\r\n"},
        {AppointmentOutcome::MissedAsleep, false, start + "missed (asleep)\r\n"},
        {AppointmentOutcome::MissedNotRunning, false, start + "missed (not running)\r\n"},
        {AppointmentOutcome::MissedLocked, false, start + "missed (locked)\r\n"},
        {AppointmentOutcome::CaughtUp, true, start + "caught up\t2026-11-30 23:59:59\r\n"},
    };
    for (const OutcomeCase& c : cases) {
        HistoryEntry entry{MORNING, "Backup", "C:\\Macros\\backup.mro", c.outcome, std::nullopt};
        if (c.late) entry.due = DUE;
        EXPECT_EQ(HistoryLine(entry), c.line);
    }
}

TEST(ScheduleHistoryLineTest, KeepsANameOrPathWithTabsOrLineBreaksOnOneLine) {
    const HistoryEntry entry{MORNING, "a\tb\r\nc", "C:\\x\ny.mro", AppointmentOutcome::Played,
                             std::nullopt};
    EXPECT_EQ(HistoryLine(entry), "2026-12-08 07:00:05\ta b  c\tC:\\x y.mro\tplayed\r\n");
}

TEST(ScheduleHistoryLineTest, FullHistoryIsNamedWithOneBeforeItsExtension) {
    EXPECT_EQ(RotatedHistoryPath("C:\\K\\Scheduler history.txt"), "C:\\K\\Scheduler history.1.txt");
    EXPECT_EQ(RotatedHistoryPath("C:\\K.d\\history"), "C:\\K.d\\history.1");
}

class ScheduleHistoryTest : public SchedulerRig {
  protected:
    void SetUp() override { DriveClock(); }
    std::string History() const { return disk.Read(HISTORY_PATH); }
    std::string Line(const std::string& time, const std::string& name, const std::string& end) {
        return time + "\t" + name + "\t" + disk.Path(name + ".mro") + "\t" + end + "\r\n";
    }
    void Append(const std::string& name, AppointmentOutcome outcome) {
        history.Append({LocalTimeAt(clock), name, disk.Path(name + ".mro"), outcome, std::nullopt});
    }
    std::vector<std::string> BoxCaptions() const {
        std::vector<std::string> captions;
        for (const FakeDesktop::Box& box : desktop.boxes)
            captions.push_back(box.caption);
        return captions;
    }
};

TEST_F(ScheduleHistoryTest, ScheduledPlaysLeaveTheirOutcomeAtTheTimeTheyBegan) {
    AddInterval("a", 0, 0, 2);
    playSeconds = 3;
    Start();
    TickAt(clock + 1);
    TickAt(clock + 1);  // a plays from 14:30:02 to 14:30:05
    playback.end = PlayEnd::Escape;
    TickAt(clock + 1);
    TickAt(clock + 1);
    disk.Remove(table.items[0].macroFileName);
    TickAt(clock + 1);
    TickAt(clock + 1);
    EXPECT_EQ(History(), Line("2026-03-05 14:30:02", "a", "played") +
                             Line("2026-03-05 14:30:07", "a", "stopped") +
                             Line("2026-03-05 14:30:12", "a", "file not found"));
}

// An appointment due while the session is locked: missed, or, with "Play if missed", played at
// the unlock with the time it was due.
TEST_F(ScheduleHistoryTest, MissedAndCaughtUpAppointmentsLeaveTheirLines) {
    struct Case {
        bool catchUp;
        std::string line;
    };
    const std::vector<Case> cases{
        {false, Line("2026-03-05 14:30:05", "a", "missed (locked)")},
        {true, Line("2026-03-05 14:30:07", "a", "caught up\t2026-03-05 14:30:05")},
    };
    for (const Case& c : cases) {
        disk.Remove(HISTORY_PATH);
        table = ScheduleTable{};
        state = SchedulerState{};
        clock = At(2026, 3, 5, 14, 30, 0);
        AddPeriodic("a", PERIOD_DAY, 14, 30, 5).catchUp = c.catchUp;
        Start();
        view.sessionLocked = true;
        TickEverySecond(clock + 1, clock + 6);
        view.sessionLocked = false;
        TickEverySecond(clock + 1, clock + 2);
        StopScheduler(scheduler);
        EXPECT_EQ(History(), c.line) << "play if missed: " << c.catchUp;
    }
}

TEST_F(ScheduleHistoryTest, SessionStartItemsLeaveTheirLinesAndPauseCountsAsStopped) {
    Add("a", RUN_STYLE_STARTUP);
    Add("b", RUN_STYLE_STARTUP);
    playback.onPlay = [&](const Macro& macro) {
        playback.end = FieldText(macro.name) == "a" ? PlayEnd::Pause : PlayEnd::StyleSatisfied;
    };
    PlayStartupItems(scheduler);
    EXPECT_EQ(History(), Line("2026-03-05 14:30:00", "a", "stopped") +
                             Line("2026-03-05 14:30:00", "b", "played"));
}

TEST_F(ScheduleHistoryTest, AppendsAfterWhatTheFileHoldsAndNeverWritesItAnew) {
    const std::string kept = "2026-01-01 00:00:00\told\tC:\\old.mro\tplayed\r\n";
    disk.files[HISTORY_PATH] = kept;
    history.Load();
    Append("a", AppointmentOutcome::Played);
    Append("b", AppointmentOutcome::MissedLocked);
    EXPECT_EQ(History(), kept + Line("2026-03-05 14:30:00", "a", "played") +
                             Line("2026-03-05 14:30:00", "b", "missed (locked)"));
    EXPECT_TRUE(files.created.empty()) << "no file is written whole";
}

TEST_F(ScheduleHistoryTest, PastOneMegabyteTheFullFileMovesBesideAndANewOneBegins) {
    const std::string rotated = RotatedHistoryPath(HISTORY_PATH);
    disk.files[rotated] = "an older full history\r\n";
    const std::string line = Line("2026-03-05 14:30:00", "a", "played");
    const std::string full = std::string(HISTORY_LIMIT_BYTES - line.size() - 2, 'x') + "\r\n";
    disk.files[HISTORY_PATH] = full;
    history.Load();
    Append("a", AppointmentOutcome::Played);  // fills it exactly
    EXPECT_TRUE(History() == full + line);
    Append("a", AppointmentOutcome::Played);
    EXPECT_TRUE(disk.Read(rotated) == full + line);
    EXPECT_EQ(History(), line);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ScheduleHistoryTest, AHistoryThatCannotBeWrittenIsSaidOnceAndThePlaysGoOn) {
    AddInterval("a", 0, 0, 1);
    Start();
    files.Arm({FaultPoint::Create, 0});
    TickEverySecond(clock + 1, clock + 3);
    EXPECT_THAT(Played(), ElementsAre("a", "a", "a"));
    EXPECT_THAT(BoxCaptions(), ElementsAre("Error!"));
    EXPECT_THAT(desktop.boxes[0].text, ::testing::HasSubstr(HISTORY_PATH));
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
}

TEST_F(ScheduleHistoryTest, ALineAfterAHalfWrittenOneStartsOnALineOfItsOwn) {
    files.Arm({FaultPoint::Write, 1});
    Append("a", AppointmentOutcome::Played);
    files.Arm({});
    Append("b", AppointmentOutcome::Played);
    const std::string a = Line("2026-03-05 14:30:00", "a", "played");
    EXPECT_EQ(History(),
              a.substr(0, a.size() / 2) + "\r\n" + Line("2026-03-05 14:30:00", "b", "played"));
    EXPECT_THAT(BoxCaptions(), ElementsAre("Error!"));
}

TEST_F(ScheduleHistoryTest, PaneShowsTheSelectedItemsLastLineFromBothFilesAndEachNewPlay) {
    disk.files[RotatedHistoryPath(HISTORY_PATH)] =
        Line("2026-03-01 09:00:00", "a", "missed (asleep)") +
        Line("2026-03-01 09:30:00", "b", "played");
    disk.files[HISTORY_PATH] =
        Line("2026-03-02 09:00:00", "a", "caught up\t2026-03-01 09:00:00") + "torn line";
    history.Load();
    for (const char* name : {"a", "b", "c"}) {
        Add(name, RUN_STYLE_INTERVAL);
        view.list.Append(name);
    }
    Open();
    EXPECT_EQ(view.lastPlayed,
              "Last played: 2026-03-02 09:00:00, caught up (due 2026-03-01 09:00:00)");
    const std::vector<std::string> shown{
        view.lastPlayed, "Last played: 2026-03-01 09:30:00, played", "Last played: never"};
    for (int entry = 0; entry < 3; ++entry) {
        view.list.Select(entry);
        OnSelectionChanged(window);
        EXPECT_EQ(view.lastPlayed, shown[entry]);
    }
    view.pane.everySeconds = 1;  // the user makes c play every second
    HideInTrayAndListen(window);
    TickAt(clock + 1);
    RestoreFromTray(window);
    view.list.Select(2);
    OnSelectionChanged(window);
    EXPECT_EQ(view.lastPlayed, "Last played: 2026-03-05 14:30:01, played");
    EXPECT_EQ(History().substr(History().size() - 2), "\r\n") << "the torn line is ended";
}

TEST_F(ScheduleHistoryTest, ViewHistoryOpensTheFileOrSaysThereIsNoneYet) {
    Open();
    ViewHistory(window);
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("There is no Scheduler history yet: it begins with the first "
                            "scheduled play."));
    Append("a", AppointmentOutcome::Played);
    ViewHistory(window);
    EXPECT_EQ(desktop.Actions().back(), "ShellExecuteA 55 " + std::string(HISTORY_PATH) + " 5");
    desktop.shellResult = 2;
    ViewHistory(window);
    EXPECT_EQ(desktop.boxes.back().caption, "Error!");
    EXPECT_EQ(desktop.boxes.back().text,
              "The Scheduler history could not be opened: " + std::string(HISTORY_PATH));
}

}  // namespace
