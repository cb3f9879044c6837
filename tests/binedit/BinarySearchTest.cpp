#include "binedit/BinarySearch.h"

#include <gtest/gtest.h>

#include "binedit/BinaryReplace.h"
#include "binedit/BinaryTestSupport.h"
#include "binedit/CBinaryData.h"
#include "main/TempDir.h"

namespace zq::binedit::test {

namespace {

// The offsets of successive steps; -1 for "not found".
std::vector<std::int64_t> Steps(CBinaryData& data, int count, bool reverse = false) {
    std::vector<std::int64_t> found;
    for (int i = 0; i < count; ++i) {
        const SearchResult r = data.Search().Step(data, reverse);
        found.push_back(r.status == SearchStatus::Found ? r.offset : -1);
    }
    return found;
}

using Offsets = std::vector<std::int64_t>;
constexpr std::int64_t kBlock = 16000;  // the search tests this many positions at a time

}  // namespace

// One match lies in the file across the search's block edge, one is typed in
// across the read window's edge, and the pattern's head sits at the very end.
TEST(BinarySearchTest, FindsMatchesAcrossReadEdgesInTheEditedData) {
    zq::test::TempDir dir;
    const std::string bytes =
        LowBytes(3 * kBlock + 100).replace(kBlock - 1, 3, "\xF0\xF1\xF2").replace(3 * kBlock + 98, 2, "\xF0\xF1");
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", bytes)));
    ASSERT_EQ(data.WriteRun(31999, reinterpret_cast<const std::uint8_t*>("\xF0\xF1\xF2"), 3, data.Size()), 3);

    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"f0f1f2", 0, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 4), (Offsets{kBlock - 1, 31999, -1, kBlock - 1}));
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1F2", data.Size() - 1, SearchDirection::Up));
    EXPECT_EQ(Steps(data, 3), (Offsets{31999, kBlock - 1, -1}));
}

TEST(BinarySearchTest, WrapsAroundAndStopsWhereItBegan) {
    zq::test::TempDir dir;
    const std::string bytes = LowBytes(200).replace(10, 2, "\xF0\xF1").replace(48, 2, "\xF0\xF1");
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", bytes)));
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 49, SearchDirection::Down));
    // The match just before the origin comes only after the wrap.  The step
    // after it starts on the origin, which it tests first: a new round.
    EXPECT_EQ(Steps(data, 4), (Offsets{10, 48, 10, 48}));
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 30, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 3), (Offsets{48, 10, -1}));
    EXPECT_EQ(data.Search().Position(), 30);
    EXPECT_EQ(Steps(data, 1), (Offsets{48}));  // a new pass
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 49, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 3, true), (Offsets{48, 10, -1}));

    // Patterns that repeat their own bytes, where a wrong skip would pass a match.
    ASSERT_TRUE(data.Open(dir.WriteFile(L"b.bin", "xAAAABAABAAx")));
    ASSERT_TRUE(data.Search().StartSearch(InputType::String, false, L"AAB", 0, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 3), (Offsets{3, 6, -1}));
    ASSERT_TRUE(data.Search().StartSearch(InputType::String, false, L"BAA", 11, SearchDirection::Up));
    EXPECT_EQ(Steps(data, 3), (Offsets{8, 5, -1}));

    ASSERT_TRUE(data.Open(dir / L"a.bin"));
    std::atomic<bool> cancel{true};
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 0, SearchDirection::Down));
    EXPECT_EQ(data.Search().Step(data, false, &cancel).status, SearchStatus::Cancelled);
    cancel = false;
    EXPECT_EQ(data.Search().Step(data, false, &cancel).offset, 10);
}

TEST(BinarySearchTest, ReplaceOverwritesEachMatchFromItsStart) {
    zq::test::TempDir dir;
    CBinaryData data;
    ASSERT_TRUE(
        data.Open(dir.WriteFile(L"a.bin", LowBytes(100).replace(10, 2, "\xF0\xF1").replace(98, 2, "\xF0\xF1"))));
    BinaryReplace replace;
    EXPECT_EQ(replace.Start(data, InputType::Hex, false, L"F0F1", L"F", true, SearchDirection::Down),
              ReplaceStart::ReplaceInvalid);
    ASSERT_EQ(replace.Start(data, InputType::Hex, false, L"F0F1", L"7F", true, SearchDirection::Down),
              ReplaceStart::Started);
    while (replace.Next(data)) replace.ReplaceMatch(data);
    EXPECT_EQ(replace.Count(), 2);
    std::string edited(100, '\0');
    ASSERT_EQ(data.ReadBytes(0, 100, reinterpret_cast<std::uint8_t*>(edited.data())), 100u);
    EXPECT_EQ(edited, LowBytes(100).replace(10, 2, "\x7F\xF1").replace(98, 2, "\x7F\xF1"));

    // A replacement that makes the pattern again, with a match just before
    // the origin: one round, each match once.
    ASSERT_TRUE(
        data.Open(dir.WriteFile(L"b.bin", LowBytes(100).replace(10, 2, "\xF0\xF1").replace(49, 2, "\xF0\xF1"))));
    data.SetCursor(100);
    ASSERT_EQ(replace.Start(data, InputType::Hex, false, L"F0F1", L"F0F1", false, SearchDirection::Down),
              ReplaceStart::Started);
    std::vector<std::int64_t> matches;
    while (replace.Next(data) && matches.size() < 5) {
        matches.push_back(data.CursorByte());
        replace.ReplaceMatch(data);
    }
    EXPECT_EQ(matches, (Offsets{10, 49}));
}

