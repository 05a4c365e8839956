#include "settings/program_settings_win32.h"

ProgramSettings::ProgramSettings(const SettingsProgram& program, DesktopPort& desktop)
    : context_{program, store_, desktop, settings_} {
    LoadSettings(context_);
}
