// The code box text built from a macro file, and the event templates inserted into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editor/code_box_text.h"
#include "editor/event_templates.h"
#include "macro/file/macro.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_files.h"

namespace {

class EditorCodeBoxTest : public ::testing::Test {
  protected:
    std::string Read(const std::string& bytes) {
        return ReadCodeBoxText(RealFileSystem(), desktop, dir.Write("m.mro", bytes));
    }
    TempDir dir;
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
    std::string path = dir.Path("new.mro");
    EXPECT_EQ(ReadCodeBoxText(RealFileSystem(), desktop, path), "");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path), "");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(EditorCodeBoxTest, UnopenableFileIsReportedWithoutOwner) {
    std::string path = dir.Path("no such folder/m.mro");
    EXPECT_EQ(ReadCodeBoxText(RealFileSystem(), desktop, path), "");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + path);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
}

TEST_F(EditorCodeBoxTest, HugeCodeSectionIsCutToTheBoxCapacity) {
    std::string line(298, 'x');
    std::string file = "START\n";
    for (int i = 0; i < 600; ++i)
        file += line + "\n";  // about 180000 characters
    std::string text = Read(file + "END\n");
    EXPECT_EQ(text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
}

TEST(EditorEventTemplatesTest, EveryEntryFindsItsLineAndOthersFindNone) {
    EXPECT_EQ(FindEventTemplate("Click mouse button"), "CLICK_MOUSE <Left/Right> <Single/Double>");
    EXPECT_EQ(FindEventTemplate("Close a window"), "CLOSE_WINDOW \"Window title\"");
    EXPECT_EQ(FindEventTemplate("Shutdown computer"), "SHUTDOWN <Shutdown/Restart/Logoff>");
    EXPECT_EQ(FindEventTemplate("Type text"), "TYPE \"Text\"");
    EXPECT_EQ(FindEventTemplate(""), std::nullopt);
    EXPECT_EQ(FindEventTemplate("type text"), std::nullopt);
    EXPECT_EQ(FindEventTemplate("Type text "), std::nullopt);
    for (const EventTemplate& event : EVENT_TEMPLATES)
        EXPECT_EQ(FindEventTemplate(event.entry), event.line) << event.entry;
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

TEST(EditorEventTemplatesTest, InsertNeverExceedsTheBoxCapacity) {
    std::string full(CODE_CAPACITY - 3, 'x');
    std::string text = AppendEventLine(full, "DELAY <Duration>");
    EXPECT_EQ(text.size(), static_cast<std::size_t>(CODE_CAPACITY - 1));
    EXPECT_EQ(text.substr(full.size()), "\r\n");
}

}  // namespace