TEST(BinarySearchTest, ComparisonConditions) {
    using T = InputType;
    struct Case {
        const char* name;
        std::string edited, other;
        InputType type;
        bool isSigned;
        const wchar_t* difference;  // nullptr: the field is off
        bool differing;
        Offsets found;
    } cases[] = {
        // Two-byte positions at any offset, not only even ones.
        {"differing shorts", Bytes({0, 1, 2, 3, 4, 5}), Bytes({0, 1, 2, 3, 9, 5}), T::Short, 0, nullptr, 1, {3, 4, -1}},
        {"signed char -1", Bytes({1, 0, 0x80, 5}), Bytes({0, 0xFF, 0x7F, 5}), T::Char, 1, L"-1", 0, {0, 1, -1}},
        // The match on the last byte brings the next step to the origin: a new round.
        {"unsigned 0xFF + 1 is no byte", Bytes({0xFF, 1}), Bytes({0, 2}), T::Char, 0, L"1", 0, {1, 1}},
        {"long wraps", Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Bytes({1, 0, 0, 0}), T::Long, 0, L"2", 0, {0, -1}},
        {"shorter comparison file", Bytes({0, 0, 1, 1}), Bytes({0, 0}), T::Char, 0, nullptr, 1, {-1}},
    };
    for (const Case& c : cases) {
        zq::test::TempDir dir;
        CompareRequest request;
        request.comparePath = dir.WriteFile(L"other.bin", c.other);
        request.type = c.type;
        request.isSigned = c.isSigned;
        request.differenceEnabled = c.difference != nullptr;
        request.differenceText = c.difference ? c.difference : L"";
        request.differing = c.differing;
        CBinaryData data;
        ASSERT_TRUE(data.Open(dir.WriteFile(L"edit.bin", c.edited)));
        ASSERT_EQ(data.Search().StartComparison(request, 0), CompareStart::Started) << c.name;
        EXPECT_EQ(Steps(data, static_cast<int>(c.found.size())), c.found) << c.name;
    }
}

// Both files are read through 32,000-byte windows standing 16,000 bytes
// back from the block asked for, and cut at the file end.
TEST(BinarySearchTest, ComparisonReadsBothFilesThroughWindows) {
    zq::test::TempDir dir;
    const std::string bytes = LowBytes(50000);
    CompareRequest request{.comparePath = dir.WriteFile(L"other.bin", std::string(bytes).replace(49000, 1, "\xFF")),
                           .type = InputType::Char,
                           .differing = true};
    RecordingFileSystem fs;
    CBinaryData data(fs);
    ASSERT_TRUE(data.Open(dir.WriteFile(L"edit.bin", bytes)));
    ASSERT_EQ(data.Search().StartComparison(request, 0), CompareStart::Started);
    EXPECT_EQ(Steps(data, 1), (Offsets{49000}));
    using Reads = std::vector<std::pair<LONGLONG, DWORD>>;
    EXPECT_EQ(fs.reads,
              (Reads{{0, 32000}, {0, 32000}, {16000, 32000}, {16000, 32000}, {32000, 18000}, {32000, 18000}}));
}

TEST(BinarySearchTest, ComparisonsThatCannotStartSayWhy) {
    zq::test::TempDir dir;
    const std::wstring other = dir.WriteFile(L"other.bin", "ab");
    using T = InputType;
    struct Case {
        CompareRequest request;
        const wchar_t* message;  // nullptr: it starts
    } cases[] = {
        {{.type = T::Hex, .editEnabled = true, .editText = L"0"}, L"EditFileデータが不正です"},
        {{.type = T::Char, .editEnabled = true, .editText = L"1", .compareEnabled = true, .compareText = L"300"},
         L"比較対象データが不正です"},
        {{.type = T::Short, .differenceEnabled = true, .differenceText = L"x"}, L"差データが不正です"},
        {{.type = T::Short, .editEnabled = true, .editText = L"1", .differenceEnabled = true, .differenceText = L"-1"},
         L"差データが不正です"},  // unsigned
        {{.type = T::Hex, .differenceEnabled = true, .differenceText = L"x"},
         L"比較入力されたパラメータで検出できません"},
        {{.type = T::Hex, .differenceEnabled = true, .differenceText = L"x", .differing = true}, nullptr},
        {{.type = T::Hex, .editEnabled = true, .editText = L"0102", .compareEnabled = true, .compareText = L"01"},
         L"比較のためのデータの長さが違います"},
        {{.comparePath = dir / L"none.bin", .type = T::Char, .differing = true}, L"比較ファイルを開くのに失敗しました"},
    };
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"edit.bin", "ab")));
    for (Case& c : cases) {
        if (c.request.comparePath.empty()) c.request.comparePath = other;
        const wchar_t* text = CompareStartMessage(data.Search().StartComparison(c.request, 0));
        EXPECT_EQ(std::wstring(text ? text : L"(started)"), std::wstring(c.message ? c.message : L"(started)"));
    }
}

}  // namespace zq::binedit::test
