#include <gtest/gtest.h>

#include "external/NonLoadCpl.h"

TEST(NonLoadCpl, FileNameDecidesIgnoringCaseWhateverTheEntryForm) {
    const std::vector<std::wstring> nonLoad = {L"JOY.CPL", L"C:\\Windows\\System32\\inetcpl.cpl", L"", L"main"};
    struct Case {
        const wchar_t* path;
        bool excluded;
    };
    const Case cases[] = {
        {L"C:\\Windows\\system32\\joy.cpl", true},
        {L"D:\\elsewhere\\Joy.Cpl", true},  // a bare name matches in any folder
        {L"C:\\Windows\\system32\\INETCPL.CPL", true},
        {L"D:\\other\\inetcpl.cpl", true},  // a full path matches by its name too
        {L"C:\\Windows\\system32\\appwiz.cpl", false},
        {L"C:\\Windows\\system32\\main.cpl", false},  // "main" is not "main.cpl"
        {L"C:\\Windows\\system32\\joy.cpl.bak", false},
        {L"C:\\Windows\\system32\\xjoy.cpl", false},
        {L"", false},  // the empty entry names nothing, not the empty path
    };
    for (const auto& c : cases) EXPECT_EQ(zq::IsNonLoadCpl(c.path, nonLoad), c.excluded) << c.path;
    EXPECT_FALSE(zq::IsNonLoadCpl(L"C:\\Windows\\system32\\joy.cpl", {}));
}

TEST(NonLoadCpl, LoadableCplsKeepsOrderAndDropsOnlyListedFiles) {
    const std::vector<std::wstring> paths = {L"C:\\s\\b.cpl", L"C:\\s\\A.cpl", L"C:\\s\\c.cpl", L"C:\\s\\a.cpl"};
    const std::vector<std::wstring> expected = {L"C:\\s\\b.cpl", L"C:\\s\\c.cpl"};
    EXPECT_EQ(zq::LoadableCpls(paths, {L"a.cpl"}), expected);
    EXPECT_EQ(zq::LoadableCpls(paths, {}), paths);
}

TEST(NonLoadCpl, ContextSlotsRoundTripWithinTheirLimits) {
    StructZqCplContext context{};
    for (auto& slot : context.NonLoadCpl) slot[0] = L'x';  // stale values must not survive a store

    std::vector<std::wstring> entries;
    entries.push_back(L"");  // skipped, not stored as a gap
    for (int i = 0; i < 12; ++i) entries.push_back(L"f" + std::to_wstring(i) + L".cpl");
    entries[3] = std::wstring(600, L'L');  // longer than a slot
    zq::StoreNonLoadCplList(entries, context);

    const std::vector<std::wstring> back = zq::NonLoadCplList(context);
    ASSERT_EQ(back.size(), static_cast<size_t>(ZQ_NONLOADCPL_COUNT));
    EXPECT_EQ(back[0], L"f0.cpl");
    EXPECT_EQ(back[2], std::wstring(ZQ_NONLOADCPL_CHARS - 1, L'L'));
    EXPECT_EQ(back[9], L"f9.cpl");

    zq::StoreNonLoadCplList({L"only.cpl"}, context);
    EXPECT_EQ(zq::NonLoadCplList(context), std::vector<std::wstring>{L"only.cpl"});
}
