#include <gtest/gtest.h>

#include "filer/FilerFixture.h"

using namespace zq;

TEST(ViewFilerMouse, ClicksActivateThePaneMoveTheCursorAndMark) {
    test::FilerFixture f;
    f.Paint({640, 480});
    const filer::FilerLayoutResult& layout = f.filer->LayoutResult();
    auto position = [&](int pane, const wchar_t* name) {
        const FilerPane& p = f.filer->Pane(pane);
        for (int i = 0; i < p.Count(); ++i)
            if (std::wstring(p.EntryAt(i).cFileName) == name) return i;
        return -1;
    };
    auto at = [&](int pane, const wchar_t* name) {
        const RECT r = filer::CellRect(layout.panes[static_cast<size_t>(pane)], layout.metrics,
                                       position(pane, name) - f.filer->Pane(pane).FirstShown());
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    using Kind = ViewFiler::ClickKind;

    ASSERT_TRUE(f.filer->OnMouseClick(at(1, L"x.txt"), Kind::Plain));
    EXPECT_EQ(f.filer->ActivePane(), 1);
    EXPECT_EQ(f.CursorName(1), L"x.txt");
    EXPECT_EQ(f.filer->ActiveLocation(), f.filer->Pane(1).Path());

    // Shift marks the run from the cursor to the entry (".." is never marked); Ctrl toggles one.
    ASSERT_TRUE(f.filer->OnMouseClick(at(0, L".."), Kind::Plain));
    EXPECT_EQ(f.filer->ActivePane(), 0);
    ASSERT_TRUE(f.filer->OnMouseClick(at(0, L"b.txt"), Kind::Range));
    EXPECT_EQ(f.CursorName(0), L"b.txt");
    EXPECT_EQ(f.filer->Pane(0).MarkedCount(), 3);
    ASSERT_TRUE(f.filer->OnMouseClick(at(0, L"a.txt"), Kind::Toggle));
    EXPECT_EQ(f.CursorName(0), L"a.txt");
    EXPECT_FALSE(f.filer->Pane(0).IsMarkedAt(position(0, L"a.txt")));
    EXPECT_EQ(f.filer->Pane(0).MarkedCount(), 2);

    // The wheel moves the cursor and stops at the ends; the header is no pane.
    f.filer->OnMouseWheel(-100);
    EXPECT_EQ(f.filer->Pane(0).Cursor(), 0);
    EXPECT_FALSE(f.filer->OnMouseClick({1, 1}, Kind::Plain));

    // The context menu's entry: a full path, none for "..".
    EXPECT_EQ(f.filer->EntryPathAt(at(0, L"a.txt")), f.filer->Pane(0).Path() + L"\\a.txt");
    EXPECT_EQ(f.filer->EntryPathAt(at(0, L"..")), L"");
}
