// The scratch file of a save: a short name of its own beside the target, never one that exists,
// and nothing left of it after the save.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "macro/file/file_system.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

constexpr const char* SCRATCH_NAME = "~keyloom-[0-9a-f]{8}\\.saving";

TEST(AtomicSaveTest, TheScratchFileHasAShortNameOfItsOwnInTheTargetsFolder) {
    const std::string longName = std::string(240, 'n') + ".mro";
    EXPECT_THAT(ScratchPathBeside("C:\\macros\\" + longName),
                MatchesRegex("C:\\\\macros\\\\" + std::string(SCRATCH_NAME)));
    EXPECT_THAT(ScratchPathBeside("/home/u/" + longName),
                MatchesRegex("/home/u/" + std::string(SCRATCH_NAME)));
    EXPECT_THAT(ScratchPathBeside("C:note.mro"), MatchesRegex("C:" + std::string(SCRATCH_NAME)));
    EXPECT_THAT(ScratchPathBeside("note.mro"), MatchesRegex(SCRATCH_NAME));
}

TEST(AtomicSaveTest, TwoSavesOfOneFileWriteToScratchFilesOfTheirOwn) {
    TempDir dir;
    FaultyFileSystem files(RealFileSystem());
    const std::string path = dir.Path("note.mro");
    ASSERT_TRUE(SaveFileAtomically(files, path, "first"));
    ASSERT_TRUE(SaveFileAtomically(files, path, "second"));
    ASSERT_EQ(files.created.size(), 2u);
    EXPECT_NE(files.created[0], files.created[1]);
    for (const std::string& scratch : files.created) {
        EXPECT_THAT(scratch, StartsWith(dir.Path("~keyloom-")));
        EXPECT_THAT(scratch, EndsWith(".saving"));
    }
    EXPECT_EQ(ReadWholeFile(path), "second");
    EXPECT_THAT(FilesBeside(path), ElementsAre("note.mro"));
}

// What a crash left behind, or another save's scratch file, is neither used nor replaced.
TEST(AtomicSaveTest, AFileThatExistsIsNeverCreatedAgain) {
    TempDir dir;
    const std::string other = dir.Write("~keyloom-0000abcd.saving", "another save's bytes");
    EXPECT_EQ(RealFileSystem().CreateForWriting(other), nullptr);
    EXPECT_EQ(ReadWholeFile(other), "another save's bytes");

    const std::string path = dir.Write("note.mro", "old");
    const std::string leftover = dir.Write("note.mro.saving", "left by a crash");
    ASSERT_TRUE(SaveFileAtomically(RealFileSystem(), path, "new"));
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(ReadWholeFile(leftover), "left by a crash");
    EXPECT_THAT(FilesBeside(path),
                ElementsAre("note.mro", "note.mro.saving", "~keyloom-0000abcd.saving"));
}

}  // namespace
