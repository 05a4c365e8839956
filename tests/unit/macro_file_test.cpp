#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "macro/file/macro_file.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

namespace {

constexpr WindowHandle MAIN_WINDOW = 77;

Macro EmptyMacro() {
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    return macro;
}

class MacroFileTest : public ::testing::Test {
  protected:
    MacroLoadRules MainRules(int32_t macroDelay = 20) {
        return MacroLoadRules{macroDelay, false, {table.data(), table.size()}, MAIN_WINDOW};
    }
    bool Load(const std::string& bytes, Macro& macro, const MacroLoadRules& rules) {
        return LoadMacroFile(disk, desktop, rules, disk.Write("m.mro", bytes), macro);
    }
    std::vector<std::string> ReadLines(const std::string& bytes) {
        auto reader = OpenLineReader(disk, disk.Write("lines.txt", bytes));
        std::vector<std::string> lines;
        char line[LINE_CAPACITY];
        while (reader->ReadFileLine(line))
            lines.emplace_back(line);
        return lines;
    }

    MemoryFileSystem disk;
    FakeDesktop desktop;
    std::vector<Macro> table;
};

TEST_F(MacroFileTest, SavedFileHasTheExactBytes) {
    Macro macro = EmptyMacro();
    CopyText(macro.name, "Greet");
    CopyText(macro.description, "Says hello");
    CopyText(macro.window, "NULL");
    CopyText(macro.fileName, disk.Path("greet.mro"));
    macro.trigger = Trigger{-3, 1, 0, 2};
    macro.active = 1;
    macro.playCount = 2;
    macro.repeatTime = -5;
    macro.playStyle = 1;
    macro.speed = 20;
    ASSERT_TRUE(SaveMacroFile(disk, "TYPE \"hi\"\r\n", macro));
    EXPECT_EQ(disk.Read(macro.fileName),
              "//File created by Keyloom v1\r\n\r\n"
              "//Macro properties (Editing could cause corruption!)\r\n"
              "NAME \"Greet\";\r\n"
              "DESCRIPTION \"Says hello\";\r\n"
              "TRIGGER_KEYS -3 1 0 2\r\n"
              "ACTIVE TRUE;\r\n"
              "PRIVATE FALSE;\r\n"
              "WINDOW NULL;\r\n"
              "PLAY_COUNT 2;\r\n"
              "REPEAT_TIME -5;\r\n"
              "PLAY_STYLE 1;\r\n"
              "SPEED 20;\r\n"
              "\r\n//Main macro code (editing could cause corruption!):\r\n"
              "START\r\n"
              "TYPE \"hi\"\r\n"
              "\r\nEND\r\n");
}

TEST_F(MacroFileTest, CodeLineBreaksAreNormalised) {
    Macro macro = EmptyMacro();
    auto code = [&](std::string_view text) {
        std::string bytes = FormatMacroFile(text, macro);
        std::size_t start = bytes.find("START\r\n") + 7;
        return bytes.substr(start);
    };
    EXPECT_EQ(code(""), "\r\nEND\r\n");
    EXPECT_EQ(code("A\r\nB"), "A\r\nB\r\nEND\r\n");
    EXPECT_EQ(code("A\r\r\nB"), "A\r\nB\r\nEND\r\n");
    EXPECT_EQ(code("A\nB\rC"), "A\nBC\r\nEND\r\n");
    EXPECT_EQ(FormatMacroFile("", macro).find("WINDOW ;\r\n") != std::string::npos, true);
}

TEST_F(MacroFileTest, EveryPropertyRoundTrips) {
    Macro saved = EmptyMacro();
    CopyText(saved.name, "");
    CopyText(saved.description, "");
    CopyText(saved.window, "Notepad");
    CopyText(saved.fileName, disk.Path("round.mro"));
    saved.trigger = Trigger{0x74, 1, 1, 0};
    saved.active = 0;
    saved.isPrivate = 1;
    saved.playCount = 7;
    saved.repeatTime = 30;
    saved.playStyle = 0;
    saved.speed = 55;
    ASSERT_TRUE(SaveMacroFile(disk, "DELAY 100", saved));

    Macro loaded = EmptyMacro();
    CopyText(loaded.name, "stale");
    CopyText(loaded.description, "stale");
    ASSERT_TRUE(LoadMacroFile(disk, desktop, MainRules(), saved.fileName, loaded));
    EXPECT_STREQ(loaded.name, "");
    EXPECT_STREQ(loaded.description, "");
    EXPECT_STREQ(loaded.window, "Notepad");
    EXPECT_STREQ(loaded.fileName, saved.fileName);
    EXPECT_EQ(loaded.trigger.virtualKey, 0x74);
    EXPECT_EQ(loaded.trigger.shift, 1);
    EXPECT_EQ(loaded.trigger.control, 1);
    EXPECT_EQ(loaded.trigger.alt, 0);
    EXPECT_EQ(loaded.active, 0);
    EXPECT_EQ(loaded.isPrivate, 1);
    EXPECT_EQ(loaded.playCount, 7);
    EXPECT_EQ(loaded.repeatTime, 30);
    EXPECT_EQ(loaded.playStyle, 0);
    EXPECT_EQ(loaded.speed, 55);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(MacroFileTest, QuotesAndSemicolonsEndValues) {
    Macro macro = EmptyMacro();
    ASSERT_TRUE(
        Load("NAME \"Say \"hi\"\";\r\nDESCRIPTION no quotes\r\nWINDOW a;b;\r\n"
             "ID 12;\r\nPLAY_COUNT;\r\n",
             macro, MainRules()));
    EXPECT_STREQ(macro.name, "Say ");
    EXPECT_STREQ(macro.description, "no quotes\r");
    EXPECT_STREQ(macro.window, "a");
    EXPECT_EQ(macro.id, 12);
    EXPECT_EQ(macro.playCount, 0);  // "PLAY_COUNT;" has no value: the field stays
}

TEST_F(MacroFileTest, ActiveAndPrivateValueRules) {
    struct Case {
        const char* line;
        int32_t active;
        int32_t isPrivate;
    } cases[] = {
        {"ACTIVE FALSE;", 0, 0},  {"ACTIVE false;", 1, 0}, {"ACTIVE ;", 1, 0},
        {"ACTIVE FALSE\r", 1, 0}, {"PRIVATE TRUE;", 0, 1}, {"PRIVATE true;", 0, 0},
        {"PRIVATE YES;", 0, 0},   {"PRIVATE TRUE", 0, 1},
    };
    for (const Case& c : cases) {
        Macro macro = EmptyMacro();
        ASSERT_TRUE(Load(std::string(c.line) + "\n", macro, MainRules()));
        EXPECT_EQ(macro.active, c.active) << c.line;
        EXPECT_EQ(macro.isPrivate, c.isPrivate) << c.line;
    }
}

TEST_F(MacroFileTest, CommentsAndUnknownLinesAreSkippedAndLaterPropertiesWin) {
    Macro macro = EmptyMacro();
    ASSERT_TRUE(
        Load("/NAME \"one\";\nx/NAME \"two\";\n  NAME \"three\";\nname \"four\";\n"
             "START\nNAME \"five\";\nEND\nBOGUS 1\nPLAY_STYLE 2",
             macro, MainRules()));
    EXPECT_STREQ(macro.name, "five");
    EXPECT_EQ(macro.playStyle, 2);  // a last line without a line feed still counts
}

TEST_F(MacroFileTest, SpeedDefaultsDifferByProgram) {
    Macro main = EmptyMacro();
    ASSERT_TRUE(Load("NAME \"x\";\nTIME 99;\n", main, MainRules(35)));
    EXPECT_EQ(main.speed, 35);

    Macro scheduled = EmptyMacro();
    ASSERT_TRUE(Load("NAME \"x\";\n", scheduled, SchedulerLoadRules(MAIN_WINDOW)));
    EXPECT_EQ(scheduled.speed, 10);
    ASSERT_TRUE(Load("TIME 99;\n", scheduled, SchedulerLoadRules(MAIN_WINDOW)));
    EXPECT_EQ(scheduled.speed, 99);
}

TEST_F(MacroFileTest, MissingFileReportsAndLeavesTheRecord) {
    Macro macro = EmptyMacro();
    CopyText(macro.name, "kept");
    std::string path = disk.Path("absent.mro");
    EXPECT_FALSE(LoadMacroFile(disk, desktop, MainRules(), path, macro));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + path);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_ICON_ERROR);
    EXPECT_STREQ(macro.name, "kept");
    EXPECT_EQ(macro.speed, 0);
}

