// The Viewer's search walk and line jump.
#include <gtest/gtest.h>

#include "viewer/ViewerSearch.h"

namespace zq::viewer {
namespace {

TEST(ViewerSearch, WalksRoundTheTextEndOnceAndThenFinishes) {
    const std::string text = "ab needle cd needle ef";  // matches at 3 and 13
    ViewerSearchState s{"needle", 15, -1, true, false};
    ASSERT_TRUE(FirstSearch(text, s));  // only above the origin: found after the wrap
    EXPECT_EQ(s.position, 3);
    EXPECT_TRUE(SearchAgain(text, s, true));
    EXPECT_EQ(s.position, 13);
    EXPECT_FALSE(SearchAgain(text, s, true));  // back at the origin: finished
    EXPECT_EQ(s.position, 13);
    EXPECT_FALSE(SearchAgain(text, s, true));  // and again from after the last position
    EXPECT_TRUE(SearchAgain(text, s, false));  // the other way: the match before
    EXPECT_EQ(s.position, 3);

    ViewerSearchState up{"needle", 5, -1, false, false};
    ASSERT_TRUE(FirstSearch(text, up));
    EXPECT_EQ(up.position, 3);
    ViewerSearchState none{"pin", 0, -1, true, false};
    EXPECT_FALSE(FirstSearch(text, none));
    // A pattern running into the end of the indexed text does not match.
    ViewerSearchState cut{"efg", 0, -1, true, false};
    EXPECT_FALSE(FirstSearch(text, cut));
}

TEST(ViewerSearch, IgnoreCaseFoldsOnlyAsciiLetters) {
    struct Case {
        std::string text, pattern;
        bool ignoreCase, found;
    };
    const Case cases[] = {
        {"say HELLO", "hello", true, true},
        {"say HELLO", "hello", false, false},
        {"\x82\x97", "w", true, false},    // a full-width w is not w
        {"\x82\x97", "\x97", true, true},  // matches need not start on a character
    };
    for (const Case& c : cases) {
        ViewerSearchState s{c.pattern, 0, -1, true, c.ignoreCase};
        EXPECT_EQ(FirstSearch(c.text, s), c.found) << c.text << " " << c.pattern;
    }
}

// The walk one position at a time, as the rule reads: the fast search must
// find the same matches and give up at the same point, over texts long
// enough that matches fall on both sides of every 16-byte step.
bool PlainWalk(const std::string& text, ViewerSearchState& s, std::int64_t p, int step) {
    const auto end = static_cast<std::int64_t>(text.size());
    for (;;) {
        if (step > 0 && p >= end) {
            p = 0;
            if (p == s.origin) return false;
        } else if (step < 0 && p < 0) {
            p = end;
            if (p == s.origin) return false;
        }
        if (MatchesAt(text, p, s.pattern, s.ignoreCase)) {
            s.position = p;
            return true;
        }
        p += step;
        if (p == s.origin) return false;
    }
}

TEST(ViewerSearch, FindsWhatAWalkOneByteAtATimeFinds) {
    unsigned seed = 5;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245 + 12345;
        return (seed >> 16) % range;
    };
    const char alphabet[] = "abAB\x82\xA0 ";
    for (int round = 0; round < 400; ++round) {
        std::string text(next(90), ' ');
        for (char& c : text) c = alphabet[next(7)];
        std::string pattern(1 + next(4), ' ');
        for (char& c : pattern) c = alphabet[next(7)];
        const auto origin = static_cast<std::int64_t>(next(static_cast<unsigned>(text.size()) + 1));
        const bool down = next(2) == 1, ignoreCase = next(2) == 1;
        ViewerSearchState fast{pattern, origin, -1, down, ignoreCase}, plain = fast;
        SCOPED_TRACE(text + " / " + pattern);
        ASSERT_EQ(FirstSearch(text, fast), PlainWalk(text, plain, origin, down ? 1 : -1));
        EXPECT_EQ(fast.position, plain.position);
        for (int again = 0; again < 4; ++again) {
            const bool way = next(2) == 1;
            const std::int64_t last = plain.position;
            const bool found = PlainWalk(text, plain, last + (way ? 1 : -1), way ? 1 : -1);
            if (!found) plain.position = last;
            ASSERT_EQ(SearchAgain(text, fast, way), found);
            EXPECT_EQ(fast.position, plain.position);
        }
    }
}

TEST(ViewerSearch, JumpsAndTheTopLineOfAMatch) {
    struct Case {
        const wchar_t* field;
        std::int64_t top, expected;
    };
    const Case cases[] = {
        {L"+10", 5, 15}, {L"10", 5, 10}, {L"-3", 2, 0}, {L"9999", 5, 80}, {L"abc", 5, 0}, {L"12abc", 0, 12},
    };
    for (const Case& c : cases) EXPECT_EQ(JumpTop(c.field, c.top, 100, 20), c.expected) << c.field;
    EXPECT_EQ(MatchTop(50, 20, 100), 40);
    EXPECT_EQ(MatchTop(3, 20, 100), 0);
    EXPECT_EQ(MatchTop(99, 20, 100), 80);
}

}  // namespace
}  // namespace zq::viewer
