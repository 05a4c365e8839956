#pragma once
// The editor dialog's controls behind the views that Apply and the preview work through.
#include <windows.h>

#include "editor/apply_changes.h"
#include "editor/editor_form.h"
#include "editor/preview_play.h"

// Puts the form into the properties half: texts, checks, enabled boxes and the hot-key control.
void ShowForm(HWND dialog, const EditorForm& form);

class DialogFormView : public EditorFormView {
  public:
    explicit DialogFormView(HWND dialog) : dialog_(dialog) {}
    WindowHandle EditorWindow() override;
    EditorForm ReadForm() override;
    std::string CodeText() override;
    void ClearTrigger() override;
    void EnableApply(bool enabled) override;

  private:
    HWND dialog_;
};

class DialogPreviewView : public PreviewView {
  public:
    explicit DialogPreviewView(HWND dialog) : dialog_(dialog) {}
    int LineCount() override;
    std::string Line(int index) override;
    void EnterPreview() override;
    void ShowElapsed(int minutes, int seconds) override;
    void AwaitInputDelivered() override;
    void LeavePreview(bool applyEnabled) override;

  private:
    HWND dialog_;
};
