#include "editor/editor_layout_win32.h"

#include "resources/keyloom_ids.h"

namespace {

constexpr unsigned LEFT = 1, TOP = 2, RIGHT = 4, BOTTOM = 8;
constexpr unsigned GROWS = RIGHT | BOTTOM;
constexpr unsigned MOVES_DOWN = TOP | BOTTOM;
constexpr unsigned MOVES_DOWN_AND_WIDENS = TOP | BOTTOM | RIGHT;
constexpr unsigned MOVES_DOWN_RIGHT = LEFT | TOP | RIGHT | BOTTOM;

// The properties half keeps its place; the code half takes the new room.
struct Anchor {
    int id;
    unsigned edges;
};

constexpr Anchor ANCHORS[] = {
    {IDC_CODE_GROUP, GROWS},
    {IDC_CODE, GROWS},
    {IDC_INSERT_LABEL, MOVES_DOWN},
    {IDC_EVENT_LIST, MOVES_DOWN_AND_WIDENS},
    {IDC_INSERT, MOVES_DOWN_RIGHT},
    {IDC_PREVIEW_GROUP, MOVES_DOWN_AND_WIDENS},
    {IDC_RECORD, MOVES_DOWN},
    {IDC_PREVIEW_STOP, MOVES_DOWN},
    {IDC_PREVIEW_PLAY, MOVES_DOWN},
    {IDC_ELAPSED_LABEL, MOVES_DOWN_RIGHT},
    {IDC_ELAPSED_MINUTES, MOVES_DOWN_RIGHT},
    {IDC_ELAPSED_COLON, MOVES_DOWN_RIGHT},
    {IDC_ELAPSED_SECONDS, MOVES_DOWN_RIGHT},
    {IDC_CHECK_CODE, MOVES_DOWN},
    {IDC_EDITOR_OK, MOVES_DOWN_RIGHT},
    {IDC_EDITOR_CANCEL, MOVES_DOWN_RIGHT},
    {IDC_APPLY, MOVES_DOWN_RIGHT},
};

SIZE Size(const RECT& rect) {
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

LONG Shifted(LONG position, bool follows, LONG by) {
    return follows ? position + by : position;
}

}  // namespace

EditorLayout::EditorLayout(HWND dialog, const DialogDpiScaling& scale)
    : dialog_(dialog), scale_(scale) {
    RECT client{};
    GetClientRect(dialog, &client);
    templateClient_ = Size(client);
    for (const Anchor& anchor : ANCHORS) {
        HWND control = GetDlgItem(dialog, anchor.id);
        if (control)
            placed_.push_back(Placed{control, ControlPlace(dialog, control), anchor.edges});
    }
}

void EditorLayout::LimitTracking(MINMAXINFO& limits) const {
    RECT window{};
    RECT client{};
    GetWindowRect(dialog_, &window);
    GetClientRect(dialog_, &client);
    const SIZE frame{Size(window).cx - client.right, Size(window).cy - client.bottom};
    const SIZE smallest = scale_.Scaled(templateClient_);
    limits.ptMinTrackSize = POINT{smallest.cx + frame.cx, smallest.cy + frame.cy};
}

void EditorLayout::Fit(int clientWidth, int clientHeight) const {
    const SIZE atTemplate = scale_.Scaled(templateClient_);
    const LONG wider = clientWidth - atTemplate.cx;
    const LONG taller = clientHeight - atTemplate.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const Placed& placed : placed_) {
        const RECT at = scale_.Scaled(placed.rect);
        const LONG left = Shifted(at.left, placed.edges & LEFT, wider);
        const LONG top = Shifted(at.top, placed.edges & TOP, taller);
        const LONG right = Shifted(at.right, placed.edges & RIGHT, wider);
        const LONG bottom = Shifted(at.bottom, placed.edges & BOTTOM, taller);
        if (moves)
            moves = DeferWindowPos(moves, placed.control, nullptr, left, top, right - left,
                                   bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves) EndDeferWindowPos(moves);
    InvalidateRect(dialog_, nullptr, TRUE);
}
