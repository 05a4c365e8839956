// The example macros, list and schedule shipped in examples/: each loads in the program that
// uses it, is written exactly as that program writes it, and plays what its description says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "library/program/engine_trigger_player.h"
#include "library/table/macro_list_file.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_macro_library_views.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Eq;
using ::testing::IsEmpty;

constexpr WindowHandle MAIN_WINDOW = 77;
constexpr WindowHandle NOTEPAD = 500;
constexpr WindowHandle OTHER_WINDOW = 600;

const std::filesystem::path EXAMPLES =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

const std::string EXAMPLE_LIST = (EXAMPLES / "examples.lst").string();
const std::string EXAMPLE_SCHEDULE = (EXAMPLES / "daily-routine.scl").string();

// What an edit control in front would show for the keys sent: characters of a US layout, a
// line break for Enter, and "<Ctrl+key>" or "<key>" for keys that type nothing.
std::string TypedText(const std::vector<std::string>& calls) {
    static const std::map<int, std::pair<char, char>> keys = {
        {0x20, {' ', ' '}}, {0xBC, {',', '<'}}, {0xBD, {'-', '_'}},
        {0xBE, {'.', '>'}}, {0xBA, {';', ':'}}, {0x0D, {'\n', '\n'}}};
    std::string text;
    bool shift = false, control = false;
    for (const std::string& call : calls) {
        int key = 0, flags = 0;
        if (std::sscanf(call.c_str(), "keybd_event %d %d", &key, &flags) != 2) continue;
        const bool down = flags == 0;
        if (key == desk::KEY_SHIFT) shift = down;
        if (key == desk::KEY_CONTROL) control = down;
        if (!down || key == desk::KEY_SHIFT || key == desk::KEY_CONTROL) continue;
        auto found = keys.find(key);
        if (control)
            text += "<Ctrl+" + std::to_string(key) + ">";
        else if (key >= 'A' && key <= 'Z')
            text += static_cast<char>(shift ? key : key - 'A' + 'a');
        else if (key >= '0' && key <= '9' && !shift)
            text += static_cast<char>(key);
        else if (found != keys.end())
            text += shift ? found->second.second : found->second.first;
        else
            text += "<" + std::to_string(key) + ">";
    }
    return text;
}

class ExamplesTest : public ::testing::Test {
  protected:
    ExamplesTest() {
        desktop.windows = {FakeDesktop::Window{OTHER_WINDOW, "Inbox - Mail"},
                           FakeDesktop::Window{NOTEPAD, "Untitled - Notepad"}};
        desktop.foreground = OTHER_WINDOW;
    }

    // Keyloom with the examples' list as its last list; its macros are named relative to it.
    void OpenList() {
        LoadMacroList(library, EXAMPLE_LIST);
        ShowMacroList(library);
    }
    // The macro named `name` of the open list, played as its hot key plays it.
    void PressHotKeyOf(const std::string& name) {
        for (int id = 0; id < table.count; ++id)
            if (FieldText(table.macros[id].name) == name) return OnHotKey(hotKeys, id);
        FAIL() << "no macro named " << name;
    }
    void PlayFromList(const std::string& name) {
        for (int id = 0; id < table.count; ++id)
            if (FieldText(table.macros[id].name) == name) {
                table.currentMacro = &table.macros[id];
                return PlayMacro(player, table.macros[id], ORIGIN_PLAY_BUTTON);
            }
        FAIL() << "no macro named " << name;
    }
    std::vector<std::string> Actions(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : desktop.Actions())
            if (call.rfind(prefix, 0) == 0) found.push_back(call);
        return found;
    }

    FileSystem& files = RealFileSystem();
    FakeDesktop desktop;
    FakeMacroList list;
    FakeSaveItem saveItem;
    FakeFileDialogs dialogs;
    MacroTable table;
    MacroLibrary library{table, list,    saveItem,    dialogs,
                         files, desktop, MAIN_WINDOW, [] { return 20; }};
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, MAIN_WINDOW, {}};
    MacroPlayer player{state, desktop, files, interpreter, MAIN_WINDOW, nullptr};
    EngineTriggerPlayer triggerPlayer{player};
    HotKeys hotKeys{table, desktop, triggerPlayer, MAIN_WINDOW};
};

