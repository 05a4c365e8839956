// The code box text built from a macro file, and the event templates inserted into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "editor/code_box_text.h"
#include "editor/event_templates.h"
#include "macro/file/macro.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

namespace {

class EditorCodeBoxTest : public ::testing::Test {
  protected:
    std::string Read(const std::string& bytes) { return ReadCode(bytes).text; }
    CodeBoxText ReadCode(const std::string& bytes) {
        return ReadCodeBoxText(disk, desktop, disk.Write("m.mro", bytes));
    }
    MemoryFileSystem disk;
    FakeDesktop desktop;
};

TEST_F(EditorCodeBoxTest, CodeLinesKeepTheirCarriageReturnAndLoseTheLastOne) {
    EXPECT_EQ(Read("NAME \"x\";\r\nSTART\r\nDELAY 100\r\nPRESS_KEY 65\r\nEND\r\n"),
              "DELAY 100\r\r\nPRESS_KEY 65");
    // A file written with line feeds alone gives plain CR LF breaks.
    EXPECT_EQ(Read("START\nDELAY 100\nPRESS_KEY 65\nEND\n"), "DELAY 100\r\nPRESS_KEY 65");
    // The empty line SaveMacroFile writes before END for code ending in a line break.
    EXPECT_EQ(Read("START\r\nTYPE \"a\"\r\n\r\nEND\r\n"), "TYPE \"a\"\r\r\n");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorCodeBoxTest, SectionBoundsAreFoundByTheirFirstCharacters) {
    EXPECT_EQ(Read("NAME \"x\";\r\nDELAY 5\r\n"), "") << "no START line";
    EXPECT_EQ(Read("STARTING\nA\nENDING\nB\n"), "A") << "prefix match of START and END";
    EXPECT_EQ(Read("START\nA\nB"), "A\r\nB") << "no END line: to the end of the file";
    EXPECT_EQ(Read("START\r\n\r\nEND\r\n"), "") << "the empty code section of a new macro";
    EXPECT_EQ(Read(" START\nA\nEND\n"), "") << "START must begin the line";
}

TEST_F(EditorCodeBoxTest, MissingFileIsCreatedEmpty) {
    std::string path = disk.Path("new.mro");
    EXPECT_EQ(ReadCodeBoxText(disk, desktop, path).text, "");
    EXPECT_TRUE(disk.Exists(path));
    EXPECT_EQ(disk.Read(path), "");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorCodeBoxTest, UnopenableFileIsReportedWithoutOwner) {
    disk.missingFolders.insert(disk.Path("no such folder\\"));
    std::string path = disk.Path("no such folder\\m.mro");
    EXPECT_EQ(ReadCodeBoxText(disk, desktop, path).text, "");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + path);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
}

