#include <gtest/gtest.h>

#include <array>

#include "filer/PatternHistory.h"

namespace {

using Slots = std::array<std::wstring, 4>;

TEST(PatternHistory, NewestFirstInPackedSlots) {
    struct Case {
        const char* what;
        Slots before;
        const wchar_t* pushed;
        Slots after;
    };
    const Case cases[] = {
        {"into empty slots", {}, L"*.txt", {L"*.txt", L"", L"", L""}},
        {"in front", {L"a*", L"b*", L"", L""}, L"c*", {L"c*", L"a*", L"b*", L""}},
        {"present: moved, newest spelling", {L"a*", L"*.TXT", L"b*", L""}, L"*.txt", {L"*.txt", L"a*", L"b*", L""}},
        {"full: oldest falls out", {L"a*", L"b*", L"c*", L"d*"}, L"e*", {L"e*", L"a*", L"b*", L"c*"}},
        {"gaps from a hand-edited ini", {L"", L"a*", L"", L"b*"}, L"c*", {L"c*", L"a*", L"b*", L""}},
        {"empty pattern is no entry", {L"a*", L"", L"", L""}, L"", {L"a*", L"", L"", L""}},
    };
    for (const Case& c : cases) {
        Slots slots = c.before;
        zq::PushHistory(slots, c.pushed);
        EXPECT_EQ(slots, c.after) << c.what;
    }
}

TEST(PatternHistory, EntriesSkipEmptySlots) {
    const Slots slots = {L"", L"a*", L"", L"b*"};
    EXPECT_EQ(zq::HistoryEntries(slots), (std::vector<std::wstring>{L"a*", L"b*"}));
}

}  // namespace
