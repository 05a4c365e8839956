// The editor window can be made larger, never smaller than its template, and the code box takes
// the room; the code is shown in a fixed-pitch font.
#include "tests/windows/keyloom_editor_fixture.h"

namespace {

using namespace editor_test;

SIZE SizeOf(const RECT& rect) {
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

class EditorLayoutTest : public EditorWindowTest {
  protected:
    RECT WindowRect() {
        RECT rect{};
        GetWindowRect(editor, &rect);
        return rect;
    }
    RECT PlaceOf(int id) {
        RECT rect{};
        GetWindowRect(Control(id), &rect);
        MapWindowPoints(nullptr, editor, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void Resize(int width, int height) {
        SetWindowPos(editor, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        PumpFor(50);
    }
};

TEST_F(EditorLayoutTest, WindowHasASizingBorderAndItsTemplateSizeIsTheSmallest) {
    Open();
    EXPECT_NE(GetWindowLongA(editor, GWL_STYLE) & WS_THICKFRAME, 0);
    const SIZE opened = SizeOf(WindowRect());
    MINMAXINFO limits{};
    SendMessageA(editor, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, opened.cx);
    EXPECT_EQ(limits.ptMinTrackSize.y, opened.cy);

    Resize(opened.cx - 100, opened.cy - 100);
    const SIZE shrunk = SizeOf(WindowRect());
    EXPECT_EQ(shrunk.cx, opened.cx);
    EXPECT_EQ(shrunk.cy, opened.cy);
}

TEST_F(EditorLayoutTest, LargerWindowGrowsTheCodeBoxAndMovesTheControlsBelowIt) {
    Open();
    const SIZE opened = SizeOf(WindowRect());
    const RECT code = PlaceOf(IDC_CODE);
    const RECT name = PlaceOf(IDC_EDITOR_NAME);
    const RECT play = PlaceOf(IDC_PREVIEW_PLAY);
    const RECT apply = PlaceOf(IDC_APPLY);
    const RECT insert = PlaceOf(IDC_INSERT);

    Resize(opened.cx + 200, opened.cy + 150);
    const RECT grown = PlaceOf(IDC_CODE);
    EXPECT_EQ(grown.left, code.left);
    EXPECT_EQ(grown.top, code.top);
    EXPECT_EQ(grown.right, code.right + 200);
    EXPECT_EQ(grown.bottom, code.bottom + 150);
    EXPECT_EQ(PlaceOf(IDC_EDITOR_NAME).left, name.left) << "the properties keep their places";
    EXPECT_EQ(PlaceOf(IDC_EDITOR_NAME).top, name.top);
    EXPECT_EQ(PlaceOf(IDC_PREVIEW_PLAY).left, play.left);
    EXPECT_EQ(PlaceOf(IDC_PREVIEW_PLAY).top, play.top + 150);
    EXPECT_EQ(PlaceOf(IDC_APPLY).left, apply.left + 200) << "OK, Cancel, Apply in the corner";
    EXPECT_EQ(PlaceOf(IDC_APPLY).top, apply.top + 150);
    EXPECT_EQ(PlaceOf(IDC_INSERT).left, insert.left + 200);

    Resize(opened.cx, opened.cy);
    const RECT back = PlaceOf(IDC_CODE);
    EXPECT_TRUE(EqualRect(&code, &back)) << "back in its template place";
}

TEST_F(EditorLayoutTest, CodeIsShownInAFixedPitchFont) {
    Open();
    auto font = reinterpret_cast<HFONT>(SendMessageA(Control(IDC_CODE), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    HDC context = GetDC(Control(IDC_CODE));
    HGDIOBJ previous = SelectObject(context, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(context, &metrics);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32A(context, "iiiiiiii", 8, &narrow);
    GetTextExtentPoint32A(context, "WWWWWWWW", 8, &wide);
    SelectObject(context, previous);
    ReleaseDC(Control(IDC_CODE), context);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the bit means variable pitch";
    EXPECT_EQ(narrow.cx, wide.cx);
    EXPECT_NE(font, reinterpret_cast<HFONT>(SendMessageA(editor, WM_GETFONT, 0, 0)));
}

}  // namespace
