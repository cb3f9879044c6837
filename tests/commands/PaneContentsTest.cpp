#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/PaneContents.h"

namespace zq {
namespace {

// A content that fills everything it is given, and answers one command itself.
class FakeContent : public IPaneContent {
  public:
    FakeContent(std::uint32_t mask, std::vector<std::wstring>& log, const wchar_t* name, COLORREF ink)
        : m_mask(mask), m_log(log), m_name(name), m_ink(ink) {}
    std::uint32_t ModeMask() const override { return m_mask; }
    void RegisterCommands() override {}
    void Paint(HDC dc, int pane, const RECT&) override {
        m_log.push_back(m_name + L" paints " + std::to_wstring(pane));
        // Deliberately over the whole picture: the host's clip keeps it in its pane.
        const RECT everything{-1000, -1000, 1000, 1000};
        HBRUSH brush = ::CreateSolidBrush(m_ink);
        ::FillRect(dc, &everything, brush);
        ::DeleteObject(brush);
    }
    bool CanRun(CommandId id) const override { return id == answers; }
    bool Run(CommandId, const CommandCall&) override {
        m_log.push_back(m_name + L" runs");
        return true;
    }
    CommandId answers = cmd::viewer::Quit;

  private:
    std::uint32_t m_mask;
    std::vector<std::wstring>& m_log;
    std::wstring m_name;
    COLORREF m_ink;
};

constexpr COLORREF kFilerInk = RGB(0, 255, 0);
constexpr COLORREF kViewerInk = RGB(255, 0, 0);

struct Fixture {
    PaneModes modes;
    std::vector<std::wstring> log;
    PaneContents parts{modes};
    FakeContent* filer = nullptr;
    FakeContent* viewer = nullptr;
    Fixture() {
        auto f = std::make_unique<FakeContent>(pane_mode::kFilerGroup, log, L"filer", kFilerInk);
        filer = f.get();
        parts.Add(std::move(f), filer);
        auto v = std::make_unique<FakeContent>(pane_mode::kViewerGroup, log, L"viewer", kViewerInk);
        viewer = v.get();
        parts.Add(std::move(v), viewer);
    }
};

// Each pane shows the content of its mode; a mode no content was added for
// stays the Filer's; a pane given back returns to the listing it had.
TEST(PaneContents, EachPaneShowsTheContentOfItsModeAndGoesBackToItsListing) {
    Fixture f;
    f.modes.Set(0, pane_state::kFocused, pane_mode::kDriveList, 3);
    f.modes.Set(1, pane_state::kHidden, pane_mode::kDirectory, 1);
    EXPECT_EQ(f.parts.Focused(), f.filer);

    f.parts.ShowMode(1, pane_mode::kText, 0);
    EXPECT_EQ(f.modes.Get(1).state, pane_state::kOther) << "a hidden pane is shown";
    EXPECT_EQ(f.parts.ContentOf(1), f.viewer);
    EXPECT_EQ(f.parts.Focused(), f.filer);

    f.parts.ShowMode(0, pane_mode::kText, 0);
    f.parts.ShowMode(0, pane_mode::kBinary, 0);  // no binary editor here: the Filer stands for it
    EXPECT_EQ(f.parts.Focused(), f.filer);
    f.parts.ShowFiler(0);
    EXPECT_EQ(f.modes.Get(0).mode, pane_mode::kDriveList) << "the first listing, not the viewer's mode";
    EXPECT_EQ(f.modes.Get(0).subMode, 3u);
    EXPECT_EQ(f.modes.Get(0).state, pane_state::kFocused);

    f.parts.ShowFiler(1);
    EXPECT_EQ(f.modes.Get(1).mode, pane_mode::kDirectory);
    EXPECT_EQ(f.modes.Get(1).subMode, 1u);
}

// Without a frame the shown panes share the view; each content paints only
// inside its pane, whatever it draws.
TEST(PaneContents, PaintsEachShownPaneByItsContentInsideItsRectangle) {
    Fixture f;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT client{0, 0, 200, 100};

    f.modes.Set(0, pane_state::kFocused, pane_mode::kDirectory, 0);
    f.modes.Set(1, pane_state::kOther, pane_mode::kText, 0);
    f.parts.Paint(dc, client);
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"filer paints 0", L"viewer paints 1"}));
    EXPECT_EQ(::GetPixel(dc, 50, 50), kFilerInk) << "the viewer, painted last, stays in its pane";
    EXPECT_EQ(::GetPixel(dc, 150, 50), kViewerInk);
    EXPECT_EQ(f.parts.PaneAt({150, 50}), 1);
    EXPECT_EQ(f.parts.PaneAt({250, 50}), -1);

    f.log.clear();
    f.modes.Set(0, pane_state::kHidden, pane_mode::kDirectory, 0);
    f.parts.Paint(dc, client);
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"viewer paints 1"}));
    EXPECT_EQ(f.parts.PaneRect(1).left, 0) << "the one shown pane takes the view";
    EXPECT_EQ(::GetPixel(dc, 50, 50), kViewerInk);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

// The focused pane's content answers the commands it can run before the
// registered handlers; what it cannot run falls through to them.
TEST(PaneContents, FocusedContentRunsItsCommandsBeforeTheRegistry) {
    Fixture f;
    CommandRegistry registry;
    registry.SetTarget([&f]() -> ICommandTarget* { return f.parts.Focused(); });
    registry.Register(cmd::viewer::Quit, [&f](const CommandCall&) { f.log.push_back(L"handler"); });
    registry.Register(cmd::viewer::Up, [&f](const CommandCall&) { f.log.push_back(L"handler"); });
    f.modes.Set(0, pane_state::kFocused, pane_mode::kText, 0);
    struct Case {
        const wchar_t* text;
        const wchar_t* ran;
    };
    for (const Case c : {Case{L"@Quit", L"viewer runs"}, Case{L"@Up", L"handler"}}) {
        f.log.clear();
        EXPECT_EQ(registry.Route(ModeGroup::Viewer, c.text), RouteResult::Ran) << c.text;
        EXPECT_EQ(f.log, std::vector<std::wstring>{c.ran}) << c.text;
    }
    // The content alone makes a command runnable.
    f.viewer->answers = cmd::viewer::Down;
    EXPECT_TRUE(registry.HasHandler(ModeGroup::Viewer, L"@Down"));
    f.modes.Set(0, pane_state::kFocused, pane_mode::kDirectory, 0);
    EXPECT_FALSE(registry.HasHandler(ModeGroup::Viewer, L"@Down")) << "only the focused content answers";
}

TEST(PaneContents, TimerIdsNameTheirPartAndLeaveTheViewsOwnAlone) {
    Fixture f;
    std::size_t part = 9;
    unsigned id = 9;
    ASSERT_TRUE(f.parts.TimerOwner(PaneContents::TimerId(1, 7), part, id));
    EXPECT_EQ(part, 1u);
    EXPECT_EQ(id, 7u);
    EXPECT_FALSE(f.parts.TimerOwner(1, part, id)) << "the view's periodic timer";
    EXPECT_FALSE(f.parts.TimerOwner(PaneContents::TimerId(2, 0), part, id)) << "no such part";
}

}  // namespace
}  // namespace zq
