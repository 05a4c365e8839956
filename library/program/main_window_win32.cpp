#include "library/program/main_window_win32.h"

#include <memory>

#include "editor/macro_editor_win32.h"
#include "library/program/end_of_session.h"
#include "library/program/engine_trigger_player.h"
#include "library/program/fitted_bitmap_win32.h"
#include "library/program/hot_keys.h"
#include "library/program/keyloom_texts.h"
#include "library/program/main_window_commands.h"
#include "library/program/main_window_controls_win32.h"
#include "library/program/main_window_play.h"
#include "library/program/main_window_tray_win32.h"
#include "library/program/save_menu_item_win32.h"
#include "library/program/tray_control.h"
#include "library/table/macro_list_commands.h"
#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "resources/keyloom_ids.h"
#include "settings/options_dialog_win32.h"
#include "settings/project_page.h"
#include "ui/about_box_win32.h"
#include "ui/dialog_dpi_scaling_win32.h"
#include "ui/file_dialogs_win32.h"
#include "ui/session_end_win32.h"
#include "ui/small_icon_win32.h"

namespace {

constexpr int HIDE_ATTEMPTS = 10;

WindowHandle Handle(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

// Everything that lives as long as the window: its controls and the program's parts wired to
// them.
class MainWindow {
  public:
    MainWindow(KeyloomProgram& program, HWND window);
    void Initialise();
    void CheckStartHidden();
    void OnCommand(int id, int notification);
    void OnTrayMessage(UINT mouseMessage);
    void OnShowOrHide() { RefreshOnShowOrHide(context_); }
    void OnCloseRequest() { HideInTray(context_); }
    void OnHotKeyMessage(int id) { OnHotKey(hotKeys_, id); }
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    bool OnTaskbarCreated(UINT message) { return tray_.AddAgainIfShellRestarted(message); }
    BOOL OnQueryEndSession();
    void OnEndSession(bool ending);

  private:
    void OnMacroListNotification(int notification);
    bool OpenEditor();
    void ShowOptions();
    void ShowAbout();
    void VisitWebSite();

    KeyloomProgram& program_;
    HWND window_;
    FittedBitmap banner_;
    DialogDpiScaling scaling_;  // after the banner: it keeps the banner's fitted place
    MainWindowControls controls_;
    Win32SaveMenuItem saveItem_;
    Win32FileDialogs dialogs_;
    MainWindowTray tray_;
    MacroLibrary library_;
    MacroInterpreter interpreter_;
    MainWindowPlay play_;
    MacroPlayer player_;
    EngineTriggerPlayer triggerPlayer_;
    HotKeys hotKeys_;
    MainWindowContext context_;
    EditorContext editorContext_;
    KeyloomSessionEnd session_;
};

MainWindow::MainWindow(KeyloomProgram& program, HWND window)
    : program_(program),
      window_(window),
      banner_(program.instance, GetDlgItem(window, IDC_MAIN_BANNER), IDB_BANNER),
      scaling_(window),
      controls_(window, [this] { return OpenEditor(); }),
      saveItem_(window),
      dialogs_(program.desktop, PATH_TOO_LONG_TEXT),
      tray_(program.instance, window),
      library_{program.table,
               controls_,
               saveItem_,
               dialogs_,
               RealFileSystem(),
               program.desktop,
               Handle(window),
               [&settings = program.settings.settings] { return settings.macroDelay; }},
      interpreter_{program.desktop, InterpreterMode::Strict, 0, Handle(window), {}},
      play_(controls_),
      player_{program.playState,
              program.desktop,
              RealFileSystem(),
              interpreter_,
              Handle(window),
              &play_,
              [&settings = program.settings.settings] { return settings.playSpeed; }},
      triggerPlayer_(player_),
      hotKeys_{program.table, program.desktop, triggerPlayer_, Handle(window)},
      context_{library_, hotKeys_, player_, program.editorState, controls_, tray_},
      editorContext_{program.table,
                     program.editorState,
                     program.desktop,
                     RealFileSystem(),
                     program.settings.settings,
                     program.recorder,
                     program.playState,
                     interpreter_,
                     controls_},
      session_{context_, program.settings, {}} {}

void MainWindow::Initialise() {
    SetSmallIcon(window_, program_.instance, IDI_ENABLED);
    InitialiseMainWindow(context_, FieldText(program_.settings.settings.lastFileName));
}

// A "/m" start leaves only the icon: the window goes into the notification area as soon as the
// modal loop has first shown it.
void MainWindow::CheckStartHidden() {
    if (!program_.startHidden || !IsWindowVisible(window_)) return;
    program_.startHidden = false;
    DebugTrace(program_.desktop, "Minimize now");
    // ShowWindow reports whether the window was visible before: hide until it was not.
    int attempts = 1;
    while (ShowWindow(window_, SW_HIDE) && attempts < HIDE_ATTEMPTS)
        ++attempts;
    SendMessageA(window_, WM_CLOSE, 0, 0);
}

void MainWindow::OnCommand(int id, int notification) {
    if (id == IDC_MACRO_LIST) return OnMacroListNotification(notification);
    if (notification != BN_CLICKED) return;
    switch (id) {
        case IDM_NEW_LIST:
            return ReplaceListCommand(context_, NewMacroListCommand);
        case IDM_OPEN_LIST:
            return ReplaceListCommand(context_, OpenMacroListCommand);
        case IDM_SAVE:
            return SaveCommand(library_);
        case IDM_SAVE_AS:
            return SaveAsCommand(library_);
        case IDM_OPTIONS:
            return ShowOptions();
        case IDM_HIDE_IN_TRAY:
            SendMessageA(window_, WM_CLOSE, 0, 0);
            return;
        case IDM_EXIT:
            return ExitCommand(context_);
        case IDM_RUN:
        case IDC_PLAY:
            return PlayCommand(context_);
        case IDM_NEW_MACRO:
        case IDC_NEW:
            return NewMacroCommand(context_);
        case IDM_REMOVE_MACRO:
        case IDC_REMOVE:
            return RemoveCommand(context_);
        case IDM_IMPORT:
        case IDC_IMPORT:
            return ImportCommand(context_);
        case IDM_EXPORT:
        case IDC_EXPORT:
            return ExportCommand(context_);
        case IDC_EDIT_MACRO:
            return EditCommand(context_);
        case IDC_PAUSE:
            return PauseCommand(context_);
        case IDC_STOP:
            return StopCommand(context_);
        case IDM_ABOUT:
            return ShowAbout();
        case IDM_VISIT_WEB_SITE:
            return VisitWebSite();
        default:
            return;
    }
}

void MainWindow::OnMacroListNotification(int notification) {
    if (notification == LBN_SELCHANGE) ShowSelectedDetails(context_);
    if (notification == LBN_DBLCLK && controls_.SelectedEntry() >= 0)
        SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_EDIT_MACRO, BN_CLICKED), 0);
}

