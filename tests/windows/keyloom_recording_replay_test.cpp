// The user (this test) makes a session of about 200 input events in a window of the test while
// Keyloom's editor records it; the editor's Play then replays the recording into the same window.
// The window gets the same text, clicks, double-click and wheel turns, the hold as long, and the
// whole at the pace it was made. Prints, per time interval, the events lost and the replay time
// over the recorded time.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "resources/keyloom_ids.h"
#include "tests/support/input_log_win32.h"
#include "tests/support/input_script_win32.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr std::string_view SENTENCE =
    "Keyloom Records What You Type and plays it back at the same pace it was made";
constexpr int KEY_SLOT_MS = 33;  // 30 keys a second
constexpr int TAP_MS = 10;
constexpr WORD HELD_KEY = 'X';  // not in the sentence
constexpr int HOLD_MS = 600;
constexpr int REPLAYS = 3;  // a replay that a busy machine delayed is tried again

// A key held as a keyboard holds it: repeated after the keyboard's delay, at its rate.
void HoldAsTheKeyboardDoes(InputScript& script, int atMs, WORD key, int holdMs) {
    const KeyRepeat repeat = TheDesktop().KeyboardRepeat();
    script.Key(atMs, key, false);
    for (int64_t at = repeat.delayMicroseconds; at < int64_t{holdMs} * 1000;
         at += repeat.everyMicroseconds)
        script.Key(atMs + static_cast<int>(at / 1000), key, false);
    script.Key(atMs + holdMs, key, true);
}

// The typed text, and apart from it how many characters the held key typed.
struct Typed {
    std::string text;
    int held = 0;
};
Typed SplitTyped(const std::string& text) {
    Typed typed;
    for (char c : text)
        if (c == 'x')
            ++typed.held;
        else
            typed.text += c;
    return typed;
}

// The session, in client co-ordinates of `target`.
InputScript Session(const InputLogWindow& target) {
    auto at = [&](LONG x, LONG y) { return target.ToScreen(POINT{x, y}); };
    InputScript script;  // a click first, which in the replay brings the window to the front
    script.MoveTo(0, at(100, 100)).Click(20, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 60);
    int t = 400;
    for (char c : SENTENCE) {
        const WORD key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)));
        if (std::isupper(static_cast<unsigned char>(c)))
            script.Key(t, VK_SHIFT, false).Tap(t + 6, key, TAP_MS).Key(t + 22, VK_SHIFT, true);
        else
            script.Tap(t, key, TAP_MS);
        t += KEY_SLOT_MS;
    }
    HoldAsTheKeyboardDoes(script, t += 300, HELD_KEY, HOLD_MS);
    t += HOLD_MS + 300;
    script.MoveTo(t, at(300, 200))
        .Click(t + 50, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 40)
        .Click(t + 160, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 40);
    t += 300;
    for (int notch = 0; notch < 6; ++notch)
        script.Mouse(t += 150, MOUSEEVENTF_WHEEL, DWORD(notch < 3 ? WHEEL_DELTA : -WHEEL_DELTA));
    script.Mouse(t += 150, MOUSEEVENTF_HWHEEL, WHEEL_DELTA);
    script.Mouse(t += 150, MOUSEEVENTF_HWHEEL, DWORD(-WHEEL_DELTA));
    t += 150;
    script.MoveTo(t, at(200, 300))
        .Click(t + 50, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 60)
        .Click(t + 300, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, 60, XBUTTON1);
    t += 600;
    script.MoveTo(t, at(150, 350)).Mouse(t + 50, MOUSEEVENTF_LEFTDOWN);  // a drag
    for (LONG step = 1; step <= 12; ++step)
        script.MoveTo(t + 50 + 30 * step, at(150 + 20 * step, 350));
    script.Mouse(t + 450, MOUSEEVENTF_LEFTUP);
    return script;
}

// A key, button or wheel event as the window saw it; moves and characters are left out.
struct Event {
    UINT message;
    int value;  // key code, X button or wheel amount
    POINT at;   // where a button was pressed or let go, in the window
    DWORD time;
    bool operator==(const Event& other) const {
        return message == other.message && value == other.value && at.x == other.at.x &&
               at.y == other.at.y;
    }
};

bool IsButton(UINT message) {
    return message >= WM_LBUTTONDOWN && message <= WM_XBUTTONDBLCLK && message != WM_MOUSEWHEEL;
}
bool IsWheel(UINT message) {
    return message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL;
}

