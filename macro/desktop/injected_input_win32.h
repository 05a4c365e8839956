#pragma once
// The input a play injected, followed to the program that takes it: a window that comes back
// in front after a play must wait until that program has taken every key, or the last ones
// would go to the window instead.

// Returns once every key injected so far has passed the desktop's keyboard hooks and the thread
// of the front window has taken them from its queue, or after INJECTED_INPUT_TIMEOUT_MS.
void AwaitInjectedInput();

constexpr unsigned INJECTED_INPUT_TIMEOUT_MS = 3000;
