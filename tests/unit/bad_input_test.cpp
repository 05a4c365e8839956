// Bad input for every reader: a 10 MB macro file, a 100,000-line list, a line of 100,000
// characters in each format, NUL bytes, a binary file named .mro, too many macros or items, a
// full code box. Each gives a clear message where something is left out, never an overrun,
// and nothing is written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "editor/code_box_text.h"
#include "editor/event_templates.h"
#include "library/table/macro_list_file.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "macro/language/interpreter.h"
#include "scheduler/schedule/macro_name.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/window/schedule_file_commands.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr std::size_t HUGE_LINE = 100000;

std::string MacroText(const std::string& name, const std::string& code = "") {
    return "NAME \"" + name + "\";\r\nTRIGGER_KEYS 0 0 0 0\r\nSPEED 20;\r\nSTART\r\n" + code +
           "END\r\n";
}

std::string ScheduleItemText(const std::string& name) {
    return "\r\nNEW_ITEM\r\nNAME \"" + name + "\"\r\nRUN_STYLE 4\r\nEVERY_SECS 5\r\nEND_ITEM\r\n";
}

class BadInputTest : public MacroLibraryTest {
  protected:
    Macro LoadScheduled(const std::string& path) {
        Macro macro{};
        EXPECT_TRUE(LoadMacroFile(files, desktop, SchedulerLoadRules(NO_WINDOW), path, macro));
        return macro;
    }
    bool LoadScheduleFile(const std::string& path) {
        return LoadSchedule(ScheduleFiles{files, desktop, 55}, path, schedule, scheduleList);
    }

    ScheduleTable schedule;
    FakeScheduleList scheduleList;
};

TEST_F(BadInputTest, TenMegabyteMacroFileLoadsItsPropertiesAndStaysAsItWas) {
    std::string code;
    while (code.size() < 10 * 1024 * 1024)
        code += "MOVE_CURSOR 100 200\r\nDELAY 10\r\n";
    const std::string bytes = MacroText("Big", code) + "DESCRIPTION \"after the code\";\r\n";
    const std::string path = WriteFile("big.mro", bytes);

    ASSERT_TRUE(ImportMacro(library, path));
    EXPECT_THAT(Names(), ElementsAre("Big"));
    EXPECT_EQ(table.macros[0].speed, 20);
    EXPECT_STREQ(table.macros[0].description, "after the code");
    // The editor's code box shows what fits and holds the whole code for Apply.
    CodeBoxText shown = ReadCodeBoxText(files, desktop, path);
    EXPECT_EQ(shown.fit, CodeFit::Cut);
    EXPECT_GE(shown.text.size(), static_cast<std::size_t>(CODE_CAPACITY - 2));
    EXPECT_NE(
        FormatMacroFile(shown.wholeCode, table.macros[0]).find("START\r\n" + code + "END\r\n"),
        std::string::npos);
    EXPECT_THAT(desktop.BoxTexts(), IsEmpty());
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(BadInputTest, HundredThousandLineListLoadsOneHundredMacrosAndSaysSo) {
    WriteFile("one.mro", MacroText("One"));
    std::string list;
    for (int line = 0; line < 100000; ++line)
        list += "C:\\one.mro\r\n";
    const std::string path = WriteFile("long.lst", list);
    LoadMacroList(library, path);
    EXPECT_EQ(table.count, MACRO_CAPACITY);
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("The macro list is full: a list holds at most 100 macros"));
    EXPECT_EQ(ReadFile(path), list);
}

TEST_F(BadInputTest, ListNamingOneHundredAndFiftyMacrosKeepsTheFirstHundred) {
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) {
        const std::string name = "m" + std::to_string(i) + ".mro";
        WriteFile(name, MacroText("M" + std::to_string(i)));
        lines.push_back("C:\\" + name);
    }
    LoadMacroList(library, WriteList("many.lst", lines));
    ASSERT_EQ(table.count, MACRO_CAPACITY);
    EXPECT_STREQ(table.macros[99].name, "M99");
    EXPECT_EQ(table.macros[99].id, 99);
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("The macro list is full: a list holds at most 100 macros"));
}

