#include "common/PathCompletion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/TextConv.h"
#include "main/TempDir.h"

namespace {

using zq::PathCompletion;
using zq::test::TempDir;

// Presses Ctrl+Tab n times on a field that starts with text; returns what the
// field showed after each press.
std::vector<std::wstring> Press(PathCompletion& completion, std::wstring text, size_t n) {
    std::vector<std::wstring> shown;
    for (size_t i = 0; i < n; ++i) {
        if (auto next = completion.Next(text)) text = *next;
        shown.push_back(text);
    }
    return shown;
}

struct Tree {
    TempDir dir;
    Tree() {
        dir.MakeDir(L"alpha");
        dir.MakeDir(L"Album");
        dir.WriteFile(L"alfa.txt", "file");
        dir.MakeDir(L"beta");
        dir.WriteFile(L"beta\\inner.txt", "x");
    }
};

TEST(PathCompletionTest, CyclesThroughMatchesInOneOrder) {
    struct Case {
        bool directoriesOnly;
        std::set<std::wstring> names;  // the matches, in whatever order the listing has
    };
    const Case cases[] = {
        {false, {L"alpha", L"Album", L"alfa.txt"}}, {true, {L"alpha", L"Album"}},  // files skipped in a directory field
    };
    for (const Case& c : cases) {
        Tree tree;
        PathCompletion completion(c.directoriesOnly);
        const std::wstring typed = tree.dir / L"al";  // the prefix ignores case
        const size_t n = c.names.size();
        const auto shown = Press(completion, typed, 2 * n + 1);
        std::set<std::wstring> firstRound;
        for (size_t i = 0; i < n; ++i) {
            ASSERT_EQ(shown[i].substr(0, tree.dir.Path().size() + 1), tree.dir.Path() + L"\\") << zq::ToUtf8(shown[i]);
            firstRound.insert(shown[i].substr(tree.dir.Path().size() + 1));
            EXPECT_EQ(shown[i + n], shown[i]) << "the second round repeats the first";
        }
        EXPECT_EQ(firstRound, c.names) << c.directoriesOnly;
        EXPECT_EQ(shown[2 * n], shown[0]);
    }
}

TEST(PathCompletionTest, SplitsTextIntoDirectoryAndPrefix) {
    Tree tree;
    const std::wstring root = tree.dir.Path();
    struct Case {
        std::wstring typed;
        std::set<std::wstring> expected;  // every text offered in one round
    };
    const Case cases[] = {
        {root + L"\\beta\\", {root + L"\\beta\\inner.txt"}},  // empty prefix: the whole folder
        {root + L"\\be", {root + L"\\beta"}},
        {root + L"/beta/in", {root + L"/beta\\inner.txt"}},  // either separator
        {root + L"\\zz", {}},                                // no match
        {root + L"\\nowhere\\a", {}},                        // no such folder
    };
    for (const Case& c : cases) {
        PathCompletion completion;
        const auto shown = Press(completion, c.typed, c.expected.size() + 1);
        if (c.expected.empty()) {
            EXPECT_EQ(shown.back(), c.typed) << "unchanged: " << zq::ToUtf8(c.typed);
            continue;
        }
        EXPECT_EQ(std::set<std::wstring>(shown.begin(), shown.end()), c.expected) << zq::ToUtf8(c.typed);
    }
}

TEST(PathCompletionTest, DotEntriesAreNeverOffered) {
    Tree tree;
    PathCompletion completion;
    // "." matches the prefix of the two dot entries of every folder.
    const auto shown = Press(completion, tree.dir / L"beta\\.", 1);
    EXPECT_EQ(shown.front(), tree.dir / L"beta\\.");
    PathCompletion all(true);
    for (const std::wstring& text : Press(all, tree.dir / L"beta\\", 3))
        EXPECT_EQ(text, tree.dir / L"beta\\") << "beta holds no directory besides . and ..";
}

TEST(PathCompletionTest, EditingStartsAgainFromTheNewText) {
    Tree tree;
    PathCompletion completion;
    const auto first = completion.Next(tree.dir / L"alp");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, tree.dir / L"alpha");
    // The user types a separator after the completed name: the next press
    // lists that directory, not the old matches.
    tree.dir.WriteFile(L"alpha\\child.txt", "c");
    const auto inside = completion.Next(*first + L"\\");
    ASSERT_TRUE(inside);
    EXPECT_EQ(*inside, tree.dir / L"alpha\\child.txt");

    // Without an edit the same text moves on to the next match; after a
    // reported edit it is listed afresh, and a full name completes to itself.
    const std::wstring typed = tree.dir / L"al";
    PathCompletion cycling;
    const auto a = cycling.Next(typed);
    ASSERT_TRUE(a);
    const auto b = cycling.Next(*a);
    ASSERT_TRUE(b);
    EXPECT_NE(*b, *a);
    PathCompletion reported;
    const auto c = reported.Next(typed);
    ASSERT_TRUE(c);
    reported.Restart();
    EXPECT_EQ(reported.Next(*c), c);
}

TEST(PathCompletionTest, RelativeTextIsCompletedInTheBaseDirectory) {
    Tree tree;
    PathCompletion completion(true);
    completion.SetBaseDirectory(tree.dir.Path());
    const auto shown = Press(completion, L"be", 1);
    EXPECT_EQ(shown.front(), L"beta");
    PathCompletion nested;
    nested.SetBaseDirectory(tree.dir.Path() + L"\\");
    EXPECT_EQ(Press(nested, L"beta\\i", 1).front(), L"beta\\inner.txt");
}

}  // namespace
