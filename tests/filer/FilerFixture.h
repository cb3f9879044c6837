#pragma once
// A Filer without a window: both panes in temporary folders, commands run
// through the registry as keys and menus run them.
#include <memory>

#include "commands/PaneModes.h"
#include "filer/ViewFiler.h"
#include "commands/CommandRegistry.h"
#include "filer/FakeListingSource.h"
#include "filer/FilerPane.h"
#include "main/TempDir.h"
#include "settings/Settings.h"

namespace zq::test {

struct FilerFixture {
    TempDir first;
    TempDir second;
    Settings settings;
    PaneModes modes;
    CommandRegistry registry;
    ViewContext context;
    std::unique_ptr<ViewFiler> filer;

    // The first pane holds "sub", "a.txt" and "b.txt"; the second one file.
    explicit FilerFixture(int twoPanes = 1, const wchar_t* secondFile = L"x.txt") {
        first.MakeDir(L"sub");
        first.WriteFile(L"a.txt", "a");
        first.WriteFile(L"b.txt", "bb");
        second.WriteFile(secondFile, "x");
        settings.FIRSTDIRECTORY = first.Path();
        settings.SECONDDIRECTORY = second.Path();
        settings.SECONDFILEOPEN = twoPanes;
        context.settings = &settings;
        context.modes = &modes;
        context.registry = &registry;
        filer = std::make_unique<ViewFiler>(context);
        filer->RegisterCommands();
        filer->Create();
    }
    RouteResult Run(const wchar_t* text) { return registry.Route(ModeGroup::Filer, text); }
    std::wstring CursorName(int pane) {
        const FileEntry* e = filer->Pane(pane).CursorEntry();
        return e ? e->cFileName : L"";
    }
    // Paints the Filer once into a memory picture, as the view does: the
    // layout that says where the panes and cells are comes from a paint.
    void Paint(SIZE size) {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const RECT client{0, 0, size.cx, size.cy};
        const PaneFrame frame = filer->Arrange(dc, client);
        filer->PaintFrame(dc, client, frame);
        for (int pane = 0; pane < 2; ++pane) {
            const RECT& rect = frame.panes[static_cast<size_t>(pane)];
            if (!::IsRectEmpty(&rect)) filer->Paint(dc, pane, rect);
        }
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
    }
};

// The same Filer and listings held in memory, for commands whose point is not the disk.
struct MemoryFilerFixture {
    static constexpr const wchar_t* kFirst = L"Q:\\first";
    static constexpr const wchar_t* kSecond = L"Q:\\second";
    FakeListingSource listing;
    Settings settings;
    PaneModes modes;
    CommandRegistry registry;
    ViewContext context;
    std::unique_ptr<ViewFiler> filer;

    explicit MemoryFilerFixture(int twoPanes = 1) {
        listing.AddDirectory(kFirst);
        listing.AddSubdirectory(kFirst, L"sub");
        listing.AddFile(kFirst, L"a.txt", 1);
        listing.AddFile(kFirst, L"b.txt", 2);
        listing.AddDirectory(kSecond);
        listing.AddFile(kSecond, L"x.txt", 1);
        settings.FIRSTDIRECTORY = kFirst;
        settings.SECONDDIRECTORY = kSecond;
        settings.SECONDFILEOPEN = twoPanes;
        context.settings = &settings;
        context.modes = &modes;
        context.registry = &registry;
        filer = std::make_unique<ViewFiler>(context, &listing);
        filer->RegisterCommands();
        filer->Create();
    }
    RouteResult Run(const wchar_t* text) { return registry.Route(ModeGroup::Filer, text); }
};

}  // namespace zq::test