TEST_F(BadInputTest, HundredThousandCharacterLinesAreCutOrRefusedAndTheNextLineIsRead) {
    const std::string huge(HUGE_LINE, 'x');

    // A macro file: the value is cut at its field, the line after it still counts.
    Macro macro = LoadScheduled(
        WriteFile("long.mro", "NAME \"" + huge + "\";\r\nWINDOW " + huge + ";\r\nSPEED 33;\r\n"));
    EXPECT_EQ(FieldText(macro.name), std::string(MACRO_NAME_CAPACITY - 1, 'x'));
    EXPECT_EQ(FieldText(macro.window), std::string(MACRO_WINDOW_CAPACITY - 1, 'x'));
    EXPECT_EQ(macro.speed, 33);

    // A list file: the line is no path, and is said to be skipped.
    WriteFile("one.mro", MacroText("One"));
    LoadMacroList(library, WriteFile("long.lst", "C:\\" + huge + "\r\nC:\\one.mro\r\n"));
    EXPECT_THAT(Names(), ElementsAre("One"));
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre("1 macro of C:\\long.lst was not loaded:\nLine 1: "
                                                "too long to be a file path"));

    // A schedule file: the item with the long name is left out and said to be.
    desktop.boxes.clear();
    ASSERT_TRUE(LoadScheduleFile(
        WriteFile("long.scl", ScheduleItemText(huge) + ScheduleItemText("kept") + huge + "\r\n")));
    EXPECT_THAT(scheduleList.entries, ElementsAre("kept"));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_THAT(desktop.boxes[0].text, HasSubstr("1 schedule item(s) of C:\\long.scl were not"));

    // The scheduler's name look-up: refused with a message, never cut into a wrong name.
    desktop.boxes.clear();
    char name[ITEM_NAME_CAPACITY] = "before";
    EXPECT_FALSE(ReadMacroName(ScheduleFiles{files, desktop, 55},
                               WriteFile("longname.mro", "NAME \"" + huge + "\";\r\n"), name));
    EXPECT_STREQ(name, "before");
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre(HasSubstr("is longer than 99 characters")));

    // A code line: taken up to the line length and carried out without overrun.
    desktop.calls.clear();
    MacroInterpreter interpreter{desktop, InterpreterMode::Lenient, 0, 55, {}};
    EXPECT_TRUE(ExecuteMacroLine(interpreter, "TYPE \"" + huge + "\""));
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "VkKeyScanA 120"),
              LINE_CAPACITY - 1 - 6);
}

TEST_F(BadInputTest, NulBytesEndLinesInEveryFormat) {
    const std::string nul(1, '\0');
    Macro macro = LoadScheduled(
        WriteFile("nul.mro", "NAME \"first" + nul + "SPEED 44;" + nul + "\r\nWINDOW w;\r\n"));
    EXPECT_STREQ(macro.name, "first");
    EXPECT_EQ(macro.speed, 44);
    EXPECT_STREQ(macro.window, "w");

    WriteFile("a.mro", MacroText("A"));
    WriteFile("b.mro", MacroText("B"));
    // A list is text: a zero byte stops it at the line it ends.
    LoadMacroList(library, WriteFile("nul.lst", "C:\\a.mro\nC:\\b.mro" + nul + "C:\\a.mro" + nul));
    EXPECT_THAT(Names(), ElementsAre("A"));
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("Reading stopped at line 2 of C:\\nul.lst: the file is not text"));
    desktop.boxes.clear();

    ASSERT_TRUE(LoadScheduleFile(
        WriteFile("nul.scl", "NEW_ITEM" + nul + "NAME \"n\"" + nul + "END_ITEM" + nul)));
    EXPECT_THAT(scheduleList.entries, ElementsAre("n"));
    EXPECT_THAT(desktop.BoxTexts(), IsEmpty());
}

TEST_F(BadInputTest, BinaryFileNamedMroLoadsWithoutPropertiesAndIsNotTouched) {
    std::mt19937 random(11);
    std::string bytes(64 * 1024, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    const std::string path = WriteFile("binary.mro", bytes);
    Macro macro = LoadScheduled(path);
    EXPECT_LT(FieldLength(macro.name), static_cast<std::size_t>(MACRO_NAME_CAPACITY));
    EXPECT_LT(ReadCodeBoxText(files, desktop, path).text.size(),
              static_cast<std::size_t>(CODE_CAPACITY));
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(BadInputTest, ScheduleOfOneHundredAndFiftyItemsLoadsTheFirstHundredAndSaysSo) {
    std::string text = "//Created by Keyloom Scheduler\r\n//\r\n";
    for (int item = 0; item < 150; ++item)
        text += ScheduleItemText("item " + std::to_string(item));
    ASSERT_TRUE(LoadScheduleFile(WriteFile("many.scl", text)));
    ASSERT_EQ(schedule.count, SCHEDULE_CAPACITY);
    EXPECT_STREQ(schedule.items[99].name, "item 99");
    EXPECT_EQ(schedule.items[99].id, 99);
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("C:\\many.scl holds more than 100 schedule items; only "
                            "the first 100 were loaded."));
}

TEST_F(BadInputTest, FullCodeBoxRefusesALineThatDoesNotFitWhole) {
    for (std::size_t length : {CODE_CAPACITY - 1, CODE_CAPACITY - 5})
        EXPECT_EQ(AppendEventLine(std::string(length, 'x'), "MOVE_CURSOR 100 100"), std::nullopt);
}

}  // namespace
