#include "settings/options_dialog_win32.h"

#include <string>

#include "resources/options_ids.h"
#include "settings/options.h"
#include "settings/play_speed.h"
#include "ui/dialog_controls_win32.h"

namespace {

constexpr INT_PTR DIALOG_ENDED = 1;  // every way of ending the dialog

SettingsContext& ContextOf(HWND dialog) {
    return *reinterpret_cast<SettingsContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

WindowHandle Owner(HWND dialog) {
    return reinterpret_cast<WindowHandle>(dialog);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM contextParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, contextParam);
    SettingsContext& context = ContextOf(dialog);
    if (context.program.hasMacroDelay) LimitText(dialog, IDC_OPTIONS_DELAY, MACRO_DELAY_DIGITS);
    if (context.program.hasPlaySpeed) LimitText(dialog, IDC_OPTIONS_SPEED, PLAY_SPEED_DIGITS);
    OptionsShown shown = ReadOptions(context, Owner(dialog));
    SetChecked(dialog, IDC_OPTIONS_AUTORUN, shown.autoRun);
    if (context.program.hasMacroDelay)
        SetControlText(dialog, IDC_OPTIONS_DELAY, shown.macroDelayText);
    if (context.program.hasPlaySpeed)
        SetControlText(dialog, IDC_OPTIONS_SPEED, shown.playSpeedText);
    return TRUE;
}

void OnOk(HWND dialog) {
    SettingsContext& context = ContextOf(dialog);
    std::string delayText;
    std::string speedText;
    if (context.program.hasMacroDelay) delayText = ControlText(dialog, IDC_OPTIONS_DELAY);
    if (context.program.hasPlaySpeed) speedText = ControlText(dialog, IDC_OPTIONS_SPEED);
    OptionsChosen chosen{delayText, IsChecked(dialog, IDC_OPTIONS_AUTORUN), speedText};
    if (ApplyOptions(context, Owner(dialog), chosen)) EndDialog(dialog, DIALOG_ENDED);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, lParam);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnOk(dialog);
                    return TRUE;
                case IDCANCEL:  // also the close box
                    EndDialog(dialog, DIALOG_ENDED);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowOptionsDialog(HWND owner, SettingsContext& context) {
    return DialogBoxParamA(GetModuleHandleA(nullptr),
                           MAKEINTRESOURCEA(context.program.optionsDialog), owner,
                           OptionsDialogProc, reinterpret_cast<LPARAM>(&context));
}
