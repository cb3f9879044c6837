#include <gtest/gtest.h>

#include <cwchar>

#include "search/FindResultOrder.h"

using namespace zq;

namespace {

structFindThreadInfo Hit(const wchar_t* name, const wchar_t* directory, ULONGLONG size, bool folder = false) {
    structFindThreadInfo item{};
    std::wcsncpy(item.find.cFileName, name, MAX_PATH - 1);
    std::wcsncpy(item.directory, directory, 519);
    item.find.nFileSizeLow = static_cast<DWORD>(size);
    item.find.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    item.find.ftLastWriteTime.dwLowDateTime = static_cast<DWORD>(size * 7);  // a time to sort by, apart from names
    item.find.dwFileAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    return item;
}

std::wstring Names(const FindResultView& view) {
    std::wstring names;
    for (size_t row = 0; row < view.Size(); ++row) names += std::wstring(view.Row(row).find.cFileName) + L" ";
    return names;
}

}  // namespace

TEST(FindResultView, RowsArePlacedAsTheyArriveUnsortedNewestOnTopSortedInTheirPlace) {
    FindResultView view;
    view.Append({Hit(L"b.txt", L"C:\\x", 30), Hit(L"a.txt", L"C:\\x", 5)});
    view.Append({Hit(L"c.txt", L"C:\\y", 10)});
    EXPECT_EQ(Names(view), L"c.txt a.txt b.txt ");
    EXPECT_EQ(view.Taken(), 3u);

    view.SetOrder(ClickedColumn(view.Order(), FindColumn::Size));
    view.Append({Hit(L"dir", L"C:\\x", 0, true), Hit(L"d.txt", L"C:\\x", 7)});
    EXPECT_EQ(Names(view), L"dir a.txt d.txt c.txt b.txt ") << "directories first, then by size";
    view.SetOrder(ClickedColumn(view.Order(), FindColumn::Size));
    EXPECT_TRUE(view.Order().descending) << "the same column again reverses";
    EXPECT_EQ(Names(view), L"b.txt c.txt d.txt a.txt dir ");

    // A tie in the directory column goes by the name.
    view.SetOrder(ClickedColumn(view.Order(), FindColumn::Directory));
    EXPECT_FALSE(view.Order().descending) << "another column starts ascending";
    EXPECT_EQ(Names(view), L"a.txt b.txt d.txt dir c.txt ");
}

TEST(FindResultView, AFloodOfResultsLandsInTheSameOrderAsOneByOne) {
    FindOrder bySize;
    bySize.column = FindColumn::Size;
    FindResultView flood, trickle;
    flood.SetOrder(bySize);
    trickle.SetOrder(bySize);
    std::vector<structFindThreadInfo> items;
    for (int n = 0; n < 600; ++n) {
        const std::wstring name = L"f" + std::to_wstring(n);
        items.push_back(Hit(name.c_str(), L"C:\\t", static_cast<ULONGLONG>((n * 37) % 101) << 33));
    }
    flood.Append(items);
    for (const structFindThreadInfo& item : items) trickle.Append({item});
    ASSERT_EQ(flood.Size(), 600u);
    EXPECT_EQ(Names(flood), Names(trickle)) << "equal sizes keep their arrival order both ways";
}

TEST(FindResultView, CellTexts) {
    EXPECT_EQ(FindColumnText(Hit(L"big", L"C:\\", 1234567890123ULL), FindColumn::Size), L"1,234,567,890,123");
    EXPECT_EQ(FindColumnText(Hit(L"small", L"C:\\", 12), FindColumn::Size), L"            12");
    EXPECT_EQ(FindColumnText(Hit(L"sub", L"C:\\", 0, true), FindColumn::Size), L"<DIR>");
    EXPECT_EQ(FindColumnText(Hit(L"a", L"C:\\x", 1), FindColumn::Directory), L"C:\\x");
    EXPECT_EQ(FindColumnText(Hit(L"a", L"C:\\x", 1), FindColumn::Date).size(), 10u);
}
