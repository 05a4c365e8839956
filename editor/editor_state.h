#pragma once
// The editor's change tracking, shared with the main window (which prepares it before opening
// the editor) and the recorder (which marks a recording as a change). User-interface thread
// only.

struct EditorState {
    // The form or the code box holds changes that Apply has not stored yet.
    bool editorModified = false;
    // The first show of the editor clears it and editorModified, so that filling the form is
    // not taken for a change.
    bool clearModifiedOnShow = false;
};

// What the main window does before it opens the editor.
inline void PrepareEditorChangeTracking(EditorState& state) {
    state.editorModified = false;
    state.clearModifiedOnShow = true;
}
