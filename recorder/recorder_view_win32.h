#pragma once
// The recorder's view of a dialog that has the editor's code box and buttons.
#include <windows.h>

#include <utility>

#include "recorder/recorder_view.h"

class DialogRecorderView : public RecorderView {
  public:
    // `endingMessage` is posted to `editor` when a recording ends; the editor answers it with
    // EndRecording. `editorModified` is the editor's flag.
    DialogRecorderView(HWND editor, UINT endingMessage, bool& editorModified)
        : editor_(editor), endingMessage_(endingMessage), editorModified_(editorModified) {}

    WindowHandle EditorWindow() override;
    void SetCode(std::string_view code) override;
    int CodeLength() override;
    void EnableButton(EditorButton button, bool enabled) override;
    bool IsButtonEnabled(EditorButton button) override;
    void HideEditor() override;
    void RestoreEditor() override;
    bool EditorModified() override { return editorModified_; }
    void SetEditorModified(bool modified) override { editorModified_ = modified; }
    void HandOverEnding() override;
    // Whether the code box was replaced since the last call.
    bool TakeCodeReplaced() { return std::exchange(codeReplaced_, false); }

  private:
    HWND editor_;
    UINT endingMessage_;
    bool& editorModified_;
    bool codeReplaced_ = false;
};
