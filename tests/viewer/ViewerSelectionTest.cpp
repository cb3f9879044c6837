// Moving the selection's end through a text indexed by the loader, hit tests
// and URLs under the mouse.
#include <gtest/gtest.h>

#include "IndexedText.h"

namespace zq::viewer {
namespace {

TEST(ViewerSelection, CharacterStepsPassWideCharactersAndStopAtTheLineBreak) {
    const IndexedText t(
        "a\x82\xA0"
        "b\r\nc",
        80);  // lines [0, 6) and [6, 7)
    ASSERT_EQ(t.View().lineCount, 2);
    const std::pair<std::int64_t, std::int64_t> right[] = {{0, 1}, {1, 3}, {3, 4}, {4, 4}, {6, 7}, {7, 7}};
    for (const auto& [from, to] : right) EXPECT_EQ(StepRight(t.View(), from), to) << from;
    const std::pair<std::int64_t, std::int64_t> left[] = {{3, 1}, {1, 0}, {0, 0}, {6, 5}, {7, 6}};
    for (const auto& [from, to] : left) EXPECT_EQ(StepLeft(t.View(), from), to) << from;
}

TEST(ViewerSelection, StepRightCrossesALineCutOneColumnShort) {
    const IndexedText t("xxxxx\x82\xA0yy\n", 6);  // lines [0, 5) and [5, 10)
    EXPECT_EQ(StepRight(t.View(), 4), 5);
    EXPECT_EQ(StepRight(t.View(), 5), 7);
    EXPECT_EQ(StepLeft(t.View(), 7), 5);
}

TEST(ViewerSelection, LineStepsAcrossLines) {
    const IndexedText t("aaaa\nbbbb\ncccc\n", 80);  // line starts 0, 5, 10; end 15
    struct Case {
        std::int64_t end, lines, expected;
    };
    const Case cases[] = {
        {7, -1, 5},   // up from inside a line: its own start first
        {5, -1, 0},   // up from a line's start: the line above
        {7, 1, 10},   // down: the next line's start
        {12, 1, 15},  // below the last line: the text end
        {7, -5, 0},   // above the first: 0
        {15, -3, 0},  // from the text end by minus the line count
        {0, 3, 15},   // by plus the line count
    };
    for (const Case& c : cases) EXPECT_EQ(StepLines(t.View(), c.end, c.lines), c.expected) << c.end << " " << c.lines;
    // The end's line is kept within [top + 1, top + visible].
    EXPECT_EQ(TopShowing(10, 31, 20), 11);
    EXPECT_EQ(TopShowing(10, 10, 20), 9);
    EXPECT_EQ(TopShowing(10, 30, 20), 10);
}

TEST(ViewerSelection, HitTestRightOfALineAndBelowTheText) {
    const IndexedText t("a\tb\nxyz", 80, 4);
    EXPECT_EQ(HitTest(t.View(), 0, 2, 4), 1);   // on the tab's spaces
    EXPECT_EQ(HitTest(t.View(), 0, 40, 4), 4);  // right of the line: its end
    EXPECT_EQ(HitTest(t.View(), 5, 0, 4), 6);   // below the last line: the last byte
}

TEST(ViewerSelection, UrlUnderTheMouse) {
    const std::string text = "see http://a.example/x, \"ftp://b\" HTTPS://C.example\x82\xA0 z\n";
    const IndexedText t(text, 200);
    struct Case {
        int column;
        bool found;
        std::int64_t from, to;
    };
    const Case cases[] = {
        {4, true, 4, 22},    // on its scheme
        {21, true, 4, 22},   // on its last character
        {22, true, 4, 22},   // on the comma after it: the URL without the comma
        {23, true, 4, 22},   // and the byte after the comma (end + 1)
        {2, false, 0, 0},    // on the word before it
        {28, true, 25, 32},  // in quotes: up to the quote
        {40, true, 34, 51},  // upper case, up to the two-byte character
        {55, false, 0, 0},
    };
    for (const Case& c : cases) {
        const UrlRange url = FindUrl(t.View(), 0, c.column, 8);
        EXPECT_EQ(url.found, c.found) << c.column;
        if (url.found && c.found) {
            EXPECT_EQ(std::make_pair(url.from, url.to), std::make_pair(c.from, c.to)) << c.column;
        }
    }
    // A URL longer than the display line runs on into the next one.
    const IndexedText wrapped("go http://long.example/path\n", 10);
    const UrlRange url = FindUrl(wrapped.View(), 0, 5, 8);
    EXPECT_TRUE(url.found);
    EXPECT_EQ(url.to, 27);
}

}  // namespace
}  // namespace zq::viewer