TEST_F(MacroFileTest, ClashingTriggerRefusesTheLoad) {
    Macro other = EmptyMacro();
    other.id = 0;
    other.trigger = Trigger{0x41, 0, 1, 0};
    table.push_back(other);

    Macro macro = EmptyMacro();
    EXPECT_FALSE(
        Load("NAME \"a\";\nTRIGGER_KEYS 65 0 1 0\nDESCRIPTION \"late\";\n", macro, MainRules()));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Cannot load macro as the trigger has already been used by an existing macro");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_STREQ(macro.name, "a");  // fields read before the clash stay
    EXPECT_STREQ(macro.description, "");

    Macro scheduled = EmptyMacro();  // the scheduler has no clash test
    EXPECT_TRUE(Load("TRIGGER_KEYS 65 0 1 0\n", scheduled, SchedulerLoadRules(MAIN_WINDOW)));
}

TEST_F(MacroFileTest, ClashRules) {
    Macro a = EmptyMacro();
    a.id = 0;
    a.trigger = Trigger{0x41, 1, 0, 0};
    Macro none = EmptyMacro();
    none.id = 1;
    none.trigger = Trigger{0, 1, 0, 0};
    std::vector<Macro> inUse{a, none};
    EXPECT_TRUE(IsTriggerInUse(inUse, Trigger{0x41, 1, 0, 0}, NEW_MACRO_ID));
    EXPECT_FALSE(IsTriggerInUse(inUse, Trigger{0x41, 1, 0, 0}, 0));  // its owner
    EXPECT_TRUE(IsTriggerInUse(inUse, Trigger{0x41, 1, 0, 0}, 1));
    EXPECT_FALSE(IsTriggerInUse(inUse, Trigger{0x41, 0, 1, 0}, NEW_MACRO_ID));
    EXPECT_FALSE(IsTriggerInUse(inUse, Trigger{0x41, 2, 0, 0}, NEW_MACRO_ID));  // exact value
    EXPECT_FALSE(IsTriggerInUse(inUse, Trigger{0, 1, 0, 0}, NEW_MACRO_ID));     // no key
}

