// Saving the macro list when a step of the save fails: the previous list file stays byte for
// byte with nothing beside it, "Error writing file" is shown, the list keeps its name and its
// unsaved changes, and a command that would discard the list does not go on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "library/table/macro_list_commands.h"
#include "library/table/macro_list_file.h"
#include "macro/file/text_field.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;

class MacroListFaultTest : public MacroLibraryTest {
  protected:
    void SetUp() override {
        Populate(2);
        previous = "C:\\m0.mro\r\n";
        listPath = WriteFile("named.lst", previous);
        CopyText(table.listFileName, listPath);
        files.Arm(Fault{});
        ASSERT_TRUE(SaveMacroList(library, listPath));
        writes = files.writes;
    }
    // The list as it stands before each failing save: named, with a macro added since.
    void Arrange(const Fault& fault) {
        WriteFile("named.lst", previous);
        table.modified = true;
        saveItem.enabled = true;
        desktop.boxes.clear();
        files.Arm(fault);
    }
    void ExpectNothingLost() {
        EXPECT_EQ(ReadFile(listPath), previous);
        EXPECT_THAT(disk.NamesBeside(listPath), ElementsAre("m0.mro", "m1.mro", "named.lst"));
        EXPECT_THAT(desktop.BoxTexts(), ElementsAre("Error writing file"));
        EXPECT_EQ(desktop.boxes[0].caption, "Error");
        EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
        EXPECT_EQ(FieldText(table.listFileName), listPath);
        EXPECT_TRUE(table.modified);
        EXPECT_TRUE(saveItem.enabled);
        EXPECT_THAT(Names(), ElementsAre("M0", "M1"));
        EXPECT_THAT(list.entries, ElementsAre("M0", "M1"));
    }

    std::string previous;
    std::string listPath;
    int writes = 0;
};

TEST_F(MacroListFaultTest, FailedSaveKeepsTheFileTheNameAndTheChanges) {
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        SaveCommand(library);
        EXPECT_EQ(files.faultsMade, 1);
        ExpectNothingLost();
    }
}

TEST_F(MacroListFaultTest, FailedSaveAsOntoAnExistingListKeepsItAndTheOldName) {
    const std::string other = "C:\\other.mro\r\n";
    const std::string otherPath = WriteFile("other.lst", other);
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        dialogs.answers.push_back(otherPath);
        SaveAsCommand(library);
        EXPECT_EQ(ReadFile(otherPath), other);
        EXPECT_THAT(disk.NamesBeside(otherPath),
                    ElementsAre("m0.mro", "m1.mro", "named.lst", "other.lst"));
        EXPECT_EQ(FieldText(table.listFileName), listPath);
        EXPECT_TRUE(table.modified);
        EXPECT_THAT(desktop.BoxTexts(), ElementsAre("Error writing file"));
    }
}

// Yes to "Save changes to current macro list?" whose save fails: New Macro List and Open Macro
// List stop, and the list they would have discarded is still there.
TEST_F(MacroListFaultTest, FailedSaveAtThePromptStopsTheCommandThatWouldDiscardTheList) {
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        desktop.boxAnswers = {desk::ANSWER_YES};
        NewMacroListCommand(library);
        EXPECT_EQ(desktop.boxes[0].text, "Save changes to current macro list?");
        desktop.boxes.erase(desktop.boxes.begin());
        ExpectNothingLost();

        Arrange(fault);
        desktop.boxAnswers = {desk::ANSWER_YES};
        dialogs.shown.clear();
        OpenMacroListCommand(library);
        EXPECT_TRUE(dialogs.shown.empty()) << "the open dialog came up after a failed save";
        desktop.boxes.erase(desktop.boxes.begin());
        ExpectNothingLost();
    }
}

}  // namespace
