#pragma once
// What the recorder does to the macro editor that hosts it. Every call but HandOverEnding
// comes from the user-interface thread.
#include <string_view>

#include "macro/desktop/desktop_port.h"

// The editor's buttons that a recording turns on and off.
enum class EditorButton { Play, Stop, Record, Apply };

class RecorderView {
  public:
    virtual ~RecorderView() = default;

    // The editor window: owner of the start box.
    virtual WindowHandle EditorWindow() = 0;
    // Replaces the whole text of the code box (1065).
    virtual void SetCode(std::string_view code) = 0;
    // Length of the code box's text.
    virtual int CodeLength() = 0;
    // Play (1089), Stop (1090), Record (1091) or Apply (1061).
    virtual void EnableButton(EditorButton button, bool enabled) = 0;
    virtual bool IsButtonEnabled(EditorButton button) = 0;
    virtual void HideEditor() = 0;
    virtual void RestoreEditor() = 0;
    // The editor's editorModified flag.
    virtual bool EditorModified() = 0;
    virtual void SetEditorModified(bool modified) = 0;

    // Called on the sampling thread once a sample has decided that the recording ends. The
    // editor must arrange for EndRecording to run on its user-interface thread (the Win32
    // editor posts itself a message) and return at once.
    virtual void HandOverEnding() = 0;
};
