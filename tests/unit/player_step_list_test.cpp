#include <gtest/gtest.h>

#include <string>

#include "macro/player/step_list.h"
#include "tests/support/memory_file_system.h"

namespace {

StepList Scan(const std::string& bytes) {
    MemoryFileSystem disk;
    std::unique_ptr<LineReader> reader = OpenLineReader(disk, disk.Write("m.mro", bytes));
    return ScanStepList(*reader);
}

TEST(PlayerStepListTest, StartAndEndAreFoundByTheirFirstCharacters) {
    struct Case {
        const char* bytes;
        int32_t linesBeforeStart;
        int32_t stepCount;
    };
    const Case cases[] = {
        {"//header\r\n\r\nSTART\r\nTYPE \"a\"\r\n\r\nEND\r\n", 2, 3},
        {"START\r\nEND\r\n", 0, 1},
        {"// START here\r\nSTARTING\r\nA\r\nENDLESS\r\nB\r\n", 1, 2},
        {"STAR\r\nSTART\r\nA\r\nEN\r\nB", 1, 4},  // no END: the steps run to the end
        {"NAME x\r\nTYPE \"a\"\r\n", 2, 1},       // no START: one empty step
        {"", 0, 1},
        {"NAME x\n\nTYPE \"a\"\nSTART\nEND\n", 1, 3},  // an empty line ends the search
        {"START\nA\n\nB\nEND", 0, 4},                  // ...but not the code
    };
    for (const Case& c : cases) {
        StepList list = Scan(c.bytes);
        EXPECT_EQ(list.linesBeforeStart, c.linesBeforeStart) << c.bytes;
        EXPECT_EQ(list.stepCount, c.stepCount) << c.bytes;
    }
}

TEST(PlayerStepListTest, SkipLinesLeavesTheReaderAtTheNextLine) {
    MemoryFileSystem disk;
    std::unique_ptr<LineReader> reader =
        OpenLineReader(disk, disk.Write("m.mro", "a\r\nb\r\nc\r\n"));
    SkipLines(*reader, 2);
    char line[LINE_CAPACITY];
    ASSERT_TRUE(reader->ReadFileLine(line));
    EXPECT_STREQ(line, "c\r");
    SkipLines(*reader, 5);  // past the end does no harm
    EXPECT_FALSE(reader->ReadFileLine(line));
}

}  // namespace
