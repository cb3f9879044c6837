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
