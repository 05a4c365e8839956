// Keyloom's entry: one instance at a time, the settings, the main window, and the last list
// file remembered at the end.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "library/main_window_win32.h"
#include "library/program_start.h"
#include "macro/file/text_field.h"
#include "settings/registry_settings_store_win32.h"

namespace {

constexpr int EXIT_REFUSED = 1;
constexpr UINT ERROR_BOX = MB_OK | MB_ICONERROR;
constexpr char CLASS_NAME[] = "Keyloom";

// No window is made from this class; the class answers every message with 1.
LRESULT CALLBACK ClassWindowProc(HWND, UINT, WPARAM, LPARAM) {
    return 1;
}

bool RegisterProgramClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ClassWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = CLASS_NAME;
    return RegisterClassExA(&windowClass) != 0;
}

int Refuse(Win32Desktop& desktop, const char* text, const char* caption) {
    desktop.MessageBoxA(NO_WINDOW, text, caption, ERROR_BOX);
    return EXIT_REFUSED;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    InitCommonControls();
    Win32Desktop& desktop = TheDesktop();
    if (FindRunningInstance(desktop, MAIN_WINDOW_TITLE)) return Refuse(desktop, ALREADY_RUNNING_MESSAGE, "Error");

    RegistrySettingsStore store;
    Settings settings;
    SettingsContext settingsContext{KEYLOOM_SETTINGS, store, desktop, settings};
    LoadSettings(settingsContext);

    auto table = std::make_unique<MacroTable>();  // cleared: every slot zero
    if (!RegisterProgramClass(instance))
        return Refuse(desktop, "Failed to register Windows class", "Error!");

    PlayState playState;
    EditorState editorState;
    auto recorder = std::make_unique<RecorderState>();
    KeyloomProgram program{instance,        desktop,
                           settingsContext, *table,
                           playState,       editorState,
                           *recorder,       IsStartHiddenSwitch(commandLine ? commandLine : "")};
    if (RunMainWindow(program) == -1)
        return Refuse(desktop, "Failed to initialise main dialog", "Error!");

    StoreLastFileName(settingsContext, FieldText(table->listFileName));
    return 0;
}