TEST_F(EditorCodeBoxTest, HugeCodeSectionIsShownCutAndHeldWhole) {
    const std::string line(298, 'x');
    std::string file = "START\r\n";
    std::string whole;
    for (int i = 0; i < 600; ++i) {  // about 180000 characters
        file += line + "\r\n";
        whole += (i ? "\r\r\n" : "") + line;
    }
    CodeBoxText code = ReadCode(file + "END\r\nSPEED 20;\r\n");
    EXPECT_EQ(code.fit, CodeFit::Cut);
    EXPECT_EQ(code.text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(code.text, whole.substr(0, CODE_CAPACITY - 1));
    EXPECT_EQ(code.wholeCode, whole);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorCodeBoxTest, LineOverTheLineCapacityIsShownCutAndHeldWhole) {
    const std::string type = "TYPE \"" + std::string(400, 'a') + "\"";
    CodeBoxText code = ReadCode("START\r\nDELAY 5\r\n" + type + "\r\nDELAY 6\r\nEND\r\n");
    EXPECT_EQ(code.fit, CodeFit::Cut);
    EXPECT_EQ(code.text, "DELAY 5\r\r\n" + type.substr(0, LINE_CAPACITY - 1) + "\r\nDELAY 6");
    EXPECT_EQ(code.wholeCode, "DELAY 5\r\r\n" + type + "\r\r\nDELAY 6");
}

TEST_F(EditorCodeBoxTest, CodeThatFitsExactlyIsWhole) {
    // 299 characters before the carriage return; the box capacity to the character.
    const std::string longest(LINE_CAPACITY - 1, 'y');
    CodeBoxText code = ReadCode("START\r\n" + longest + "\r\nEND\r\n");
    EXPECT_EQ(code.fit, CodeFit::Whole);
    EXPECT_EQ(code.text, longest);
    EXPECT_EQ(code.wholeCode, "");
    EXPECT_EQ(ReadCode("START\n" + longest + "y\nEND\n").fit, CodeFit::Cut);

    // 14,643 lines of 9 characters joined by CR LF fill the box exactly.
    std::string file = "START\n";
    for (int i = 0; i < 14643; ++i)
        file += "DELAY 100\n";
    code = ReadCode(file + "END\n");
    EXPECT_EQ(code.fit, CodeFit::Whole);
    EXPECT_EQ(code.text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(ReadCode(file + "D\nEND\n").fit, CodeFit::Cut);
}

// Code as a recording leaves it, CR LF after every line, `length` characters in all.
std::string RecordedLines(std::size_t length) {
    const std::string move = "MOVE_CURSOR 1023 767\r\n";
    std::string code;
    while (length - code.size() >= move.size() + 12)
        code += move;
    return code + "DELAY " + std::string(length - code.size() - 8, '1') + "\r\n";
}

// The box's text of code read back from a file: every line keeps its carriage return.
std::string ReadBack(std::string code) {
    code.resize(code.size() - 2);
    for (std::size_t at = code.find("\r\n"); at != std::string::npos;
         at = code.find("\r\n", at + 3))
        code.insert(at, "\r");
    return code;
}

TEST_F(EditorCodeBoxTest, CodeAsLongAsTheBoxHoldsIsMeasuredAsTheFileHoldsIt) {
    // The box shows one character more per line than the file holds; the file's code must fit.
    const std::string recorded = RecordedLines(CODE_CAPACITY + 1);  // the last CR LF is not code
    CodeBoxText code = ReadCode("START\r\n" + recorded + "END\r\n");
    EXPECT_EQ(code.fit, CodeFit::Whole);
    EXPECT_EQ(code.text, ReadBack(recorded));
    EXPECT_GT(code.text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(CodeLengthInFile(code.text), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(CodeBoxLimit(code.text), code.text.size()) << "full to the character";

    code = ReadCode("START\r\nx" + recorded + "END\r\n");
    EXPECT_EQ(code.fit, CodeFit::Cut) << "one character more";
    EXPECT_EQ(code.text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
}

TEST(EditorCodeBoxLimitTest, OnlyTheCarriageReturnsTheFileDoesNotHoldAreNotCounted) {
    EXPECT_EQ(CodeLengthInFile(""), 0u);
    EXPECT_EQ(CodeLengthInFile("A\r\r\nB\r\nC\r\r\n"), 9u);
    EXPECT_EQ(CodeLengthInFile("\r\r\r\n"), 3u) << "one line break, two carriage returns";
    EXPECT_EQ(CodeLengthInFile("A\r\rB\n\r"), 6u) << "no CR CR LF";
    EXPECT_EQ(CodeBoxLimit("A\r\nB"), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(CodeBoxLimit("A\r\r\nB\r\r\n"), static_cast<std::size_t>(CODE_CAPACITY + 1));
}

TEST_F(EditorCodeBoxTest, CodeBeyondWhatTheEditorCanHoldIsTooLong) {
    std::string file = "START\n" + std::string(HELD_CODE_LIMIT + 1, 'x') + "\nEND\n";
    CodeBoxText code = ReadCode(file);
    EXPECT_EQ(code.fit, CodeFit::TooLong);
    EXPECT_EQ(code.text, "");
    EXPECT_EQ(code.wholeCode, "");
}

TEST(EditorEventTemplatesTest, EveryEntryAppendsItsExactLine) {
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"Click mouse button", "CLICK_MOUSE <Left/Right/Middle/X1/X2> <Single/Double>"},
        {"Close a window", "CLOSE_WINDOW \"Window title\""},
        {"Delay", "DELAY <Duration>"},
        {"Focus a window", "FOCUS_WINDOW \"Window title\""},
        {"Hold a key down", "KEY_DOWN <Character>"},
        {"Message box", "MSG_BOX \"Message\""},
        {"Minimize a window", "MINIMIZE_WINDOW \"Window title\""},
        {"Move mouse cursor", "MOVE_CURSOR <X co-ordinate> <Y co-ordinate>"},
        {"Open a web site", "OPEN_URL \"Web site address\""},
        {"Play a sound", "PLAY_SOUND \"File path\""},
        {"Press a key", "PRESS_KEY <Character>"},
        {"Release a held key", "KEY_UP <Character>"},
        {"Run an application", "RUN \"Application file path\""},
        {"Scroll mouse wheel", "MOUSE_WHEEL <Wheel units, 120 a notch away>"},
        {"Scroll mouse wheel sideways", "MOUSE_HWHEEL <Wheel units, 120 a notch right>"},
        {"Shutdown computer", "SHUTDOWN <Shutdown/Restart/Logoff>"},
        {"Type text", "TYPE \"Text\""},
    };
    ASSERT_EQ(EVENT_TEMPLATES.size(), std::size(expected)) << "no entry more, none less";
    for (const auto& [entry, line] : expected)
        EXPECT_EQ(FindEventTemplate(entry), line) << entry;
}

TEST(EditorEventTemplatesTest, TextsOutsideTheTableFindNone) {
    EXPECT_EQ(FindEventTemplate(""), std::nullopt);
    EXPECT_EQ(FindEventTemplate("type text"), std::nullopt);
    EXPECT_EQ(FindEventTemplate("Type text "), std::nullopt);
}

TEST(EditorEventTemplatesTest, TableIsInListOrderWithDistinctEntries) {
    EXPECT_TRUE(std::is_sorted(
        EVENT_TEMPLATES.begin(), EVENT_TEMPLATES.end(),
        [](const EventTemplate& a, const EventTemplate& b) { return a.entry < b.entry; }));
    EXPECT_EQ(EVENT_TEMPLATES.front().entry, FIRST_EVENT_ENTRY);
}

TEST(EditorEventTemplatesTest, TemplateGoesOnALineOfItsOwn) {
    EXPECT_EQ(AppendEventLine("", "DELAY <Duration>"), "DELAY <Duration>");
    EXPECT_EQ(AppendEventLine("PRESS_KEY 65", "DELAY <Duration>"),
              "PRESS_KEY 65\r\nDELAY <Duration>");
    EXPECT_EQ(AppendEventLine("PRESS_KEY 65\r\n", "DELAY <Duration>"),
              "PRESS_KEY 65\r\nDELAY <Duration>");
    EXPECT_EQ(AppendEventLine("PRESS_KEY 65\r", "DELAY <Duration>"),
              "PRESS_KEY 65\r\r\nDELAY <Duration>");
}

TEST(EditorEventTemplatesTest, LineThatDoesNotFitWholeIsRefused) {
    const std::string_view line = "DELAY <Duration>";
    const std::string exact(CODE_CAPACITY - 1 - 2 - line.size(), 'x');
    std::optional<std::string> text = AppendEventLine(exact, line);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(AppendEventLine(exact + "x", line), std::nullopt);
    EXPECT_EQ(AppendEventLine(std::string(CODE_CAPACITY - 3, 'x'), line), std::nullopt);

    // Lines read back from a file: the carriage return the box adds to each does not count.
    const std::string readBack = "A\r\r\n" + exact.substr(3);
    text = AppendEventLine(readBack, line);
    ASSERT_TRUE(text) << "as long in the file as `exact`";
    EXPECT_EQ(text->size(), static_cast<std::size_t>(CODE_CAPACITY));
    EXPECT_EQ(AppendEventLine(readBack + "x", line), std::nullopt);
}

}  // namespace
