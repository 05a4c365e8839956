// A recording played back: every line plays at the time it was recorded, or one pace after the
// line before it where a sample wrote several lines.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recorder_rig.h"

namespace {

constexpr int INTERVAL = 10;

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

// Records the input changes made before the samples they are keyed by, up to the Pause sample;
// returns the lines with the time of the sample that wrote each, DELAY lines left out.
std::vector<TimedLine> Record(RecorderRig& rig,
                              const std::map<int, std::function<void(FakeDesktop&)>>& changes,
                              int pauseSample) {
    std::vector<TimedLine> recorded;
    rig.Start(INTERVAL);
    for (int sample = 1; sample < pauseSample; ++sample) {
        if (changes.count(sample)) changes.at(sample)(rig.desktop);
        const std::size_t before = SplitLines(rig.Code()).size();
        rig.Tick();
        const std::vector<std::string> lines = SplitLines(rig.Code());
        for (std::size_t i = before; i < lines.size(); ++i)
            if (lines[i].rfind("DELAY ", 0) != 0) recorded.push_back({lines[i], rig.desktop.now});
    }
    rig.desktop.Press(desk::KEY_PAUSE);
    rig.Tick();
    rig.DeliverEnding();
    return recorded;
}

// Plays `code` once as a macro saved at the recording's interval; the same lines with the
// time each began.
std::vector<TimedLine> Play(const std::string& code, uint32_t& endedAt) {
    FakeDesktop desktop;
    MemoryFileSystem disk;
    Macro macro = MacroPlayedOnce(INTERVAL);
    CopyText(macro.fileName, disk.Write("recorded.mro", "SPEED 10;\r\nSTART\r\n" + code + "END\r\n"));
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

TEST(RecorderPlaybackTest, ARecordingPlaysBackAtTheSpeedItWasRecorded) {
    RecorderRig rig;
    const std::vector<TimedLine> recorded = Record(
        rig,
        {{1, [](FakeDesktop& d) { d.cursor = {100, 200}; }},
         {4, [](FakeDesktop& d) { d.Press('H'); }},
         {5, [](FakeDesktop& d) { d.Release('H'); }},
         {6, [](FakeDesktop& d) { d.Press('E'); }},
         {7, [](FakeDesktop& d) { d.Release('E'); }},
         {8, [](FakeDesktop& d) { d.Press('L'); }},
         {9, [](FakeDesktop& d) { d.Release('L'); }},
         {10, [](FakeDesktop& d) { d.Press('L'); }},
         {12, [](FakeDesktop& d) { d.Press(desk::KEY_SHIFT); d.Press('O'); }},
         {14, [](FakeDesktop& d) { d.Release(desk::KEY_SHIFT); d.Release('O'); d.Release('L'); }},
         {20, [](FakeDesktop& d) { d.cursor = {300, 40}; d.Press(desk::KEY_LBUTTON); }},
         {21, [](FakeDesktop& d) { d.Release(desk::KEY_LBUTTON); }},
         {30, [](FakeDesktop& d) { d.Press('P'); d.Press('Q'); }},
         {31, [](FakeDesktop& d) { d.Release('P'); d.Release('Q'); }}},
        45);
    const std::vector<TimedLine> recordedAt{{"MOVE_CURSOR 100 200", 10}, {"PRESS_KEY 72", 40},
                                            {"PRESS_KEY 69", 60},         {"PRESS_KEY 76", 80},
                                            {"PRESS_KEY 76", 100},        {"SHIFT_DOWN", 120},
                                            {"PRESS_KEY 79", 130},        {"SHIFT_UP", 140},
                                            {"MOVE_CURSOR 300 40", 200},  {"MOUSE_DOWN Left", 200},
                                            {"MOUSE_UP Left", 210},       {"PRESS_KEY 80", 300},
                                            {"PRESS_KEY 81", 300}};
    EXPECT_EQ(recorded, recordedAt);

    uint32_t endedAt = 0;
    const std::vector<TimedLine> played = Play(rig.view.code, endedAt);
    // Every line plays when it was recorded, but for the second line of a sample (the click
    // after its move, the second of two keys) and the line that follows that one closely: they
    // come a pace later.
    std::vector<TimedLine> playedAt = recordedAt;
    for (std::size_t late : {9, 10, 12})
        playedAt[late].at += INTERVAL;
    EXPECT_EQ(played, playedAt) << rig.view.code;
    EXPECT_EQ(endedAt, 450u) << "the play lasts as long as the recording";
}

}  // namespace
