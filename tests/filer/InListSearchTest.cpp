#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/InListSearch.h"

namespace {

using zq::InListSearch;

struct Listing {
    std::vector<std::wstring> names;
    zq::SearchNameAt At() const {
        return [this](int p) { return std::wstring_view(names[static_cast<size_t>(p)]); };
    }
    int Count() const { return static_cast<int>(names.size()); }
};

TEST(InListSearch, SimpleSearchWrapsAndSkipsTheCursor) {
    const Listing l{{L"apple", L"banana", L"avocado", L"Cherry"}};
    struct Case {
        int cursor;
        wchar_t ch;
        int expected;
    };
    const Case cases[] = {
        {0, L'A', 2},   // the next "a" after the cursor
        {2, L'A', 0},   // round to the top
        {0, L'c', 3},   // either case
        {1, L'B', -1},  // the cursor's own entry is not a match
        {0, L'Z', -1},
    };
    for (const Case& c : cases) EXPECT_EQ(zq::SimpleSearchTarget(l.At(), l.Count(), c.cursor, c.ch), c.expected);
}

TEST(InListSearch, ModeGateByModifiersAndMessageKind) {
    struct Case {
        unsigned mode;
        bool typed, shift, ctrl, expected;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {1, false, false, false, true}, {1, false, true, false, false},
        {1, true, false, false, false},  {2, false, true, false, true},  {2, false, false, false, false},
        {2, false, true, true, false},   {3, false, false, true, true},  {4, true, false, false, true},
        {4, true, true, false, true},    {4, true, false, true, false},  {4, false, false, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zq::SearchModeTakes(c.mode, c.typed, c.shift, c.ctrl), c.expected) << c.mode << c.typed << c.shift;
}

TEST(InListSearch, KeysAndCharactersThatGiveNothing) {
    EXPECT_EQ(zq::TranslateSearchKey(VK_NUMPAD7).ch, L'7');
    EXPECT_EQ(zq::TranslateSearchKey(0xDE).ch, L'^');
    const zq::SearchInput colonKey = zq::TranslateSearchKey(0xBA);
    EXPECT_TRUE(colonKey.taken);
    EXPECT_EQ(colonKey.ch, 0);
    EXPECT_FALSE(zq::TranslateSearchKey(VK_F5).taken);
    for (wchar_t ch : std::wstring(L"\\\"'`/:;*|<>?")) {
        EXPECT_TRUE(zq::TranslateSearchChar(ch).taken) << static_cast<int>(ch);
        EXPECT_EQ(zq::TranslateSearchChar(ch).ch, 0) << static_cast<int>(ch);
    }
    EXPECT_EQ(zq::TranslateSearchChar(L'か').ch, L'か');
    EXPECT_FALSE(zq::TranslateSearchChar(L'\r').taken);
}

TEST(InListSearch, IncrementalKeepsTheFirstMatchOfTheWholeBuffer) {
    const Listing l{{L"..", L"Apple", L"bandana", L"BANANA", L"banner"}};
    InListSearch search;
    search.SetIncrementalMode(zq::kSearchPlain);
    std::vector<int> targets;
    for (unsigned vk : {'B', 'A', 'N', 'N', 'X'})
        targets.push_back(search.OnKeyDown(vk, false, false, l.At(), l.Count(), 0).target);
    EXPECT_EQ(targets, (std::vector<int>{2, 2, 2, 4, -1}));
    EXPECT_EQ(search.Buffer(), L"BANNX");
    EXPECT_EQ(search.Back(l.At(), l.Count()).target, 4);
    // A Shift press is not the plain mode's: it goes to the commands.
    EXPECT_FALSE(search.OnKeyDown('A', true, false, l.At(), l.Count(), 0).taken);
    search.End();
    EXPECT_FALSE(search.IncrementalActive());
    EXPECT_TRUE(search.Buffer().empty());
}

TEST(InListSearch, ExpandedModeReadsTypedJapaneseAndHoldsBackTheKeys) {
    const Listing l{{L"あいう.txt", L"漢字メモ.txt", L"かな.txt"}};
    InListSearch search;
    search.SetIncrementalMode(zq::kSearchExpanded);
    // The key-down of a letter is held back for the character that follows.
    const zq::InListKeyResult down = search.OnKeyDown('K', false, false, l.At(), l.Count(), 0);
    EXPECT_TRUE(down.taken);
    EXPECT_EQ(down.target, -1);
    EXPECT_EQ(search.OnChar(L'漢', false, l.At(), l.Count(), 0).target, 1);
    EXPECT_EQ(search.OnChar(L'字', false, l.At(), l.Count(), 0).target, 1);
    const zq::InListKeyResult colon = search.OnChar(L':', false, l.At(), l.Count(), 0);
    EXPECT_TRUE(colon.taken);
    EXPECT_EQ(search.Buffer(), L"漢字");
    EXPECT_FALSE(search.OnChar(L'か', true, l.At(), l.Count(), 0).taken);
}

TEST(InListSearch, SimpleSearchAnswersWhenTheIncrementalOneIsOff) {
    const Listing l{{L"apple", L"banana", L"avocado"}};
    InListSearch search;
    search.SetSimpleMode(zq::kSearchPlain);
    EXPECT_EQ(search.OnKeyDown('A', false, false, l.At(), l.Count(), 0).target, 2);
    EXPECT_EQ(search.OnKeyDown('A', false, false, l.At(), l.Count(), 2).target, 0);
    search.SetIncrementalMode(zq::kSearchPlain);
    EXPECT_EQ(search.OnKeyDown('A', false, false, l.At(), l.Count(), 0).target, 0);
    EXPECT_EQ(search.Buffer(), L"A");
}

TEST(InListSearch, AFullBufferIsSearchedAgainWithoutGrowing) {
    const Listing l{{std::wstring(600, L'A')}};
    InListSearch search;
    search.SetIncrementalMode(zq::kSearchPlain);
    for (int i = 0; i < 530; ++i) (void)search.OnKeyDown('A', false, false, l.At(), l.Count(), 0);
    EXPECT_EQ(search.Buffer().size(), InListSearch::kMaxBuffer + 1);
    EXPECT_EQ(search.OnKeyDown('B', false, false, l.At(), l.Count(), 0).target, 0);
}

}  // namespace
