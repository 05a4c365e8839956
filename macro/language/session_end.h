#pragma once
// The privileged end of the user's session behind SHUTDOWN.
#include "macro/desktop/desktop_port.h"

enum class SessionEndKind { PowerOff, Restart };

// Enables the shutdown privilege, then asks for a forced power-off or restart; false when a step
// fails. Where the system has no privileges to enable, the port goes straight to the request.
bool EndSession(DesktopPort& desktop, SessionEndKind kind);
