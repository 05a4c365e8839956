#include "macro/language/wait.h"

// The port blocks on a high-resolution timer and falls back to another clock when the system
// refuses one, so a refused timer can never leave the wait hanging.
void WaitMilliseconds(DesktopPort& desktop, int32_t milliseconds) {
    desktop.WaitPrecisely(milliseconds);
}
