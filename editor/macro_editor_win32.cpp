#include "editor/macro_editor_win32.h"

#include <optional>
#include <string>
#include <vector>

#include "editor/apply_changes.h"
#include "editor/code_box_font_win32.h"
#include "editor/code_box_text.h"
#include "editor/code_check.h"
#include "editor/editor_form.h"
#include "editor/editor_layout_win32.h"
#include "editor/editor_state.h"
#include "editor/editor_views_win32.h"
#include "editor/event_templates.h"
#include "editor/preview_play.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "recorder/recorder.h"
#include "recorder/recorder_view_win32.h"
#include "resources/keyloom_ids.h"
#include "ui/dialog_controls_win32.h"
#include "ui/dialog_dpi_scaling_win32.h"
#include "ui/small_icon_win32.h"

namespace {

// Posted by the recorder's sampling thread when a recording ends.
constexpr UINT RECORDING_ENDED = WM_APP + 1;

constexpr char MODIFIED_QUESTION[] = "The macro has been modified. Save changes?";
constexpr char CODE_CUT_TEXT[] =
    "This macro's code is longer than the editor can show (at most 161071 characters in the "
    "file, and 299 on a line). It is shown cut and cannot be changed here; Apply keeps the whole "
    "code as it is in the file.";
constexpr char CODE_FULL_TEXT[] = "The macro code is full: a macro holds at most 161071 characters";

// While the preview plays, a box it shows delivers the editor's messages: its buttons must not
// start another play or a recording, change the code under the preview, or store or close the
// macro (OK and the close box wait in Close).
bool HeldBackDuringPreview(int id) {
    switch (id) {
        case IDC_PREVIEW_PLAY:
        case IDC_RECORD:
        case IDC_CHECK_CODE:
        case IDC_INSERT:
        case IDC_APPLY:
        case IDC_EDITOR_CANCEL:
            return true;
        default:
            return false;
    }
}

// One open editor window; lives in the dialog's DWLP_USER from WM_INITDIALOG to WM_NCDESTROY.
class MacroEditor {
  public:
    MacroEditor(HWND dialog, EditorContext& context)
        : dialog_(dialog),
          context_(context),
          state_(context.state),
          formView_(dialog),
          previewView_(dialog),
          recorderView_(dialog, RECORDING_ENDED, state_.editorModified),
          scaling_(dialog),
          layout_(dialog, scaling_),
          codeFont_(GetDlgItem(dialog, IDC_CODE)) {}

    void Open();
    void OnCommand(int id, int code);
    void OnShowOrHide();
    void Close();
    void OnRecordingEnded();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    const EditorLayout& Layout() const { return layout_; }

  private:
    WindowHandle Window() const { return reinterpret_cast<WindowHandle>(dialog_); }
    bool PreviewRunning() const { return context_.play.playing; }
    void LimitBoxes();
    void FillEventList();
    bool FillCodeBox(const Macro& macro);
    void HoldCode(std::optional<std::string> wholeCode);
    void FitCodeBoxLimit();
    void MarkModified();
    void RestoreModified(bool wasModified, bool applyWasEnabled);
    void ChooseWindowRestriction(bool specific);
    void ChoosePlayStyle(bool timesBox, bool secondsBox);
    std::string SelectedEventEntry();
    void InsertEvent();
    ApplyResult Apply();
    void Preview();
    void CheckCode();
    void Record();

    HWND dialog_;
    EditorContext& context_;
    EditorState& state_;
    bool shownBefore_ = false;
    DialogFormView formView_;
    DialogPreviewView previewView_;
    DialogRecorderView recorderView_;
    // The file's whole code while the code box shows it cut and read-only.
    std::optional<std::string> heldCode_;
    DialogDpiScaling scaling_;
    EditorLayout layout_;
    CodeBoxFont codeFont_;
};

void MacroEditor::Open() {
    state_.editorModified = false;
    SetSmallIcon(dialog_, GetModuleHandleA(nullptr), IDI_ENABLED);
    LimitBoxes();
    const Macro* macro = context_.table.currentMacro;
    if (!macro) return;
    ShowForm(dialog_, FormFromMacro(*macro));
    EnableControl(dialog_, IDC_PREVIEW_STOP, false);
    FillEventList();
    if (!FillCodeBox(*macro)) EndDialog(dialog_, IDCANCEL);
}

void MacroEditor::LimitBoxes() {
    LimitText(dialog_, IDC_EDITOR_NAME, MACRO_NAME_CAPACITY - 1);
    LimitText(dialog_, IDC_EDITOR_DESCRIPTION, MACRO_DESCRIPTION_CAPACITY - 1);
    LimitText(dialog_, IDC_WINDOW_TEXT, MACRO_WINDOW_CAPACITY - 1);
    LimitText(dialog_, IDC_TIMES, 3);
    FitCodeBoxLimit();
}

void MacroEditor::FillEventList() {
    for (const EventTemplate& event : EVENT_TEMPLATES)
        SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::string(event.entry).c_str()));
    LRESULT first =
        SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(std::string(FIRST_EVENT_ENTRY).c_str()));
    SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_SETCURSEL, static_cast<WPARAM>(first), 0);
}