std::vector<Event> Events(const std::vector<LoggedInput>& log) {
    std::vector<Event> events;
    for (const LoggedInput& input : log) {
        const bool repeat = (input.lParam & (1 << 30)) != 0;
        Event event{input.message, 0, {}, input.time};
        if (input.message == WM_KEYDOWN || input.message == WM_SYSKEYDOWN) {
            if (repeat) continue;  // a hold is judged by its length
            event.value = static_cast<int>(input.wParam);
        } else if (input.message == WM_KEYUP || input.message == WM_SYSKEYUP) {
            event.value = static_cast<int>(input.wParam);
        } else if (IsWheel(input.message)) {
            event.value = GET_WHEEL_DELTA_WPARAM(input.wParam);
        } else if (IsButton(input.message)) {
            event.value = input.message >= WM_XBUTTONDOWN ? GET_XBUTTON_WPARAM(input.wParam) : 0;
            event.at = {static_cast<short>(LOWORD(input.lParam)),
                        static_cast<short>(HIWORD(input.lParam))};
        } else {
            continue;
        }
        events.push_back(event);
    }
    return events;
}

// The mouse events among `events`, named, for a readable comparison.
std::string MouseEvents(const std::vector<Event>& events) {
    static const char* const NAMES[] = {"Ldown", "Lup",  "Ldbl",  "Rdown", "Rup", "Rdbl", "Mdown",
                                        "Mup",   "Mdbl", "wheel", "Xdown", "Xup", "Xdbl", "hwheel"};
    std::string text;
    for (const Event& event : events) {
        if (!IsButton(event.message) && !IsWheel(event.message)) continue;
        char entry[64];
        std::snprintf(entry, sizeof entry, "%s %d at %ld,%ld; ",
                      NAMES[event.message - WM_LBUTTONDOWN], event.value, event.at.x, event.at.y);
        text += entry;
    }
    return text;
}

// How long the held key was down; -1 when it never was.
int HoldMs(const std::vector<Event>& events) {
    auto down = std::find_if(events.begin(), events.end(), [](const Event& event) {
        return event.message == WM_KEYDOWN && event.value == HELD_KEY;
    });
    auto up = std::find_if(down, events.end(), [](const Event& event) {
        return event.message == WM_KEYUP && event.value == HELD_KEY;
    });
    return up == events.end() ? -1 : static_cast<int>(up->time - down->time);
}

int SpanMs(const std::vector<Event>& events) {
    return events.empty() ? 0 : static_cast<int>(events.back().time - events.front().time);
}

// The replay against the live session: the events of both in common, in order (longest common
// subsequence), and how far in time from its place each common one came. The place is counted
// from the median offset, since the first event of a replay may itself come up to an interval
// late, which would shift every other.
struct Comparison {
    std::size_t common = 0;
    int worstOffsetMs = 0;
    std::size_t worstAt = 0;  // in the live session
};

Comparison Compare(const std::vector<Event>& live, const std::vector<Event>& replay) {
    const std::size_t n = live.size(), m = replay.size();
    std::vector<std::vector<int>> longest(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            longest[i][j] = live[i] == replay[j] ? longest[i + 1][j + 1] + 1
                                                 : std::max(longest[i + 1][j], longest[i][j + 1]);
    std::vector<std::pair<int, std::size_t>> offsets;  // with the event's place in `live`
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (live[i] == replay[j]) {
            offsets.emplace_back(
                static_cast<int>((replay[j].time - replay[0].time) - (live[i].time - live[0].time)),
                i);
            ++i, ++j;
        } else if (longest[i + 1][j] >= longest[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    Comparison comparison{offsets.size(), 0, 0};
    if (offsets.empty()) return comparison;
    std::vector<std::pair<int, std::size_t>> sorted = offsets;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const int median = sorted[sorted.size() / 2].first;
    for (const auto& [offset, at] : offsets)
        if (std::abs(offset - median) > comparison.worstOffsetMs)
            comparison = {comparison.common, std::abs(offset - median), at};
    return comparison;
}

class KeyloomRecordingReplayTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        macroFile = dir.Write("recorded.mro", MacroFileText("Recorded", "DELAY 10\r\n"));
        WriteKeyloomSettings(dir.Write("recorded.lst", macroFile + "\r\n"), interval);
        keyloom = std::make_unique<KeyloomDriver>();
        ASSERT_NE(keyloom->WaitForMainWindow(), nullptr);
        ASSERT_TRUE(keyloom->WaitUntilVisible(true));
        keyloom->Select(0);
        keyloom->Command(IDC_EDIT_MACRO);
        editor = keyloom->WaitForBox("Keyloom").window;
        ASSERT_NE(editor, nullptr);
    }

    // Clicks an editor button and returns once the editor has carried out what it does.
    bool Run(int button) {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(editor, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0,
                                   SMTO_NORMAL, 120000, &ignored) != 0;
    }

    // Record, the start box answered, the session, Pause; then Apply, which gives the macro the
    // time interval as its pace. Returns what the window received of the session.
    std::vector<LoggedInput> Record(const InputScript& session) {
        keyloom->Press(editor, IDC_RECORD);
        ProgramBox box = keyloom->WaitForBox("Keyloom", editor);
        EXPECT_NE(box.window, nullptr) << "no start box";
        keyloom->Press(box.window, IDOK);
        // The editor goes first; its Stop button comes on once the recording has begun.
        EXPECT_TRUE(PumpUntil([&] {
            return !IsWindowVisible(editor) &&
                   IsWindowEnabled(GetDlgItem(editor, IDC_PREVIEW_STOP));
        })) << "not recording";
        PumpFor(300);
        target.Focus();
        target.Take();
        session.Play();
        target.WaitUntilQuiet(300);
        std::vector<LoggedInput> live = target.Take();
        SendKey(VK_PAUSE, false);
        PumpFor(60);
        SendKey(VK_PAUSE, true);
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(editor) != FALSE; }))
            << "Pause did not finish the recording";
        EXPECT_TRUE(Run(IDC_APPLY));
        return live;
    }

    std::vector<LoggedInput> Replay() {
        target.WaitUntilQuiet(300);
        target.Take();
        EXPECT_TRUE(Run(IDC_PREVIEW_PLAY));
        target.WaitUntilQuiet(500);
        return target.Take();
    }

    const int interval = GetParam();
    TempDir dir;
    std::string macroFile;
    InputLogWindow target{"Recording target", RECT{200, 150, 840, 630}};
    std::unique_ptr<KeyloomDriver> keyloom;
    HWND editor = nullptr;
};

