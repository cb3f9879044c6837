#include "binedit/BinarySearch.h"

#include <gtest/gtest.h>

#include "binedit/BinaryMessages.h"
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
constexpr std::int64_t kBlock = 1 << 20;  // the search reads this many positions at a time

}  // namespace

// One match lies in the file across the search's block edge, one is typed in
// across the read window's edge, and the pattern's head sits at the very end.
TEST(BinarySearchTest, FindsMatchesAcrossReadEdgesInTheEditedData) {
    zq::test::TempDir dir;
    std::string bytes = LowBytes(kBlock + 100);
    bytes.replace(kBlock - 1, 3, "\xF0\xF1\xF2");
    bytes.replace(bytes.size() - 2, 2, "\xF0\xF1");
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", bytes)));
    ASSERT_EQ(data.WriteRun(31999, reinterpret_cast<const std::uint8_t*>("\xF0\xF1\xF2"), 3, data.Size()), 3);

    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"f0f1f2", 0, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 4), (Offsets{31999, kBlock - 1, -1, 31999}));
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1F2", data.Size() - 1, SearchDirection::Up));
    EXPECT_EQ(Steps(data, 3), (Offsets{kBlock - 1, 31999, -1}));
}

TEST(BinarySearchTest, WrapsAroundAndStopsWhereItBegan) {
    zq::test::TempDir dir;
    std::string bytes = LowBytes(200);
    bytes.replace(10, 2, "\xF0\xF1");
    bytes.replace(48, 2, "\xF0\xF1");
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", bytes)));
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 49, SearchDirection::Down));
    // The match just before the origin comes only after the wrap; then the pass ends on the origin.
    EXPECT_EQ(Steps(data, 3), (Offsets{10, 48, -1}));
    EXPECT_EQ(data.Search().Position(), 49);
    EXPECT_EQ(Steps(data, 1), (Offsets{10}));  // a new pass
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 49, SearchDirection::Down));
    EXPECT_EQ(Steps(data, 3, true), (Offsets{48, 10, -1}));

    std::atomic<bool> cancel{true};
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"F0F1", 0, SearchDirection::Down));
    EXPECT_EQ(data.Search().Step(data, false, &cancel).status, SearchStatus::Cancelled);
    cancel = false;
    EXPECT_EQ(data.Search().Step(data, false, &cancel).offset, 10);
}

TEST(BinarySearchTest, ComparisonConditions) {
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
        {"differing shorts",
         Bytes({0, 1, 2, 3, 4, 5, 6}),
         Bytes({0, 1, 2, 3, 0xFF, 5, 6}),
         InputType::Short,
         false,
         nullptr,
         true,
         {3, 4, -1}},
        {"signed char -1",
         Bytes({1, 0, 0x80, 5}),
         Bytes({0, 0xFF, 0x7F, 5}),
         InputType::Char,
         true,
         L"-1",
         false,
         {0, 1, -1}},
        {"unsigned 0xFF + 1 is no byte", Bytes({0xFF, 1}), Bytes({0, 2}), InputType::Char, false, L"1", false, {1, -1}},
        {"long wraps in 32 bits",
         Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0}),
         Bytes({1, 0, 0, 0, 0}),
         InputType::Long,
         false,
         L"2",
         false,
         {0, -1}},
        {"shorter comparison file", Bytes({0, 0, 1, 1}), Bytes({0, 0}), InputType::Char, false, nullptr, true, {-1}},
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

TEST(BinarySearchTest, ComparisonsThatCannotStartSayWhy) {
    zq::test::TempDir dir;
    const std::wstring other = dir.WriteFile(L"other.bin", "ab");
    const auto request = [&](InputType type, const wchar_t* edit, const wchar_t* compare, const wchar_t* difference,
                             bool differing) {
        CompareRequest r;
        r.comparePath = other;
        r.type = type;
        r.editEnabled = edit != nullptr;
        r.editText = edit ? edit : L"";
        r.compareEnabled = compare != nullptr;
        r.compareText = compare ? compare : L"";
        r.differenceEnabled = difference != nullptr;
        r.differenceText = difference ? difference : L"";
        r.differing = differing;
        return r;
    };
    struct Case {
        CompareRequest request;
        const wchar_t* message;  // nullptr: it starts
    } cases[] = {
        {request(InputType::Hex, L"0", nullptr, nullptr, false), L"EditFileデータが不正です"},
        {request(InputType::Char, L"1", L"300", nullptr, false), L"比較対象データが不正です"},
        {request(InputType::Short, nullptr, nullptr, L"x", false), L"差データが不正です"},
        {request(InputType::Hex, nullptr, nullptr, L"x", false), L"比較入力されたパラメータで検出できません"},
        {request(InputType::Hex, nullptr, nullptr, L"x", true), nullptr},  // the difference is dropped for bytes
        {request(InputType::Hex, L"0102", L"01", nullptr, true), L"比較のためのデータの長さが違います"},
        {request(InputType::Short, L"1", nullptr, L"-1", false), L"差データが不正です"},  // unsigned
    };
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"edit.bin", "ab")));
    for (const Case& c : cases) {
        const CompareStart result = data.Search().StartComparison(c.request, 0);
        const wchar_t* text = CompareStartMessage(result);
        EXPECT_EQ(std::wstring(text ? text : L"(started)"), std::wstring(c.message ? c.message : L"(started)"));
    }
    CompareRequest missing = request(InputType::Char, nullptr, nullptr, nullptr, true);
    missing.comparePath = dir / L"none.bin";
    EXPECT_STREQ(CompareStartMessage(data.Search().StartComparison(missing, 0)), L"比較ファイルを開くのに失敗しました");
}

}  // namespace zq::binedit::test