// False when the code is too long for the editor to keep: it does not open.
bool MacroEditor::FillCodeBox(const Macro& macro) {
    std::string path(FieldText(macro.fileName));
    CodeBoxText code = ReadCodeBoxText(context_.files, context_.desktop, path);
    if (code.fit == CodeFit::TooLong) {
        ReportError(context_.desktop, NO_WINDOW,
                    "The code in " + path + " is too long to open in the editor", FAILURE_CAPTION);
        return false;
    }
    SetControlText(dialog_, IDC_CODE, code.text);
    if (code.fit == CodeFit::Cut) {
        HoldCode(std::move(code.wholeCode));
        ReportWarning(context_.desktop, NO_WINDOW, CODE_CUT_TEXT, KEYLOOM_CAPTION);
    }
    return true;
}

// A held code cannot be changed in the box, only replaced whole by a recording.
void MacroEditor::HoldCode(std::optional<std::string> wholeCode) {
    heldCode_ = std::move(wholeCode);
    SendDlgItemMessageA(dialog_, IDC_CODE, EM_SETREADONLY, heldCode_ ? TRUE : FALSE, 0);
    EnableControl(dialog_, IDC_INSERT, !heldCode_);
}

// The box holds CODE_CAPACITY - 1 characters as the file holds them, whatever line breaks the
// box shows: the lines of a macro file read back come with a carriage return each.
void MacroEditor::FitCodeBoxLimit() {
    LimitText(dialog_, IDC_CODE, static_cast<int>(CodeBoxLimit(ControlText(dialog_, IDC_CODE))));
}

void MacroEditor::OnRecordingEnded() {
    EndRecording(context_.recorder, context_.desktop, recorderView_);
    if (recorderView_.TakeCodeReplaced()) HoldCode(std::nullopt);
}

// The controls that follow the window's edges are placed again for the new scale, and the code
// box's font is made again from the dialog font the scaling gave it.
void MacroEditor::OnDpiChanged(UINT dpi, const RECT& suggested) {
    scaling_.Follow(dpi, suggested);
    RECT client{};
    GetClientRect(dialog_, &client);
    layout_.Fit(client.right, client.bottom);
    codeFont_ = CodeBoxFont(GetDlgItem(dialog_, IDC_CODE));
}

void MacroEditor::OnShowOrHide() {
    EnableControl(dialog_, IDC_APPLY, false);
    if (shownBefore_) return;
    shownBefore_ = true;
    if (state_.clearModifiedOnShow) {
        state_.clearModifiedOnShow = false;
        state_.editorModified = false;
    }
}

void MacroEditor::MarkModified() {
    EnableControl(dialog_, IDC_APPLY, true);
    state_.editorModified = true;
}

// Back to what it was before a refused Insert: changes made before stay pending.
void MacroEditor::RestoreModified(bool wasModified, bool applyWasEnabled) {
    state_.editorModified = wasModified;
    EnableControl(dialog_, IDC_APPLY, applyWasEnabled);
}

void MacroEditor::ChooseWindowRestriction(bool specific) {
    MarkModified();
    EnableControl(dialog_, IDC_WINDOW_TEXT, specific);
}

void MacroEditor::ChoosePlayStyle(bool timesBox, bool secondsBox) {
    MarkModified();
    EnableControl(dialog_, IDC_TIMES, timesBox);
    EnableControl(dialog_, IDC_SECONDS, secondsBox);
}

void MacroEditor::OnCommand(int id, int code) {
    if (id == IDC_CODE && code == EN_CHANGE) FitCodeBoxLimit();
    switch (id) {
        case IDC_EDITOR_TRIGGER:
        case IDC_EDITOR_NAME:
        case IDC_EDITOR_DESCRIPTION:
        case IDC_WINDOW_TEXT:
        case IDC_TIMES:
        case IDC_SECONDS:
        case IDC_CODE:
            if (code == EN_CHANGE) MarkModified();
            return;
    }
    if (code != BN_CLICKED) return;
    if (PreviewRunning() && HeldBackDuringPreview(id)) return;
    switch (id) {
        case IDC_EDITOR_ENABLED:
            return MarkModified();
        case IDC_ANY_WINDOW:
            return ChooseWindowRestriction(false);
        case IDC_SPECIFIC_WINDOW:
            return ChooseWindowRestriction(true);
        case IDC_PLAY_TIMES:
            return ChoosePlayStyle(true, false);
        case IDC_PLAY_FOR:
            return ChoosePlayStyle(false, true);
        case IDC_REPEAT_UNTIL_STOPPED:
            return ChoosePlayStyle(false, false);
        case IDC_INSERT:
            return InsertEvent();
        case IDC_APPLY:
            Apply();
            return;
        case IDC_EDITOR_OK:
            return Close();
        case IDC_EDITOR_CANCEL:
            EndDialog(dialog_, IDCANCEL);
            return;
        case IDC_PREVIEW_PLAY:
            return Preview();
        case IDC_RECORD:
            return Record();
        case IDC_CHECK_CODE:
            return CheckCode();
    }
}

