// What the editor's form shows for a macro, and what Apply stores from it.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/editor_form.h"
#include "macro/file/text_field.h"

namespace {

Macro SampleMacro() {
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    CopyText(macro.name, "Greet");
    CopyText(macro.description, "Says hello");
    macro.active = 1;
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 3;
    macro.repeatTime = 45;
    macro.speed = 50;
    return macro;
}

TEST(EditorFormTest, FormShowsTheMacro) {
    Macro macro = SampleMacro();
    macro.trigger = Trigger{0x74, 1, 1, 0};
    EditorForm form = FormFromMacro(macro);
    EXPECT_EQ(form.name, "Greet");
    EXPECT_EQ(form.description, "Says hello");
    EXPECT_EQ(form.hotKey, 0x0374);
    EXPECT_TRUE(form.enabled);
    EXPECT_EQ(form.times, "3");
    EXPECT_EQ(form.seconds, "45");
    macro.active = 0;
    macro.playCount = -2;
    EXPECT_FALSE(FormFromMacro(macro).enabled);
    EXPECT_EQ(FormFromMacro(macro).times, "-2");
}

TEST(EditorFormTest, WindowBoxRules) {
    Macro macro = SampleMacro();
    macro.isPrivate = 1;
    CopyText(macro.window, "Notepad");
    EditorForm form = FormFromMacro(macro);
    EXPECT_TRUE(form.specificWindow);
    EXPECT_FALSE(form.anyWindow);
    EXPECT_TRUE(form.windowBoxEnabled);
    EXPECT_EQ(form.window, "Notepad");

    // Not restricted: the text is still shown, in a disabled box; "NULL" is text like any other.
    macro.isPrivate = 0;
    CopyText(macro.window, "NULL");
    form = FormFromMacro(macro);
    EXPECT_TRUE(form.anyWindow);
    EXPECT_FALSE(form.specificWindow);
    EXPECT_FALSE(form.windowBoxEnabled);
    EXPECT_EQ(form.window, "NULL");

    // Empty text, or text that begins with a line break: an empty box; the radio buttons still
    // show the restriction, so that Apply keeps it.
    for (const char* text : {"", "\r", "\nNotepad", "\rNotepad"}) {
        for (int isPrivate : {0, 1}) {
            macro.isPrivate = isPrivate;
            CopyText(macro.window, text);
            form = FormFromMacro(macro);
            EXPECT_EQ(form.anyWindow, !isPrivate) << "one radio button only, " << isPrivate;
            EXPECT_EQ(form.specificWindow, isPrivate == 1) << isPrivate;
            EXPECT_EQ(form.windowBoxEnabled, isPrivate == 1);
            EXPECT_EQ(form.window, "");
        }
    }
}

TEST(EditorFormTest, PlayStyleRules) {
    Macro macro = SampleMacro();
    struct Case {
        int32_t style;
        bool times, forSeconds, untilStopped, timesBox, secondsBox;
    };
    for (Case c :
         {Case{0, false, true, false, false, true}, Case{1, true, false, false, true, false},
          Case{2, false, false, true, false, false}, Case{3, false, false, false, true, true},
          Case{-1, false, false, false, true, true}}) {
        macro.playStyle = c.style;
        EditorForm form = FormFromMacro(macro);
        EXPECT_EQ(form.playTimes, c.times) << c.style;
        EXPECT_EQ(form.playFor, c.forSeconds) << c.style;
        EXPECT_EQ(form.repeatUntilStopped, c.untilStopped) << c.style;
        EXPECT_EQ(form.timesBoxEnabled, c.timesBox) << c.style;
        EXPECT_EQ(form.secondsBoxEnabled, c.secondsBox) << c.style;
    }
}

TEST(EditorFormTest, StoringTheUnchangedFormKeepsTheMacroButTakesTheMacroDelay) {
    Macro macro = SampleMacro();
    macro.trigger = Trigger{0x74, 1, 1, 0};
    macro.isPrivate = 0;
    CopyText(macro.window, "NULL");
    Macro stored = macro;
    StoreForm(FormFromMacro(macro), 10, stored);
    EXPECT_EQ(stored.speed, 10);
    EXPECT_STREQ(stored.name, macro.name);
    EXPECT_STREQ(stored.description, macro.description);
    EXPECT_STREQ(stored.window, macro.window);
    EXPECT_EQ(stored.trigger.virtualKey, 0x74);
    EXPECT_EQ(stored.trigger.shift, 1);
    EXPECT_EQ(stored.trigger.control, 1);
    EXPECT_EQ(stored.trigger.alt, 0);
    EXPECT_EQ(stored.active, macro.active);
    EXPECT_EQ(stored.isPrivate, macro.isPrivate);
    EXPECT_EQ(stored.playCount, macro.playCount);
    EXPECT_EQ(stored.repeatTime, macro.repeatTime);
    EXPECT_EQ(stored.playStyle, macro.playStyle);
}

TEST(EditorFormTest, StoreReadsEveryBox) {
    Macro macro = SampleMacro();
    EditorForm form;
    form.name = "A name longer than twenty-nine characters";
    form.description = "First\r\nsecond\nthird";
    form.hotKey = 0x0641;
    form.enabled = false;
    form.anyWindow = false;
    form.specificWindow = true;
    form.window = "Untitled - Notepad";
    form.playFor = true;
    form.times = "";
    form.seconds = "123456";
    StoreForm(form, 20, macro);
    EXPECT_STREQ(macro.name, "A name longer than twenty-nin");
    EXPECT_STREQ(macro.description, "First second third") << "line breaks would split the file";
    EXPECT_EQ(macro.trigger.virtualKey, 0x41);
    EXPECT_EQ(macro.trigger.shift, 0);
    EXPECT_EQ(macro.trigger.control, 1);
    EXPECT_EQ(macro.trigger.alt, 1);
    EXPECT_EQ(macro.active, 0);
    EXPECT_EQ(macro.isPrivate, 1);
    EXPECT_STREQ(macro.window, "Untitled - Notepad");
    EXPECT_EQ(macro.playStyle, PLAY_STYLE_FOR_SECONDS);
    EXPECT_EQ(macro.playCount, 0) << "no digits";
    EXPECT_EQ(macro.repeatTime, 123456);
    EXPECT_EQ(macro.speed, 20);
}

TEST(EditorFormTest, PlayStyleWithoutACheckedRadioButtonIsKept) {
    Macro macro = SampleMacro();
    macro.playStyle = 7;
    StoreForm(FormFromMacro(macro), 10, macro);
    EXPECT_EQ(macro.playStyle, 7);
    EditorForm form = FormFromMacro(macro);
    form.repeatUntilStopped = true;
    StoreForm(form, 10, macro);
    EXPECT_EQ(macro.playStyle, PLAY_STYLE_UNTIL_STOPPED);
}

}  // namespace
