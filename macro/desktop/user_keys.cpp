#include "macro/desktop/user_keys.h"

void UserKeys::Start(int virtualKey, bool down) {
    keys_[virtualKey & 0xFF].held = down;
}

// A key the user keeps holding repeats its press; once Keyloom has released it, the repeats are
// kept back, or they would press it again in the middle of a play. A press Keyloom gives back
// after the play is kept back too when the user let go first.
bool UserKeys::OnKey(int virtualKey, bool down, KeySource source) {
    Key& key = keys_[virtualKey & 0xFF];
    switch (source) {
        case KeySource::Keyloom:
            key.letGo = !down && key.held;
            return true;
        case KeySource::KeyloomForUser:
            if (!key.held) return false;
            key.letGo = false;
            return true;
        case KeySource::User:
            if (down && key.held && key.letGo) return false;
            key.held = down;
            key.letGo = false;
            return true;
    }
    return true;
}

bool UserKeys::IsHeld(int virtualKey) const {
    return keys_[virtualKey & 0xFF].held;
}