TEST_F(MacroFileTest, TriggerKeyIsCutTo16BitsAndMissingNumbersKeepTheirValue) {
    Macro macro = EmptyMacro();
    macro.trigger.alt = 1;
    ASSERT_TRUE(Load("TRIGGER_KEYS   65601  1   1\r\n", macro, MainRules()));
    EXPECT_EQ(macro.trigger.virtualKey, 65);
    EXPECT_EQ(macro.trigger.shift, 1);
    EXPECT_EQ(macro.trigger.control, 1);
    EXPECT_EQ(macro.trigger.alt, 1);
}

TEST_F(MacroFileTest, LineReaderRules) {
    using namespace std::string_literals;
    EXPECT_EQ(ReadLines("a\r\n\nb\0c\nlast"s),
              (std::vector<std::string>{"a\r", "", "b", "c", "last"}));
    EXPECT_EQ(ReadLines("x\0"s), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(ReadLines("").empty());
    EXPECT_EQ(ReadLines("\n"), (std::vector<std::string>{""}));
}

TEST_F(MacroFileTest, OverLongLinesAndValuesAreCutAtTheirCapacity) {
    std::string longLine(1000, 'x');
    auto lines = ReadLines(longLine + "\nnext\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), static_cast<std::size_t>(LINE_CAPACITY - 1));
    EXPECT_EQ(lines[1], "next");

    Macro macro = EmptyMacro();
    ASSERT_TRUE(Load("NAME \"" + std::string(200, 'n') + "\";\nWINDOW " + std::string(250, 'w') +
                         ";\nDESCRIPTION \"" + std::string(400, 'd') + "\";\n",
                     macro, MainRules()));
    EXPECT_EQ(std::string(macro.name), std::string(MACRO_NAME_CAPACITY - 1, 'n'));
    EXPECT_EQ(std::string(macro.window), std::string(MACRO_WINDOW_CAPACITY - 1, 'w'));
    EXPECT_EQ(std::string(macro.description), std::string(MACRO_DESCRIPTION_CAPACITY - 1, 'd'));
}

TEST_F(MacroFileTest, FailedSaveLeavesTheOldFile) {
    Macro macro = EmptyMacro();
    std::string path = disk.Write("keep.mro", "old bytes");
    disk.missingFolders.insert(disk.Path("missing-folder\\"));
    CopyText(macro.fileName, disk.Path("missing-folder\\keep.mro"));
    EXPECT_FALSE(SaveMacroFile(disk, "", macro));
    EXPECT_EQ(disk.Read(path), "old bytes");
}

}  // namespace
