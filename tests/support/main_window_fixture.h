#pragma once
// The main window's commands over recording views, a fake desktop and macro files in memory.
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "library/program/hot_keys.h"
#include "library/program/main_window_commands.h"
#include "library/program/main_window_play.h"
#include "macro/player/macro_player.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/macro_library_fixture.h"

class MainWindowTest : public MacroLibraryTest {
  protected:
    // Plays fired hot keys by name only.
    class NamedPlays : public TriggerPlayer {
      public:
        bool Playing() override { return false; }
        void PlayTriggered(const Macro& macro) override { names.emplace_back(macro.name); }
        std::vector<std::string> names;
    };

    MainWindowTest() {
        desktop.onCall = [this](const std::string& call) {
            if (call.rfind("RegisterHotKey", 0) == 0 || call.rfind("UnregisterHotKey", 0) == 0 ||
                call.rfind("MessageBoxA", 0) == 0 || call.rfind("Wait", 0) == 0)
                log.push_back(call);
        };
    }

    std::vector<std::string> log;  // window, icon, hot-key, wait and message steps in order
    FakeMainWindow view{log};
    FakeTrayIcon tray{log};
    EditorState editor;
    PlayState playState;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, MAIN_WINDOW, {}};
    MainWindowPlay play{view};
    MacroPlayer player{playState, desktop, files, interpreter, MAIN_WINDOW, &play};
    NamedPlays plays;
    HotKeys hotKeys{table, desktop, plays, MAIN_WINDOW};
    MainWindowContext context{library, hotKeys, player, editor, view, tray};
};