void MainWindow::OnTrayMessage(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) RestoreFromTray(context_);
    if (mouseMessage == WM_RBUTTONDOWN)
        OnTrayCommand(context_, TrackTrayMenu(program_.instance, window_, [this](int command) {
                          return TrayCommandOffered(context_, command);
                      }));
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    scaling_.Follow(dpi, suggested);
    banner_.Fit();
}

// While the question is up, the system shows why Keyloom holds up the end of the session.
BOOL MainWindow::OnQueryEndSession() {
    SessionEndHold hold(window_,
                        L"Keyloom is asking whether to save the changes to its macro list");
    return MaySessionEnd(session_);
}

void MainWindow::OnEndSession(bool ending) {
    if (ending) session_.keptListPath = KeptDocumentPath("Untitled macro list.lst");
    ::OnEndSession(session_, ending);
}

bool MainWindow::OpenEditor() {
    return ShowMacroEditor(editorContext_) != -1;
}

void MainWindow::ShowOptions() {
    if (ShowOptionsDialog(window_, program_.settings) <= 0)
        ReportError(program_.desktop, Handle(window_), OPTIONS_FAILED_TEXT, ERROR_CAPTION);
}

void MainWindow::ShowAbout() {
    if (!ShowAboutBox(program_.instance, IDD_ABOUT))
        ReportError(program_.desktop, NO_WINDOW, ABOUT_FAILED_TEXT, FAILURE_CAPTION);
}

void MainWindow::VisitWebSite() {
    OpenProjectPage(program_.desktop, Handle(window_));
}

MainWindow* From(HWND dialog) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

struct WindowStart {
    KeyloomProgram& program;
    std::unique_ptr<MainWindow> window;
};

INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* start = reinterpret_cast<WindowStart*>(lParam);
        start->window = std::make_unique<MainWindow>(start->program, dialog);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start->window.get()));
        start->window->Initialise();
        return TRUE;
    }
    MainWindow* window = From(dialog);
    if (!window) return FALSE;
    window->CheckStartHidden();
    if (window->OnTaskbarCreated(message)) return TRUE;
    switch (message) {
        case WM_COMMAND:
            window->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SHOWWINDOW:
            window->OnShowOrHide();
            return FALSE;
        case WM_CLOSE:
            window->OnCloseRequest();
            return TRUE;
        case WM_HOTKEY:
            window->OnHotKeyMessage(static_cast<int>(wParam));
            return TRUE;
        case TRAY_MESSAGE:
            window->OnTrayMessage(static_cast<UINT>(lParam));
            return TRUE;
        case WM_DPICHANGED:
            window->OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_QUERYENDSESSION:
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, window->OnQueryEndSession());
            return TRUE;
        case WM_ENDSESSION:
            window->OnEndSession(wParam != FALSE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunMainWindow(KeyloomProgram& program) {
    WindowStart start{program, nullptr};
    return DialogBoxParamA(program.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc,
                           reinterpret_cast<LPARAM>(&start));
}
