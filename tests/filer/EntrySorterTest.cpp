#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/EntrySorter.h"
#include "filer/SortSettings.h"

namespace {

struct Spec {
    const wchar_t* name;
    bool directory;
    unsigned long long time;
    unsigned long long size;
    DWORD attributes;
};

std::vector<zq::FileEntry> Make(const std::vector<Spec>& specs) {
    std::vector<zq::FileEntry> out;
    for (const auto& s : specs) {
        zq::FileEntry e{};
        e.dwFileAttributes = s.attributes | (s.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
        e.ftLastWriteTime = FILETIME{static_cast<DWORD>(s.time), static_cast<DWORD>(s.time >> 32)};
        e.ftCreationTime = FILETIME{static_cast<DWORD>(~s.time), 0};
        e.nFileSizeHigh = static_cast<DWORD>(s.size >> 32);
        e.nFileSizeLow = static_cast<DWORD>(s.size);
        wcscpy(e.cFileName, s.name);
        out.push_back(e);
    }
    return out;
}

std::vector<std::wstring> Sorted(const std::vector<zq::FileEntry>& entries, const zq::SortSettings& s,
                                 bool logical = false, int timeType = 2, int* special = nullptr) {
    std::vector<int32_t> order(entries.size());
    zq::EntrySorter sorter;
    zq::SortOptions options;
    options.useLogical = logical;
    options.viewFileTimeType = timeType;
    const int n = sorter.Sort(entries.data(), static_cast<int>(entries.size()), s, options, order.data());
    if (special) *special = n;
    std::vector<std::wstring> names;
    for (int32_t i : order) names.emplace_back(entries[static_cast<size_t>(i)].cFileName);
    return names;
}

zq::SortSettings With(std::initializer_list<std::pair<int, uint32_t>> fields) {
    zq::SortSettings s = zq::SortSettings::Default();
    for (auto [i, v] : fields) s.v[static_cast<size_t>(i)] = v;
    return s;
}

using Names = std::vector<std::wstring>;

TEST(EntrySorter, LogicalComparisonPutsA9BeforeA10) {
    const auto entries = Make({{L"a10.txt", false, 0, 0, 0}, {L"a9.txt", false, 0, 0, 0}});
    ASSERT_NE(zq::EntrySorter::LogicalCompare(), nullptr);
    EXPECT_EQ(Sorted(entries, With({}), true), (Names{L"a9.txt", L"a10.txt"}));
    EXPECT_EQ(Sorted(entries, With({}), false), (Names{L"a10.txt", L"a9.txt"}));
}

TEST(EntrySorter, NameAndExtensionSplit) {
    struct Case {
        const wchar_t* name;
        bool directory;
        const wchar_t* stem;
        const wchar_t* extension;
    };
    const Case cases[] = {
        {L".profile", false, L".profile", L""}, {L".config.bak", false, L".config", L"bak"},
        {L"x.doc", false, L"x", L"doc"},        {L"archive.tar.gz", false, L"archive.tar", L"gz"},
        {L"noext", false, L"noext", L""},       {L"trailing.", false, L"trailing", L""},
        {L"b.old", true, L"b.old", L""},
    };
    for (const auto& c : cases) {
        const auto e = Make({{c.name, c.directory, 0, 0, 0}});
        std::wstring_view stem, extension;
        zq::EntrySorter::SplitName(e[0], stem, extension);
        EXPECT_EQ(stem, c.stem) << c.name;
        EXPECT_EQ(extension, c.extension) << c.name;
    }
}

TEST(EntrySorter, KeyChainsAndOrders) {
    struct Case {
        const char* what;
        std::vector<Spec> entries;
        zq::SortSettings settings;
        Names expected;
    };
    const Case cases[] = {
        {"equal stems fall back to the extension",
         {{L"x.txt", false, 0, 0, 0}, {L"X.doc", false, 0, 0, 0}},
         With({}),
         {L"X.doc", L"x.txt"}},
        {"a directory b.old sorts by extension as a whole name",
         {{L"c", true, 0, 0, 0}, {L"b.old", true, 0, 0, 0}, {L"a.zzz", true, 0, 0, 0}},
         With({{3, 5}}),  // directory key: extension
         {L"a.zzz", L"b.old", L"c"}},
        {"newest file first, ties by name descending",
         {{L"b", false, 10, 0, 0}, {L"c", false, 30, 0, 0}, {L"a", false, 10, 0, 0}, {L"d", false, 30, 0, 0}},
         With({{0, 1}, {7, 1}}),
         {L"d", L"c", L"b", L"a"}},
        {"dot entries head the list, then directories, then files",
         {{L"f", false, 0, 0, 0}, {L"..", true, 0, 0, 0}, {L"d", true, 0, 0, 0}, {L".", true, 0, 0, 0}},
         With({}),
         {L".", L"..", L"d", L"f"}},
        {"not separating interleaves, dot entries still first",
         {{L"b", false, 0, 0, 0}, {L"c", true, 0, 0, 0}, {L"..", true, 0, 0, 0}, {L"a", true, 0, 0, 0}},
         With({{8, 1}}),
         {L"..", L"a", L"b", L"c"}},
        {"size first, then name",
         {{L"b", false, 0, 5, 0}, {L"a", false, 0, 5, 0}, {L"c", false, 0, 0x100000000ULL, 0}, {L"d", false, 0, 7, 0}},
         With({{0, 2}}),
         {L"a", L"b", L"d", L"c"}},
        {"attribute rank: read-only < hidden < system",
         {{L"s", false, 0, 0, FILE_ATTRIBUTE_SYSTEM},
          {L"h", false, 0, 0, FILE_ATTRIBUTE_HIDDEN},
          {L"r", false, 0, 0, FILE_ATTRIBUTE_READONLY},
          {L"n", false, 0, 0, 0}},
         With({{0, 4}}),
         {L"n", L"r", L"h", L"s"}},
        {"extension first, then name",
         {{L"b.c", false, 0, 0, 0}, {L"a.d", false, 0, 0, 0}, {L"a.c", false, 0, 0, 0}, {L"z", false, 0, 0, 0}},
         With({{0, 3}}),
         {L"z", L"a.c", L"b.c", L"a.d"}},
        {"no sort keeps entry order, directories first",
         {{L"b", false, 0, 0, 0}, {L"z", true, 0, 0, 0}, {L"a", false, 0, 0, 0}, {L"y", true, 0, 0, 0}},
         With({{0, 5}}),
         {L"z", L"y", L"b", L"a"}},
        {"directories descending by name, files ascending",
         {{L"b", false, 0, 0, 0}, {L"x", true, 0, 0, 0}, {L"a", false, 0, 0, 0}, {L"y", true, 0, 0, 0}},
         With({{3, 1}, {6, 1}}),
         {L"y", L"x", L"a", L"b"}},
        {"directories follow the file order when they have no key of their own",
         {{L"b", false, 0, 0, 0}, {L"x", true, 0, 0, 0}, {L"a", false, 0, 0, 0}, {L"y", true, 0, 0, 0}},
         With({{7, 1}}),
         {L"y", L"x", L"b", L"a"}},
        {"equal-data key time after size",
         {{L"a", false, 20, 1, 0}, {L"b", false, 10, 1, 0}, {L"c", false, 5, 0, 0}},
         With({{0, 2}, {1, 2}}),
         {L"c", L"b", L"a"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Sorted(Make(c.entries), c.settings), c.expected) << c.what;
}

TEST(EntrySorter, TimeKeyFollowsTheChosenTime) {
    // Write times ascend with the name, creation times descend.
    const auto entries = Make({{L"a", false, 1, 0, 0}, {L"b", false, 2, 0, 0}, {L"c", false, 3, 0, 0}});
    EXPECT_EQ(Sorted(entries, With({{0, 1}}), false, 2), (Names{L"a", L"b", L"c"}));
    EXPECT_EQ(Sorted(entries, With({{0, 1}}), false, 0), (Names{L"c", L"b", L"a"}));
}

TEST(EntrySorter, SortKeysAgreeWithTheLocaleComparison) {
    // The sorter compares precomputed keys; their order must be the one
    // CompareStringW gives with the same flags.
    const wchar_t* names[] = {L"abc", L"ABC", L"ｱｲｳ",    L"アイウ", L"あいう", L"ＡＢＣ", L"abd",  L"ab",
                              L"a-b", L"ab-", L"résumé", L"resume", L"Zeta",   L"zeta1",  L"日本", L"本日",
                              L"a10", L"a9",  L"_x",     L"~x",     L"😀",      L"a😀b"};
    std::vector<Spec> specs;
    for (const wchar_t* n : names) specs.push_back({n, false, 0, 0, 0});
    const auto entries = Make(specs);
    const auto sorted = Sorted(entries, With({}));
    const DWORD flags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;
    for (size_t i = 0; i + 1 < sorted.size(); ++i) {
        const int c = ::CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, sorted[i].c_str(), -1, sorted[i + 1].c_str(), -1);
        EXPECT_NE(c, CSTR_GREATER_THAN) << sorted[i] << L" before " << sorted[i + 1];
    }
}

TEST(SortSettings, TemporaryInForceOnlyWhenBothFirstFieldsSet) {
    zq::PaneSortState state;
    state.defaults.v[0] = 2;
    EXPECT_EQ(state.InForce().v[0], 2u);
    state.temporary.v[0] = 1;
    EXPECT_EQ(state.InForce().v[0], 2u);  // field 1 still empty
    state.temporary.v[1] = 0;
    EXPECT_EQ(state.InForce().v[0], 1u);
    state.DropTemporary();
    EXPECT_EQ(state.InForce().v[0], 2u);
}

TEST(SortSettings, SynchronisedStoreReachesBothPanes) {
    zq::PaneSortState a, b;
    b.temporary = zq::SortSettings::Default();  // b has temporary settings in force
    zq::SortSettings s = zq::SortSettings::Default();
    s.v[0] = 1;
    zq::StoreDefaultSort(a, b, s, 0);
    EXPECT_EQ(b.defaults.v[0], 0u);
    EXPECT_TRUE(b.temporary.IsTemporaryInForce());
    zq::StoreDefaultSort(a, b, s, 1);
    EXPECT_EQ(b.defaults.v[0], 1u);
    EXPECT_FALSE(b.temporary.IsTemporaryInForce());
}

TEST(SortSettings, OneKeyCommands) {
    struct Case {
        zq::SortCommand command;
        int field;
        uint32_t before, after;
    };
    const Case cases[] = {
        {zq::SortCommand::Sortname, 0, 3, 0},         {zq::SortCommand::Sorttime, 0, 0, 1},
        {zq::SortCommand::Sortattribute, 0, 0, 4},    {zq::SortCommand::Sortno, 0, 0, 5},
        {zq::SortCommand::SortNameDir, 3, 0, 1},      {zq::SortCommand::SortKindDir, 3, 0, 4},
        {zq::SortCommand::SortAttributeDir, 3, 0, 5}, {zq::SortCommand::Sortexchange, 7, 0, 1},
        {zq::SortCommand::Sortexchange, 7, 1, 0},     {zq::SortCommand::SortExchangeDir, 6, 1, 0},
    };
    for (const auto& c : cases) {
        zq::SortSettings s = zq::SortSettings::Default();
        s.v[static_cast<size_t>(c.field)] = c.before;
        const zq::SortSettings out = zq::WithSortCommand(s, c.command);
        EXPECT_EQ(out.v[static_cast<size_t>(c.field)], c.after) << static_cast<int>(c.command);
        s.v[static_cast<size_t>(c.field)] = c.after;
        EXPECT_EQ(out, s) << "only one field changes";
    }
}

TEST(SortSettings, ListPositionsMapToKeys) {
    EXPECT_EQ(zq::MappedKey(0), zq::SortKey::None);
    EXPECT_EQ(zq::MappedKey(1), zq::SortKey::Name);
    EXPECT_EQ(zq::MappedKey(5), zq::SortKey::Attribute);
    EXPECT_EQ(zq::MappedKey(6), zq::SortKey::None);
    EXPECT_EQ(zq::MappedKey(0xFFFFFFFFu), zq::SortKey::None);
    // A name first key with no equal-data key ties on the stem and then uses the extension.
    const zq::SortChains c = zq::BuildSortChains(zq::SortSettings::Default());
    EXPECT_EQ(c.file[0], zq::SortKey::Name);
    EXPECT_EQ(c.file[1], zq::SortKey::Extension);
}

}  // namespace