std::string MacroEditor::SelectedEventEntry() {
    LRESULT selected = SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return {};
    LRESULT length = SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_GETLBTEXTLEN,
                                         static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR) return {};
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied =
        SendDlgItemMessageA(dialog_, IDC_EVENT_LIST, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                            reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return entry;
}

void MacroEditor::InsertEvent() {
    const bool wasModified = state_.editorModified;
    const bool applyWasEnabled = IsControlEnabled(dialog_, IDC_APPLY);
    MarkModified();
    std::optional<std::string_view> line = FindEventTemplate(SelectedEventEntry());
    if (!line) {
        RestoreModified(wasModified, applyWasEnabled);
        ReportError(context_.desktop, Window(), "Unrecognised event", FAILURE_CAPTION);
        return;
    }
    std::optional<std::string> code = AppendEventLine(ControlText(dialog_, IDC_CODE), *line);
    if (!code) {
        RestoreModified(wasModified, applyWasEnabled);
        ReportError(context_.desktop, Window(), CODE_FULL_TEXT, FAILURE_CAPTION);
        return;
    }
    SetControlText(dialog_, IDC_CODE, *code);
}

ApplyResult MacroEditor::Apply() {
    ApplyContext apply{context_.table,
                       state_,
                       context_.desktop,
                       context_.files,
                       context_.macroList,
                       context_.settings.macroDelay,
                       heldCode_ ? &*heldCode_ : nullptr};
    return ApplyChanges(apply, formView_);
}

// OK and the close box. After Yes the editor closes only once the changes are stored: a refused
// trigger or a file that could not be rewritten keeps it open with the changes pending.
void MacroEditor::Close() {
    if (PreviewRunning()) return;
    if (state_.editorModified) {
        int answer = AskQuestion(context_.desktop, Window(), MODIFIED_QUESTION, KEYLOOM_CAPTION,
                                 Answers::YES_NO_CANCEL);
        if (answer == desk::ANSWER_CANCEL) return;
        if (answer == desk::ANSWER_YES) {
            ApplyResult result = Apply();
            if (result != ApplyResult::Stored && result != ApplyResult::NoMacro) return;
            state_.editorModified = false;
        }
    }
    EndDialog(dialog_, IDOK);
}

void MacroEditor::Preview() {
    const Macro* macro = context_.table.currentMacro;
    PreviewContext preview{context_.desktop, context_.interpreter,     context_.play,
                           state_,           macro ? macro->speed : 0, context_.settings.playSpeed};
    PreviewPlay(preview, previewView_);
}

void MacroEditor::CheckCode() {
    std::vector<std::string> lines;
    for (int index = 0; index < previewView_.LineCount(); ++index)
        lines.push_back(previewView_.Line(index));
    ShowCodeCheck(context_.desktop, Window(), lines);
}

void MacroEditor::Record() {
    StartRecording(context_.recorder, context_.desktop, recorderView_,
                   context_.settings.macroDelay);
}

INT_PTR OpenEditor(HWND dialog, LPARAM parameter) {
    auto* context = reinterpret_cast<EditorContext*>(parameter);
    auto* editor = new MacroEditor(dialog, *context);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(editor));
    editor->Open();
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MacroEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OpenEditor(dialog, lParam);
    auto* editor = reinterpret_cast<MacroEditor*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!editor) return FALSE;
    switch (message) {
        case WM_COMMAND:
            editor->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SHOWWINDOW:
            editor->OnShowOrHide();
            return FALSE;
        case WM_CLOSE:
            editor->Close();
            return TRUE;
        case WM_GETMINMAXINFO:
            editor->Layout().LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) editor->Layout().Fit(LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case RECORDING_ENDED:
            editor->OnRecordingEnded();
            return TRUE;
        case WM_DPICHANGED:
            editor->OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            delete editor;
            return FALSE;
    }
    return FALSE;
}

INT_PTR ShowMacroEditor(EditorContext& context) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDITOR), nullptr,
                           MacroEditorDialogProc, reinterpret_cast<LPARAM>(&context));
}
