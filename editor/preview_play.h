#pragma once
// The editor's preview: the code box's lines run once through the interpreter, with the
// editor hidden and an elapsed-time display.
#include <string>

#include "editor/editor_state.h"
#include "macro/desktop/desktop_port.h"
#include "macro/language/interpreter.h"
#include "macro/player/play_state.h"

// The editor's controls as the preview uses them.
class PreviewView {
  public:
    virtual ~PreviewView() = default;
    virtual int LineCount() = 0;
    // Line `index` of the code box without its line break, at most LINE_CAPACITY - 1 characters.
    virtual std::string Line(int index) = 0;
    // Code box disabled, Stop enabled, Play and Record disabled, the editor hidden.
    virtual void EnterPreview() = 0;
    virtual void ShowElapsed(int minutes, int seconds) = 0;
    // Returns, within a bound, once the program the lines typed into has taken every key.
    virtual void AwaitInputDelivered() = 0;
    // The editor restored, code box enabled, Stop disabled, Play and Record enabled, Apply as
    // given.
    virtual void LeavePreview(bool applyEnabled) = 0;
};

struct PreviewContext {
    DesktopPort& desktop;
    MacroInterpreter& interpreter;
    PlayState& play;
    const EditorState& state;
    int32_t pace;   // the current macro's stored speed
    int32_t speed;  // the Playback speed, in percent
};

// Runs every non-empty line once, first to last, until Escape or Pause is seen between lines;
// then releases whatever keys and buttons the lines left held. Does nothing while a play (or
// another preview) runs.
void PreviewPlay(PreviewContext& context, PreviewView& view);

// Whole seconds from `start` to `now` (system clock readings); 0 if the clock went back.
int ElapsedSeconds(const LocalTime& start, const LocalTime& now);