TEST_F(ExamplesTest, TheListLoadsEveryExampleWithItsTriggerAndWithoutAMessage) {
    OpenList();
    EXPECT_THAT(list.entries,
                ElementsAre("Type a note", "Stamp the time", "Stretch reminder", "Start the day"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
    const Trigger& note = table.macros[0].trigger;
    EXPECT_EQ(std::vector<int>({note.virtualKey, note.shift, note.control, note.alt}),
              std::vector<int>({'N', 1, 1, 0}));
    const Trigger& stamp = table.macros[1].trigger;
    EXPECT_EQ(std::vector<int>({stamp.virtualKey, stamp.shift, stamp.control, stamp.alt}),
              std::vector<int>({'D', 1, 1, 0}));
    EXPECT_EQ(table.macros[2].trigger.virtualKey, 0);
    EXPECT_EQ(table.macros[3].trigger.virtualKey, 0);
    for (int id = 0; id < table.count; ++id) {
        EXPECT_TRUE(table.macros[id].active) << id;
        EXPECT_EQ(table.macros[id].playStyle, PLAY_STYLE_TIMES) << id;
        EXPECT_EQ(table.macros[id].playCount, 1) << id;
    }
}

TEST_F(ExamplesTest, EveryExampleIsWrittenByteForByteAsTheProgramsWriteIt) {
    OpenList();
    for (int id = 0; id < table.count; ++id) {
        const Macro& macro = table.macros[id];
        std::string bytes = ReadWholeFile(std::string(FieldText(macro.fileName)));
        std::size_t start = bytes.find("\r\nSTART\r\n") + 9;
        std::size_t end = bytes.rfind("\r\nEND\r\n");
        ASSERT_LT(start, end) << macro.fileName;
        EXPECT_EQ(FormatMacroFile(bytes.substr(start, end - start), macro), bytes)
            << macro.fileName;
    }

    std::string listBytes;
    for (int id = 0; id < table.count; ++id)
        listBytes.append(FieldText(table.macros[id].listedFileName)).append("\r\n");
    EXPECT_EQ(listBytes, ReadWholeFile(EXAMPLE_LIST));

    ScheduleTable schedule;
    FakeScheduleList scheduleList;
    ASSERT_TRUE(
        LoadSchedule({files, desktop, MAIN_WINDOW}, EXAMPLE_SCHEDULE, schedule, scheduleList));
    EXPECT_EQ(FormatSchedule(schedule, scheduleList.Count(), EXAMPLE_SCHEDULE),
              ReadWholeFile(EXAMPLE_SCHEDULE));
}

TEST_F(ExamplesTest, TypeANoteTypesTheNoteOnlyWhileNotepadIsInFront) {
    OpenList();
    PressHotKeyOf("Type a note");
    EXPECT_THAT(Actions("keybd_event"), IsEmpty());

    desktop.foreground = NOTEPAD;
    PressHotKeyOf("Type a note");
    EXPECT_EQ(TypedText(desktop.calls),
              "Shopping list\n- milk, bread and apples\n- call Sam about Saturday\n"
              "Typed by Keyloom.");
    // Only the pace: the hot key's Ctrl and Shift are kept out of the play without a DELAY.
    EXPECT_THAT(Actions("Wait"), Each(Eq("Wait 20")));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(ExamplesTest, StampTheTimeBringsNotepadForwardAndPressesCtrlEndEnterF5) {
    OpenList();
    desktop.windows[1].minimized = true;
    PressHotKeyOf("Stamp the time");
    EXPECT_THAT(Actions("ShowWindow"), ElementsAre("ShowWindow 500 9"));
    EXPECT_THAT(Actions("SetForegroundWindow"), ElementsAre("SetForegroundWindow 500"));
    EXPECT_EQ(TypedText(desktop.calls), "<Ctrl+35>\n<116>");
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(ExamplesTest, StretchReminderShowsItsMessageInOneBox) {
    OpenList();
    PlayFromList("Stretch reminder");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].caption, "Keyloom");
    EXPECT_EQ(desktop.boxes[0].text, "Time to stand up, stretch and rest your eyes for a minute.");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK);
}

TEST_F(ExamplesTest, StartTheDayOpensNotepadAndStartsAPlan) {
    OpenList();
    PlayFromList("Start the day");
    EXPECT_THAT(Actions("ShellExecuteA"), ElementsAre("ShellExecuteA 77 notepad.exe 1"));
    EXPECT_THAT(Actions("SetForegroundWindow"), ElementsAre("SetForegroundWindow 500"));
    EXPECT_EQ(TypedText(desktop.calls), "Plan for today:\n1. ");
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(ExamplesTest, TheScheduleHoldsAStartUpAnHourlyAndAWeeklyItemWhoseMacrosPlay) {
    ScheduleTable schedule;
    FakeScheduleList scheduleList;
    ASSERT_TRUE(
        LoadSchedule({files, desktop, MAIN_WINDOW}, EXAMPLE_SCHEDULE, schedule, scheduleList));
    ASSERT_EQ(schedule.count, 3);
    const ScheduleItem& startUp = schedule.items[0];
    EXPECT_EQ(FieldText(startUp.name), "Start the day");
    EXPECT_EQ(startUp.runStyle, RUN_STYLE_STARTUP);
    const ScheduleItem& hourly = schedule.items[1];
    EXPECT_EQ(FieldText(hourly.name), "Stretch reminder");
    EXPECT_EQ(hourly.runStyle, RUN_STYLE_INTERVAL);
    EXPECT_EQ(std::vector<int>({hourly.everyHours, hourly.everyMinutes, hourly.everySeconds}),
              std::vector<int>({1, 0, 0}));
    const ScheduleItem& weekly = schedule.items[2];
    EXPECT_EQ(FieldText(weekly.name), "Stamp the time");
    EXPECT_EQ(weekly.runStyle, RUN_STYLE_PERIODIC);
    EXPECT_EQ(weekly.runEvery, PERIOD_WEEK);
    EXPECT_EQ(weekly.runDayOfWeek, 2);  // Monday
    EXPECT_EQ(std::vector<int>({weekly.runHour, weekly.runMinute, weekly.runSecond}),
              std::vector<int>({9, 30, 0}));

    Macro playRecord{};
    MacroInterpreter lenient{desktop, InterpreterMode::Lenient, 0, MAIN_WINDOW, {}};
    MacroPlayer scheduler{state, desktop, files, lenient, MAIN_WINDOW, nullptr};
    for (int id = 0; id < schedule.count; ++id) {
        const std::string path(FieldText(schedule.items[id].macroFileName));
        ASSERT_TRUE(
            LoadMacroFile(files, desktop, SchedulerLoadRules(MAIN_WINDOW), path, playRecord))
            << path;
        EXPECT_EQ(FieldText(playRecord.name), FieldText(schedule.items[id].name));
        PlayMacro(scheduler, playRecord, ORIGIN_SCHEDULE);
    }
    EXPECT_EQ(TypedText(desktop.calls), "Plan for today:\n1. <Ctrl+35>\n<116>");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Time to stand up, stretch and rest your eyes for a minute.");
}

}  // namespace