TEST_P(KeyloomRecordingReplayTest, TheReplayGivesTheWindowWhatTheSessionGaveIt) {
    const std::vector<LoggedInput> liveLog = Record(Session(target));
    const std::vector<Event> live = Events(liveLog);
    const Typed typed = SplitTyped(TypedText(liveLog));
    ASSERT_EQ(typed.text, SENTENCE) << "the session did not reach the window";
    ASSERT_GE(typed.held, 2) << "the held key did not repeat";
    ASSERT_NE(MouseEvents(live).find("Ldbl"), std::string::npos) << "no live double-click";

    std::vector<LoggedInput> replayLog;
    std::vector<Event> replay;
    auto onTime = [&] {
        return std::abs(HoldMs(replay) - HoldMs(live)) <= interval &&
               std::abs(SpanMs(replay) - SpanMs(live)) <= SpanMs(live) / 50 + interval;
    };
    // Only the timing is tried again: a replay that lost events is judged as it is.
    for (int attempt = 1; attempt <= REPLAYS; ++attempt) {
        replayLog = Replay();
        replay = Events(replayLog);
        const Comparison comparison = Compare(live, replay);
        std::printf(
            "MacroDelay %d ms, replay %d: %zu of %zu events lost, %zu extra; replay %d ms "
            "over recorded %d ms = %.3f; hold %d ms (%d characters) replayed as %d ms (%d); worst "
            "offset around the median %d ms, at "
            "message %#x %d, %d ms into the session\n",
            interval, attempt, live.size() - comparison.common, live.size(),
            replay.size() - comparison.common, SpanMs(replay), SpanMs(live),
            double(SpanMs(replay)) / SpanMs(live), HoldMs(live), typed.held, HoldMs(replay),
            SplitTyped(TypedText(replayLog)).held, comparison.worstOffsetMs,
            live[comparison.worstAt].message, live[comparison.worstAt].value,
            static_cast<int>(live[comparison.worstAt].time - live[0].time));
        std::fflush(stdout);
        if (onTime() || comparison.common != live.size()) break;
    }

    const Typed replayed = SplitTyped(TypedText(replayLog));
    EXPECT_EQ(replayed.text, SENTENCE);
    EXPECT_NEAR(replayed.held, typed.held, 1) << "the held key's repeats";
    EXPECT_EQ(MouseEvents(replay), MouseEvents(live)) << "clicks, double-click and wheel turns";
    const Comparison comparison = Compare(live, replay);
    EXPECT_EQ(comparison.common, live.size()) << "events lost";
    EXPECT_EQ(comparison.common, replay.size()) << "events the session did not have";
    EXPECT_NEAR(HoldMs(replay), HoldMs(live), interval) << "the hold";
    EXPECT_NEAR(SpanMs(replay), SpanMs(live), SpanMs(live) / 50 + interval)
        << "the total time; the recording:\n"
        << ReadWholeFile(macroFile);
}

INSTANTIATE_TEST_SUITE_P(Intervals, KeyloomRecordingReplayTest, ::testing::Values(10, 100),
                         [](const auto& info) { return std::to_string(info.param) + "ms"; });

}  // namespace
