#include <gtest/gtest.h>

#include "filer/ViewFilerSortDlg.h"

using namespace zq;

TEST(ViewFilerSortDlg, StoredValuesOpenInRange) {
    struct Case {
        const char* what;
        std::array<uint32_t, 9> stored;
        SortDialogValues expected;
    };
    const Case cases[] = {
        {"as stored", {2, 4, 0, 3, 0, 0, 1, 0, 1}, {2, 4, 3, 0, 1, true}},
        {"key beyond the radios", {7, 0, 0, 0, 0, 0, 0, 0, 0}, {5, 0, 0, 0, 0, false}},
        {"order beyond descending", {0, 0, 0, 0, 0, 0, 3, 5, 0}, {0, 0, 0, 1, 1, false}},
        {"empty temporary set",
         {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0, 0, 0},
         {5, 0, 0, 0, 0, false}},
        {"lists end at their last item", {0, 6, 0, 5, 0, 0, 0, 0, 0}, {0, 6, 5, 0, 0, false}},
        {"beyond the lists", {0, 7, 0, 6, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, false}},
    };
    for (const Case& c : cases) {
        SortSettings s;
        s.v = c.stored;
        EXPECT_EQ(ToSortDialog(s), c.expected) << c.what;
    }
}

TEST(ViewFilerSortDlg, ResultKeepsTheReservedFields) {
    SortSettings base = SortSettings::EmptyTemporary();
    const SortDialogValues chosen{3, 2, 1, 1, 0, true};
    const SortSettings s = FromSortDialog(chosen, base);
    EXPECT_EQ(s.v, (std::array<uint32_t, 9>{3, 2, 0xFFFFFFFFu, 1, 0xFFFFFFFFu, 0xFFFFFFFFu, 0, 1, 1}));
    // Once chosen, a temporary set is in force.
    EXPECT_TRUE(s.IsTemporaryInForce());
    EXPECT_EQ(ToSortDialog(s), chosen);
}
