// A recording played back: every line plays at the time its event happened, or one pace after
// the line before it where events came closer, and the play lasts as long as the recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recorder_rig.h"

namespace {

struct TimedLine {
    std::string line;
    uint32_t at;  // milliseconds from the start of the recording or of the play
    bool operator==(const TimedLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TimedLine& timed) {
    return out << timed.line << " @" << timed.at;
}

std::vector<std::string> SplitLines(const std::string& code) {
    std::vector<std::string> lines;
    std::istringstream stream(code);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// When each step of a play began, on the play's virtual clock.
class StepClock : public PlayObserver {
  public:
    explicit StepClock(FakeDesktop& desktop) : desktop_(desktop) {}
    void PlayStarted(PlayOrigin, int32_t, int32_t) override { start_ = desktop_.now; }
    void StepPlaying(int32_t) override { stepsAt.push_back(desktop_.now - start_); }
    void PlayEnded(PlayOrigin, PlayEnd, int32_t) override { endedAt = desktop_.now - start_; }
    std::vector<uint32_t> stepsAt;  // the START step first
    uint32_t endedAt = 0;

  private:
    FakeDesktop& desktop_;
    uint32_t start_ = 0;
};

// Plays `code` once as a macro saved at the recording's interval; the same lines with the
// time each began.
std::vector<TimedLine> Play(const std::string& code, int32_t interval, uint32_t& endedAt) {
    FakeDesktop desktop;
    MemoryFileSystem disk;
    Macro macro = MacroPlayedOnce(interval);
    CopyText(macro.fileName, disk.Write("recorded.mro", "SPEED " + std::to_string(interval) +
                                                            ";\r\nSTART\r\n" + code + "END\r\n"));
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    StepClock clock(desktop);
    MacroPlayer player{state, desktop, disk, interpreter, NO_WINDOW, &clock};
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    endedAt = clock.endedAt;
    const std::vector<std::string> lines = SplitLines(code);
    std::vector<TimedLine> played;
    for (std::size_t i = 0; i < lines.size() && i + 1 < clock.stepsAt.size(); ++i)
        if (lines[i].rfind("DELAY ", 0) != 0) played.push_back({lines[i], clock.stepsAt[i + 1]});
    return played;
}

// Something the user does, `at` milliseconds into a recording at an interval of 10 ms, and the
// line it gives.
struct Event {
    uint32_t at;
    std::function<void(FakeDesktop&)> act;
    const char* line;  // none where the event gives no line of its own
};

// Typing at 30 keys a second, Shift, a 600 ms hold with its typematic repeats, a double-click,
// wheel turns, a middle click and a drag.
std::vector<Event> Session() {
    using namespace desk;
    std::vector<Event> events{
        {15, [](FakeDesktop& d) { d.MovePointer(100, 200); }, "MOVE_CURSOR 100 200"},
        {40, [](FakeDesktop& d) { d.Press('H'); }, "PRESS_KEY 72"},
        {45, [](FakeDesktop& d) { d.Release('H'); }, nullptr},
        {73, [](FakeDesktop& d) { d.Press('E'); }, "PRESS_KEY 69"},
        {78, [](FakeDesktop& d) { d.Release('E'); }, nullptr},
        {106, [](FakeDesktop& d) { d.Press('L'); }, "PRESS_KEY 76"},
        {111, [](FakeDesktop& d) { d.Release('L'); }, nullptr},
        {170, [](FakeDesktop& d) { d.Press(KEY_SHIFT); }, "SHIFT_DOWN"},
        {180, [](FakeDesktop& d) { d.Press('O'); }, "PRESS_KEY 79"},
        {185, [](FakeDesktop& d) { d.Release('O'); }, nullptr},
        {195, [](FakeDesktop& d) { d.Release(KEY_SHIFT); }, "SHIFT_UP"},
        {220, [](FakeDesktop& d) { d.Press('K'); }, "KEY_DOWN 75"},
        {820, [](FakeDesktop& d) { d.Release('K'); }, "KEY_UP 75"},
        {850, [](FakeDesktop& d) { d.MovePointer(300, 40); }, "MOVE_CURSOR 300 40"},
        {860, [](FakeDesktop& d) { d.Press(KEY_LBUTTON); }, "CLICK_MOUSE Left SINGLE"},
        {865, [](FakeDesktop& d) { d.Release(KEY_LBUTTON); }, nullptr},
        {960, [](FakeDesktop& d) { d.Press(KEY_LBUTTON); }, "CLICK_MOUSE Left SINGLE"},
        {965, [](FakeDesktop& d) { d.Release(KEY_LBUTTON); }, nullptr},
        {1000, [](FakeDesktop& d) { d.TurnWheel(120); }, "MOUSE_WHEEL 120"},
        {1040, [](FakeDesktop& d) { d.TurnWheel(120); }, "MOUSE_WHEEL 120"},
        {1120, [](FakeDesktop& d) { d.TurnWheel(-120); }, "MOUSE_WHEEL -120"},
        {1160, [](FakeDesktop& d) { d.TiltWheel(120); }, "MOUSE_HWHEEL 120"},
        {1200, [](FakeDesktop& d) { d.Press(KEY_MBUTTON); }, "MOUSE_DOWN Middle"},
        {1210, [](FakeDesktop& d) { d.Release(KEY_MBUTTON); }, "MOUSE_UP Middle"},
        {1300, [](FakeDesktop& d) { d.Press(KEY_LBUTTON); }, "MOUSE_DOWN Left"},
        {1312, [](FakeDesktop& d) { d.MovePointer(310, 50); }, nullptr},
        {1315, [](FakeDesktop& d) { d.MovePointer(315, 55); }, "MOVE_CURSOR 315 55"},
        {1325, [](FakeDesktop& d) { d.MovePointer(320, 60); }, "MOVE_CURSOR 320 60"},
        {1330, [](FakeDesktop& d) { d.Release(KEY_LBUTTON); }, "MOUSE_UP Left"},
    };
    for (uint32_t repeat = 720; repeat < 820; repeat += 33)
        events.push_back({repeat, [](FakeDesktop& d) { d.Press('K'); }, nullptr});
    return events;
}

// However often the samples come, the lines are the same.
TEST(RecorderPlaybackTest, EveryLinePlaysWithinAnIntervalOfItsEventAndThePlayLastsAsLong) {
    for (const int32_t interval : {10, 100}) {
        const uint32_t scale = static_cast<uint32_t>(interval) / 10;
        const uint32_t pauseAt = 1500 * scale;
        std::vector<UserStep> steps;
        std::vector<TimedLine> recordedAt{{"MOVE_CURSOR 0 0", 0}};
        std::vector<Event> session = Session();
        std::stable_sort(session.begin(), session.end(),
                         [](const Event& a, const Event& b) { return a.at < b.at; });
        for (const Event& event : session) {
            steps.push_back({event.at * scale, event.act});
            if (event.line) recordedAt.push_back({event.line, event.at * scale});
        }
        RecorderRig rig;
        const std::string code = RecordSteps(rig, steps, pauseAt, interval);
        for (const uint32_t sampleEvery : {7u, 10u, 100u}) {
            RecorderRig sampledOtherwise;
            EXPECT_EQ(RecordSteps(sampledOtherwise, steps, pauseAt, interval, sampleEvery), code)
                << "sampled every " << sampleEvery << " ms";
        }

        uint32_t endedAt = 0;
        const std::vector<TimedLine> played = Play(code, interval, endedAt);
        ASSERT_EQ(played.size(), recordedAt.size()) << code;
        for (std::size_t i = 0; i < played.size(); ++i) {
            EXPECT_EQ(played[i].line, recordedAt[i].line) << i;
            EXPECT_GE(played[i].at, recordedAt[i].at) << played[i] << " at " << interval;
            EXPECT_LE(played[i].at, recordedAt[i].at + interval) << played[i] << " at " << interval;
        }
        EXPECT_GE(endedAt, pauseAt);
        EXPECT_LE(endedAt, pauseAt + pauseAt / 50 + interval) << "the play lasts as long";
    }
}

// A drag at an interval of 100 ms, with a move every 30 ms, begun at each phase of an
// interval: a drawing program gets a stroke from where the button went down to where it was
// let go, through points of the path in their order, and both ends play within an interval.
TEST(RecorderPlaybackTest, ADragPlaysWithinAnIntervalOfItsEndsAndThroughItsPath) {
    for (const uint32_t begin : {300u, 320u, 350u, 390u}) {
        std::vector<UserStep> steps{
            {begin, [](FakeDesktop& d) { d.MovePointer(150, 350); }},
            {begin + 50, [](FakeDesktop& d) { d.Press(desk::KEY_LBUTTON); }},
            {begin + 450, [](FakeDesktop& d) { d.Release(desk::KEY_LBUTTON); }}};
        for (int step = 1; step <= 12; ++step)
            steps.push_back({begin + 50 + 30 * static_cast<uint32_t>(step),
                             [step](FakeDesktop& d) { d.MovePointer(150 + 20 * step, 350); }});
        RecorderRig rig;
        const std::string code = RecordSteps(rig, steps, begin + 900, 100);
        uint32_t endedAt = 0;
        const std::vector<TimedLine> played = Play(code, 100, endedAt);
        const auto line = [&](const std::string& text) {
            return std::find_if(played.begin(), played.end(),
                                [&](const TimedLine& timed) { return timed.line == text; });
        };
        const auto down = line("MOUSE_DOWN Left");
        const auto up = line("MOUSE_UP Left");
        ASSERT_TRUE(down != played.begin() && down < up && up != played.end()) << code;
        EXPECT_EQ((down - 1)->line, "MOVE_CURSOR 150 350") << code;
        EXPECT_EQ((up - 1)->line, "MOVE_CURSOR 390 350") << code;
        int lastX = 150;
        for (auto point = down + 1; point != up; ++point) {
            int x = 0;
            ASSERT_EQ(std::sscanf(point->line.c_str(), "MOVE_CURSOR %d 350", &x), 1) << code;
            EXPECT_TRUE(x > lastX && (x - 150) % 20 == 0) << point->line << " in " << code;
            lastX = x;
        }
        EXPECT_LE(down->at, begin + 50 + 100) << code;
        EXPECT_LE(up->at, begin + 450 + 100) << code;
        EXPECT_GE(up->at, begin + 450) << code;
    }
}

// A sentence typed at 30 keys a second, capitals with Shift, at an interval of 100 ms: one
// line a key would cost three intervals for every one the typing took.
TEST(RecorderPlaybackTest, TypingFasterThanTheIntervalPlaysAtThePaceItWasTyped) {
    using namespace desk;
    const std::string sentence = "Keyloom Records What You Type, at the pace it was typed";
    std::vector<UserStep> steps;
    uint32_t at = 100;
    for (const char c : sentence) {
        const int key = c == ',' ? 0xBC : std::toupper(static_cast<unsigned char>(c));
        const bool shifted = std::isupper(static_cast<unsigned char>(c)) != 0;
        if (shifted) steps.push_back({at, [](FakeDesktop& d) { d.Press(KEY_SHIFT); }});
        steps.push_back({at + 6, [key](FakeDesktop& d) { d.Press(key); }});
        steps.push_back({at + 16, [key](FakeDesktop& d) { d.Release(key); }});
        if (shifted) steps.push_back({at + 22, [](FakeDesktop& d) { d.Release(KEY_SHIFT); }});
        at += 33;
    }
    const uint32_t pauseAt = at + 300;
    RecorderRig rig;
    const std::string code = RecordSteps(rig, steps, pauseAt, 100);
    uint32_t endedAt = 0;
    Play(code, 100, endedAt);
    EXPECT_GE(endedAt, pauseAt) << code;
    EXPECT_LE(endedAt, pauseAt + pauseAt / 50 + 100) << code;
}

}  // namespace
